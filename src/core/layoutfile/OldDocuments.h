// What documents before version 9 kept outside the object list: one
// landscape for the whole layout (versions 2 to 8) and the baseboard as an
// outline object. The module and landscape subsystems convert them.
#pragma once
#include <cstdint>
#include <memory>

namespace tk3d {

class TCLStream;
class TRailList;

// The document-wide landscape of an old document, as read.
struct TOldLandscape {
    virtual ~TOldLandscape() = default;
};

// Reads the landscape stored after the currency: a triangulated terrain in
// version 8, a height grid in versions 2 to 7.
std::unique_ptr<TOldLandscape> ReadOldLandscape(TCLStream& stream, int32_t documentVersion);

// The conversions after reading: the track lists of versions below 4, the
// baseboard outline or size and the old landscape into modules (below 9).
void ConvertOldDocument(TRailList& document, int32_t documentVersion, TOldLandscape* landscape);

}  // namespace tk3d
