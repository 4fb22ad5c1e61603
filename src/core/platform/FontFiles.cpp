#include "platform/FontFiles.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>

namespace tk3d {

TFontFile ResolveFontFile(const TLogFontW& font) {
    TFontFile out;
    FcPattern* pattern = FcPatternCreate();
    if (!pattern) return out;
    const std::string face = FaceName(font);
    FcPatternAddString(pattern, FC_FAMILY,
                       reinterpret_cast<const FcChar8*>(face.empty() ? "sans-serif" : face.c_str()));
    // 0 is "don't care" in a logical font.
    const int weight = font.lfWeight > 0 ? std::min(font.lfWeight, 1000) : 400;
    FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(weight));
    FcPatternAddInteger(pattern, FC_SLANT, font.lfItalic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    if (match) {
        FcChar8* file = nullptr;
        if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file)
            out.Path = reinterpret_cast<const char*>(file);
        int index = 0;
        if (FcPatternGetInteger(match, FC_INDEX, 0, &index) == FcResultMatch) out.Index = index;
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return out;
}

}  // namespace tk3d
