// Measurement of text in a Windows logical font, in the font's logical
// units: the face is resolved with fontconfig (metric-compatible faces for
// the Windows ones) and measured with FreeType's unhinted metrics.
#pragma once
#include <cstdint>
#include <string_view>

#include "platform/WinTypes.h"

namespace tk3d {

struct TTextExtent {
    int32_t cx = 0;  // sum of the advance widths
    int32_t cy = 0;  // cell height: ascent plus descent
};

// lfHeight < 0 is the character (em) height, > 0 the cell height, 0 a
// default cell height of 16. Without any installed font the extent is
// estimated from the height. Thread-safe.
TTextExtent MeasureText(const TLogFontW& font, std::string_view utf8);

// Whether the font resolves to a scalable outline ("TrueType") face.
bool IsScalableFont(const TLogFontW& font);

}  // namespace tk3d
