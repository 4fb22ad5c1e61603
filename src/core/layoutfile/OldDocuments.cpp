#include "layoutfile/OldDocuments.h"

#include "layoutfile/Stream.h"
#include "layoutfile/RailList.h"

namespace tk3d {

std::unique_ptr<TOldLandscape> ReadOldLandscape(TCLStream& stream, int32_t documentVersion) {
    // The terrain and height-grid formats have no reader yet. Documents of
    // these versions exist only in 32-bit files, whose document frame ends
    // right after its data: skip the landscape and the optional fields after
    // it, so that the layout opens with its objects and without terrain.
    stream.SetPosition(stream.EnclosingEnd());
    return nullptr;
}

void ConvertOldDocument(TRailList& document, int32_t documentVersion, TOldLandscape* landscape) {
    // Track pieces, modules and terrains join here: until they exist an old
    // baseboard outline stays an ordinary object of the list.
}

}  // namespace tk3d
