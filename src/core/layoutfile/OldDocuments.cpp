#include "layoutfile/OldDocuments.h"

#include "layoutfile/Errors.h"
#include "layoutfile/RailList.h"

namespace tk3d {

std::unique_ptr<TOldLandscape> ReadOldLandscape(TCLStream& stream, int32_t documentVersion) {
    // No reader for the terrain and height-grid formats is registered, so the
    // rest of such a document cannot be found: refuse it as unreadable.
    throw EReadError();
}

void ConvertOldDocument(TRailList& document, int32_t documentVersion, TOldLandscape* landscape) {
    // Track pieces, modules and terrains join here: until they exist an old
    // baseboard outline stays an ordinary object of the list.
}

}  // namespace tk3d
