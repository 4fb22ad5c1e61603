// Flood-fill seed points of a placeable object's 2D drawing.
#pragma once
#include <cstdint>

#include "layoutfile/Collections.h"
#include "platform/WinTypes.h"

namespace tk3d {

class TFuellPunkt : public TStreamable {
public:
    // fBrush values besides a colour.
    static constexpr int32_t kBrushLightGrey = 0;
    static constexpr int32_t kBrushBlack = 1;

    int32_t fX = 0;
    int32_t fY = 0;
    int32_t fBrush = 0;

    // 32-bit coordinates, or 16-bit ones in 16-bit files; then the brush.
    void Load(TCLStream& stream) override;
};

class TFuellColl : public TTypedCollection<TFuellPunkt> {};

}  // namespace tk3d
