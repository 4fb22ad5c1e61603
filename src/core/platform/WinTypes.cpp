#include "platform/WinTypes.h"

#include "platform/TextCodec.h"

namespace tk3d {

std::string FaceName(const TLogFontW& font) {
    size_t n = 0;
    while (n < 32 && font.lfFaceName[n] != 0) ++n;
    return Utf16ToUtf8(font.lfFaceName, n);
}

void SetFaceName(TLogFontW& font, const std::string& utf8) {
    const std::u16string units = Utf8ToUtf16(utf8);
    size_t n = std::min<size_t>(units.size(), 31);
    for (size_t i = 0; i < 32; ++i) font.lfFaceName[i] = i < n ? units[i] : 0;
}

}  // namespace tk3d
