#include "platform/FontMetrics.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H
#include FT_ADVANCES_H

#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>
#include <string>
#include <tuple>

#include "platform/FontFiles.h"
#include "platform/TextCodec.h"

namespace tk3d {

namespace {

constexpr double kDefaultCellHeight = 16;

// Font-unit metrics of one face, read once.
struct TFaceMetrics {
    FT_Face face = nullptr;
    double unitsPerEm = 0;
    double cellUnits = 0;
    bool scalable = false;
};

class TFaceCache {
public:
    ~TFaceCache() {
        for (auto& [file, metrics] : fFaces)
            if (metrics.face) FT_Done_Face(metrics.face);
        if (fLib) FT_Done_FreeType(fLib);
    }

    // Runs f with the face's metrics (face null when none could be opened)
    // while holding the lock: FreeType faces are not thread-safe.
    template <class F>
    auto With(const TLogFontW& font, F&& f) {
        std::lock_guard lock(fLock);
        return f(Lookup(font));
    }

private:
    const TFaceMetrics& Lookup(const TLogFontW& font) {
        // fontconfig matching is slow next to a measurement: remember it.
        const TResolveKey key{FaceName(font), font.lfWeight, font.lfItalic != 0};
        auto resolved = fFiles.find(key);
        if (resolved == fFiles.end()) resolved = fFiles.emplace(key, ResolveFontFile(font)).first;
        const TFontFile& file = resolved->second;
        auto it = fFaces.find(file);
        if (it != fFaces.end()) return it->second;
        TFaceMetrics& m = fFaces[file];
        if (file.Path.empty()) return m;
        if (!fLib && FT_Init_FreeType(&fLib) != 0) {
            fLib = nullptr;
            return m;
        }
        if (FT_New_Face(fLib, file.Path.c_str(), file.Index, &m.face) != 0 || m.face->units_per_EM == 0) {
            if (m.face) FT_Done_Face(m.face);
            m.face = nullptr;
            return m;
        }
        m.unitsPerEm = m.face->units_per_EM;
        // The cell of the Windows metrics: the OS/2 table's ascent and descent.
        double cell = double(m.face->ascender) - m.face->descender;
        if (auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(m.face, FT_SFNT_OS2));
            os2 && os2->usWinAscent + os2->usWinDescent > 0)
            cell = double(os2->usWinAscent) + os2->usWinDescent;
        m.cellUnits = std::max(cell, 1.0);
        m.scalable = FT_IS_SCALABLE(m.face) && FT_IS_SFNT(m.face);
        return m;
    }

    using TResolveKey = std::tuple<std::string, int32_t, bool>;

    std::mutex fLock;
    std::map<TResolveKey, TFontFile> fFiles;
    FT_Library fLib = nullptr;
    std::map<TFontFile, TFaceMetrics> fFaces;
};

TFaceCache& Faces() {
    static TFaceCache cache;
    return cache;
}

int32_t Saturate(double v) {
    if (!(v > 0)) return 0;
    return v >= double(INT32_MAX) ? INT32_MAX : int32_t(std::nearbyint(v));
}

std::u32string CodePoints(std::string_view utf8) {
    const std::u16string u = Utf8ToUtf16(utf8);
    std::u32string out;
    out.reserve(u.size());
    for (size_t i = 0; i < u.size(); ++i) {
        const char32_t c = u[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < u.size() && u[i + 1] >= 0xDC00 && u[i + 1] < 0xE000) {
            out.push_back(0x10000 + ((c - 0xD800) << 10) + (u[i + 1] - 0xDC00));
            ++i;
        } else {
            out.push_back(c);
        }
    }
    return out;
}

}  // namespace

TTextExtent MeasureText(const TLogFontW& font, std::string_view utf8) {
    const std::u32string text = CodePoints(utf8);
    return Faces().With(font, [&](const TFaceMetrics& m) {
        const double h = font.lfHeight;
        TTextExtent e;
        if (!m.face) {
            // No font at all: an average character half as wide as high.
            const double cell = h < 0 ? -h * 1.15 : (h > 0 ? h : kDefaultCellHeight);
            e.cx = Saturate(cell * 0.45 * double(text.size()));
            e.cy = Saturate(cell);
            return e;
        }
        const double em = h < 0 ? -h : (h > 0 ? h : kDefaultCellHeight) * m.unitsPerEm / m.cellUnits;
        double units = 0;
        for (char32_t c : text) {
            FT_Fixed advance = 0;
            FT_Get_Advance(m.face, FT_Get_Char_Index(m.face, c), FT_LOAD_NO_SCALE, &advance);
            units += double(advance);
        }
        e.cx = Saturate(units * em / m.unitsPerEm);
        e.cy = Saturate(m.cellUnits * em / m.unitsPerEm);
        return e;
    });
}

bool IsScalableFont(const TLogFontW& font) {
    return Faces().With(font, [](const TFaceMetrics& m) { return m.face && m.scalable; });
}

}  // namespace tk3d
