#include "obj3d/TextBitmap.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <tuple>

#include "platform/TextCodec.h"

namespace tk3d {

namespace {

std::vector<char32_t> CodePoints(const std::string& utf8) {
    const std::u16string u = Utf8ToUtf16(utf8);
    std::vector<char32_t> out;
    out.reserve(u.size());
    for (size_t i = 0; i < u.size(); ++i) {
        const char32_t c = u[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < u.size() && u[i + 1] >= 0xDC00 && u[i + 1] < 0xE000) {
            out.push_back(0x10000 + ((c - 0xD800) << 10) + (char32_t(u[i + 1]) - 0xDC00));
            ++i;
        } else {
            out.push_back(c);
        }
    }
    return out;
}

}  // namespace

struct TTextRasterizer::TImpl {
    FT_Library Lib = nullptr;
    std::map<TFontFile, FT_Face> Faces;
    std::map<std::tuple<std::string, int32_t, bool>, TFontFile> Files;

    ~TImpl() {
        for (auto& [file, face] : Faces)
            if (face) FT_Done_Face(face);
        if (Lib) FT_Done_FreeType(Lib);
    }

    FT_Face FaceFor(const TLogFontW& font) {
        if (!Lib) return nullptr;
        const auto key = std::make_tuple(FaceName(font), font.lfWeight, font.lfItalic != 0);
        auto fit = Files.find(key);
        if (fit == Files.end()) fit = Files.emplace(key, ResolveFontFile(font)).first;
        auto it = Faces.find(fit->second);
        if (it != Faces.end()) return it->second;
        FT_Face face = nullptr;
        if (fit->second.Path.empty() ||
            FT_New_Face(Lib, fit->second.Path.c_str(), fit->second.Index, &face) != 0)
            face = nullptr;
        Faces.emplace(fit->second, face);
        return face;
    }
};

TTextRasterizer::TTextRasterizer() : fImpl(std::make_unique<TImpl>()) {
    if (FT_Init_FreeType(&fImpl->Lib) != 0) fImpl->Lib = nullptr;
}

TTextRasterizer::~TTextRasterizer() = default;

TTextBitmap TTextRasterizer::Render(const TLogFontW& font, const std::string& utf8) {
    TTextBitmap out;
    FT_Face face = fImpl->FaceFor(font);
    if (!face || face->units_per_EM == 0) return out;

    // Cell height (ascent + descent) in font units, as the Windows metrics give it.
    double ascentUnits = face->ascender, descentUnits = -face->descender;
    if (auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
        os2 && os2->usWinAscent + os2->usWinDescent > 0) {
        ascentUnits = os2->usWinAscent;
        descentUnits = os2->usWinDescent;
    }
    const double em = face->units_per_EM;
    const double cellUnits = std::max(ascentUnits + descentUnits, 1.0);
    double emPx;
    if (font.lfHeight < 0)
        emPx = -double(font.lfHeight);
    else
        emPx = (font.lfHeight > 0 ? font.lfHeight : kDefaultCellHeight) * em / cellUnits;
    emPx = std::clamp(std::nearbyint(emPx), 1.0, std::floor(kMaxCellHeight * em / cellUnits));
    if (FT_Set_Pixel_Sizes(face, 0, FT_UInt(emPx)) != 0) return out;
    const int32_t ascent = int32_t(std::nearbyint(ascentUnits * emPx / em));
    const int32_t descent = int32_t(std::nearbyint(descentUnits * emPx / em));

    struct TPlaced {
        char32_t Code;
        int32_t X;
    };
    std::vector<TPlaced> placed;
    int32_t pen = 0;
    for (char32_t c : CodePoints(utf8)) {
        if (FT_Load_Char(face, c, FT_LOAD_DEFAULT | FT_LOAD_TARGET_MONO) != 0) continue;
        const int32_t advance = int32_t((face->glyph->advance.x + 32) >> 6);
        if (pen + advance > kMaxWidth) break;
        placed.push_back({c, pen});
        pen += advance;
    }
    out.Width = pen;
    out.Height = std::clamp(ascent + descent, 0, kMaxCellHeight);
    out.Mask.assign(size_t(out.Width) * size_t(out.Height), 0);
    for (const TPlaced& p : placed) {
        if (FT_Load_Char(face, p.Code, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME) != 0)
            continue;
        const FT_Bitmap& bm = face->glyph->bitmap;
        if (bm.pixel_mode != FT_PIXEL_MODE_MONO) continue;
        const int32_t x0 = p.X + face->glyph->bitmap_left;
        const int32_t y0 = ascent - face->glyph->bitmap_top;
        for (int32_t row = 0; row < int32_t(bm.rows); ++row) {
            const int32_t y = y0 + row;
            if (y < 0 || y >= out.Height) continue;
            const uint8_t* src = bm.buffer + int64_t(row) * bm.pitch;
            for (int32_t col = 0; col < int32_t(bm.width); ++col) {
                const int32_t x = x0 + col;
                if (x < 0 || x >= out.Width) continue;
                if (src[col >> 3] & (0x80 >> (col & 7)))
                    out.Mask[size_t(y) * size_t(out.Width) + size_t(x)] = 1;
            }
        }
    }
    return out;
}

}  // namespace tk3d
