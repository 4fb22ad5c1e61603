// The 857-byte global settings record, stored raw in layout files. It is held
// as its byte image so that a file block maps onto it byte-exactly; the
// accessors carry the field names and offsets.
#pragma once
#include <cstdint>
#include <cstring>

#include "layoutfile/LayerSet.h"
#include "platform/WinTypes.h"

namespace tk3d {

class TGlobalSettings {
public:
    static constexpr int kSize = 857;
    uint8_t raw[kSize] = {};

    // The defaults of a new record (DefaultSettings).
    static TGlobalSettings Defaults();

    template <class T>
    T Get(int offset) const {
        T v;
        std::memcpy(&v, raw + offset, sizeof(T));
        return v;
    }
    template <class T>
    void Set(int offset, const T& v) {
        std::memcpy(raw + offset, &v, sizeof(T));
    }
    bool Flag(int offset) const { return raw[offset] != 0; }
    void SetFlag(int offset, bool v) { raw[offset] = v ? 1 : 0; }

#define TK3D_FLAG(name, off)                                   \
    static constexpr int off_##name = off;                     \
    bool name() const { return Flag(off); }                    \
    void Set##name(bool v) { SetFlag(off, v); }
#define TK3D_FIELD(type, name, off)                            \
    static constexpr int off_##name = off;                     \
    type name() const { return Get<type>(off); }               \
    void Set##name(const type& v) { Set<type>(off, v); }

    TK3D_FLAG(InchUnits, 0)
    TK3D_FLAG(ShowArtNr, 1)
    TK3D_FLAG(ArtNrWithoutPrefix, 2)
    TK3D_FLAG(ShowDescription, 3)
    TK3D_FLAG(TextBackgroundDefault, 7)
    TK3D_FLAG(ShowHeights, 8)
    TK3D_FLAG(ShowBallast, 9)
    TK3D_FLAG(OutlinesInRect, 11)
    TK3D_FIELD(int32_t, BoardWidth, 12)
    TK3D_FIELD(int32_t, BoardDepth, 16)
    TK3D_FIELD(TColorRef, ArtNrColor, 36)
    TK3D_FIELD(TColorRef, DescriptionColor, 40)
    TK3D_FIELD(TColorRef, HeightColor, 44)
    TK3D_FIELD(TColorRef, PageNoColor, 48)
    TK3D_FIELD(TLayerSet, VisibleLayers, 52)
    TK3D_FIELD(TLogFontW, ArtNrFont, 104)
    TK3D_FIELD(TLogFontW, DescriptionFont, 196)
    TK3D_FIELD(TLogFontW, HeightFont, 288)
    TK3D_FIELD(TLogFontW, PageNoFont, 380)
    TK3D_FIELD(TLogPen, GridPen, 472)
    TK3D_FIELD(TLogPen, SlopePen, 488)
    TK3D_FLAG(ShowTies, 504)
    TK3D_FIELD(TLogPen, ClearancePen, 513)
    TK3D_FIELD(int32_t, PrintScale, 529)
    TK3D_FLAG(ShowElementTexts, 556)
    TK3D_FIELD(TLogFontW, TextInElementsFont, 558)
    TK3D_FIELD(TColorRef, TextInElementsColor, 650)
    TK3D_FLAG(ShowCatenary, 658)
    TK3D_FIELD(int32_t, CatenaryTolerance, 659)
    TK3D_FLAG(ShowParamLabels, 663)
    TK3D_FIELD(TLogFontW, ParamLabelFont, 665)
    TK3D_FIELD(int32_t, OverlapX, 817)
    TK3D_FIELD(int32_t, OverlapY, 821)
    TK3D_FIELD(TLayerSet, ActiveLayers, 825)
#undef TK3D_FLAG
#undef TK3D_FIELD

    // Colour of the slope pen (offset 500): outlines ballast beds and ramps.
    TColorRef SlopePenColor() const { return Get<TColorRef>(500); }
};
static_assert(sizeof(TLayerSet) == 32);

}  // namespace tk3d
