// The one list of every class the reader knows, with its class ID. A class
// that is not listed here makes a file fail with "Unbekannter Objekttyp!".
#include <mutex>

#include "landscape/FillAreas.h"
#include "layoutfile/ClassRegistry.h"
#include "layoutfile/Collections.h"
#include "layoutfile/RailList.h"
#include "objects/Labels.h"
#include "objects/RailObject.h"
#include "tracks/ConnectionPoints.h"
#include "tracks/FillPoints.h"
#include "tracks/Lines.h"
#include "tracks/RailLines.h"
#include "tracks/Schiene.h"
#include "tracks/Turntables.h"

namespace tk3d {

void RegisterAllStreamClasses() {
    static std::once_flag once;
    std::call_once(once, [] {
        RegisterStreamClass<TRailCollection>(50, "TRailCollection");
        RegisterStreamClass<TAnschlussPunkt>(10001, "TAnschlussPunkt");
        RegisterStreamClass<TAnschlussColl>(10002, "TAnschlussColl");
        RegisterStreamClass<TGeradeLinie>(10003, "TGeradeLinie");
        RegisterStreamClass<TBogenLinie>(10004, "TBogenLinie");
        RegisterStreamClass<TRailObject>(10006, "TRailObject");
        RegisterStreamClass<TSchiene>(10007, "TSchiene");
        RegisterStreamClass<TTKObjectList>(10008, "TTKObjectList");
        RegisterStreamClass<TGeradeSchienenLinie>(10009, "TGeradeSchienenLinie");
        RegisterStreamClass<TBogenSchienenLinie>(10010, "TBogenSchienenLinie");
        RegisterStreamClass<TFuellColl>(10011, "TFuellColl");
        RegisterStreamClass<TFuellPunkt>(10012, "TFuellPunkt");
        RegisterStreamClass<TKreisLinie>(10013, "TKreisLinie");
        RegisterStreamClass<TBeschriftung>(10014, "TBeschriftung");
        RegisterStreamClass<TFuellPolygon>(10022, "TFuellPolygon");
        RegisterStreamClass<TNoFreeCollection>(10023, "TNoFreeCollection");
        RegisterStreamClass<TFuellKreis>(10024, "TFuellKreis");
        RegisterStreamClass<TRampe>(10032, "TRampe");
        RegisterStreamClass<TTrackState>(10037, "TTrackState");
        RegisterStreamClass<TTurntable>(10039, "TTurntable");
        RegisterStreamClass<TPlatform>(10040, "TPlatform");
        RegisterStreamClass<TRailList>(11000, "TRailList");
        RegisterStreamClass<TStateList>(11002, "TStateList");
        RegisterStreamClass<TLineList>(11003, "TLineList");
    });
}

}  // namespace tk3d
