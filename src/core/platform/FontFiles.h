// Resolution of Windows logical fonts to installed font files: face name,
// weight and italic flag are matched by fontconfig, whose aliases put the
// metric-compatible faces in place of the Windows ones.
#pragma once
#include <string>

#include "platform/WinTypes.h"

namespace tk3d {

struct TFontFile {
    std::string Path;  // empty when no font is installed at all
    int Index = 0;     // face index inside the file
    bool operator<(const TFontFile& o) const { return Path != o.Path ? Path < o.Path : Index < o.Index; }
};

TFontFile ResolveFontFile(const TLogFontW& font);

}  // namespace tk3d
