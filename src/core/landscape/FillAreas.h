// Solid fill polygons and circles of a placeable object's 2D drawing, in
// whole millimetres relative to the owner's position.
#pragma once
#include <cstdint>
#include <memory>

#include "layoutfile/Collections.h"
#include "platform/WinTypes.h"

namespace tk3d {

class TFuellFlaeche : public TStreamable {
public:
    uint16_t fFillVersion = 0;
    TColorRef fFillColor = 0;

    void Load(TCLStream& stream) override;
};

class TFuellPolygon : public TFuellFlaeche {
public:
    // Corner coordinates in pairs X0, Y0, X1, Y1, ...
    std::unique_ptr<TNoFreeCollection> fCoords;

    // In 16-bit files each stored item packs a corner (X low, Y high half).
    void Load(TCLStream& stream) override;
    // Whole pairs only: an odd last entry is no corner.
    int CornerCount() const { return fCoords ? fCoords->ValueCount() / 2 : 0; }
    TPoint Corner(int i) const {
        return {fCoords->Values[size_t(2 * i)], fCoords->Values[size_t(2 * i + 1)]};
    }
};

class TFuellKreis : public TFuellFlaeche {
public:
    int32_t fCentreX = 0;
    int32_t fCentreY = 0;
    int32_t fCircleRadius = 0;

    void Load(TCLStream& stream) override;
};

}  // namespace tk3d
