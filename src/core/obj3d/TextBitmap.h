// Bitmap text as a monochrome bitmap: what the bitmap text of the 3D view
// draws at its raster position. Fonts are resolved like every other font
// and rendered unsmoothed with FreeType.
#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/FontFiles.h"
#include "platform/WinTypes.h"

namespace tk3d {

// Rows top-down, one byte per pixel: 1 where the text is drawn.
struct TTextBitmap {
    int32_t Width = 0;
    int32_t Height = 0;
    std::vector<uint8_t> Mask;
};

// Renders texts; keeps the fonts it opened. Not thread-safe: one per user.
class TTextRasterizer {
public:
    TTextRasterizer();
    ~TTextRasterizer();
    TTextRasterizer(const TTextRasterizer&) = delete;
    TTextRasterizer& operator=(const TTextRasterizer&) = delete;

    // Sized to the text's advance width and the font's cell height; the
    // text's top-left at (0, 0). lfHeight < 0 is the character height in
    // pixels, > 0 the cell height, 0 a default cell height of 16 pixels.
    // Sizes are bounded (cells up to 1024 pixels, widths up to 8192).
    TTextBitmap Render(const TLogFontW& font, const std::string& utf8);

    static constexpr int32_t kDefaultCellHeight = 16;
    static constexpr int32_t kMaxCellHeight = 1024;
    static constexpr int32_t kMaxWidth = 8192;

private:
    struct TImpl;
    std::unique_ptr<TImpl> fImpl;
};

}  // namespace tk3d
