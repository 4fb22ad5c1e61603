#include "tracks/FillPoints.h"

namespace tk3d {

void TFuellPunkt::Load(TCLStream& stream) {
    if (stream.Is32BitFile) {
        fX = stream.ReadInteger();
        fY = stream.ReadInteger();
    } else {
        fX = stream.ReadSmallInt();
        fY = stream.ReadSmallInt();
    }
    fBrush = stream.ReadInteger();
}

}  // namespace tk3d
