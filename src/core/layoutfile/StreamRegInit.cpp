// The one list of every class the reader knows, with its class ID. A class
// that is not listed here makes a file fail with "Unbekannter Objekttyp!".
#include <mutex>

#include "landscape/FillAreas.h"
#include "layoutfile/ClassRegistry.h"
#include "layoutfile/Collections.h"
#include "layoutfile/RailList.h"
#include "objects/Labels.h"
#include "objects/RailObject.h"
#include "tracks/FillPoints.h"
#include "tracks/Lines.h"

namespace tk3d {

void RegisterAllStreamClasses() {
    static std::once_flag once;
    std::call_once(once, [] {
        RegisterStreamClass<TRailCollection>(50, "TRailCollection");
        RegisterStreamClass<TGeradeLinie>(10003, "TGeradeLinie");
        RegisterStreamClass<TBogenLinie>(10004, "TBogenLinie");
        RegisterStreamClass<TRailObject>(10006, "TRailObject");
        RegisterStreamClass<TTKObjectList>(10008, "TTKObjectList");
        RegisterStreamClass<TFuellColl>(10011, "TFuellColl");
        RegisterStreamClass<TFuellPunkt>(10012, "TFuellPunkt");
        RegisterStreamClass<TKreisLinie>(10013, "TKreisLinie");
        RegisterStreamClass<TBeschriftung>(10014, "TBeschriftung");
        RegisterStreamClass<TFuellPolygon>(10022, "TFuellPolygon");
        RegisterStreamClass<TNoFreeCollection>(10023, "TNoFreeCollection");
        RegisterStreamClass<TFuellKreis>(10024, "TFuellKreis");
        RegisterStreamClass<TRampe>(10032, "TRampe");
        RegisterStreamClass<TRailList>(11000, "TRailList");
    });
}

}  // namespace tk3d
