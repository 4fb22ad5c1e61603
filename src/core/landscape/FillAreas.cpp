#include "landscape/FillAreas.h"

namespace tk3d {

void TFuellFlaeche::Load(TCLStream& stream) {
    fFillVersion = stream.ReadWord();
    fFillColor = stream.ReadCardinal();
}

void TFuellPolygon::Load(TCLStream& stream) {
    TFuellFlaeche::Load(stream);
    fCoords = stream.GetAs<TNoFreeCollection>();
    if (!fCoords) fCoords = std::make_unique<TNoFreeCollection>();
    if (!stream.Is32BitFile) {
        std::vector<int32_t> unpacked;
        unpacked.reserve(fCoords->Values.size() * 2);
        for (int32_t item : fCoords->Values) {
            unpacked.push_back(int16_t(uint32_t(item) & 0xFFFF));
            unpacked.push_back(item >> 16);
        }
        fCoords->Values = std::move(unpacked);
    }
}

void TFuellKreis::Load(TCLStream& stream) {
    TFuellFlaeche::Load(stream);
    if (stream.Is32BitFile) {
        fCentreX = stream.ReadInteger();
        fCentreY = stream.ReadInteger();
        fCircleRadius = stream.ReadInteger();
    } else {
        fCentreX = stream.ReadSmallInt();
        fCentreY = stream.ReadSmallInt();
        fCircleRadius = stream.ReadSmallInt();
    }
}

}  // namespace tk3d
