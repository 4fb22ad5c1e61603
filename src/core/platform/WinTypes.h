// Plain records of the layout format that came from its original platform:
// integer points and rectangles, logical fonts and pens, colour references.
#pragma once
#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>

namespace tk3d {

// 0x00BBGGRR: red in the lowest byte.
using TColorRef = uint32_t;

struct TPoint {
    int32_t X = 0;
    int32_t Y = 0;
    bool operator==(const TPoint&) const = default;
};

// Integer rectangle in layout millimetres; Y points up, so a normalised
// rectangle has Left <= Right and Bottom <= Top.
struct TRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;
    bool operator==(const TRect&) const = default;
};

// Adds without overflowing 32 bits.
inline int32_t SatAdd(int32_t a, int64_t b) {
    const int64_t r = int64_t(a) + b;
    return int32_t(std::clamp<int64_t>(r, INT32_MIN, INT32_MAX));
}

// The "empty" start rectangle of unions: every real rectangle replaces it.
inline TRect EmptyUnionRect() { return {INT32_MAX, INT32_MIN + 1, INT32_MIN + 1, INT32_MAX}; }
inline bool IsEmptyUnionRect(const TRect& r) { return r.Left > r.Right || r.Bottom > r.Top; }

// Left <= Right and Bottom <= Top.
inline TRect NormalizedRect(const TRect& r) {
    return {std::min(r.Left, r.Right), std::max(r.Top, r.Bottom), std::max(r.Left, r.Right),
            std::min(r.Top, r.Bottom)};
}

// Union in which an empty rectangle counts as absent.
inline void UnionRect(TRect& into, const TRect& other) {
    if (IsEmptyUnionRect(other)) return;
    if (IsEmptyUnionRect(into)) {
        into = other;
        return;
    }
    into.Left = std::min(into.Left, other.Left);
    into.Right = std::max(into.Right, other.Right);
    into.Top = std::max(into.Top, other.Top);
    into.Bottom = std::min(into.Bottom, other.Bottom);
}

inline TRect OffsetRect(const TRect& r, int64_t dx, int64_t dy) {
    return {SatAdd(r.Left, dx), SatAdd(r.Top, dy), SatAdd(r.Right, dx), SatAdd(r.Bottom, dy)};
}

// Logical font: the numbers, then a 32-character face name of the character
// type: UTF-16 for the wide form (92 bytes in a file), bytes of code page 1252
// for the ANSI form (60 bytes).
template <class TFaceChar>
struct TLogFontT {
    int32_t lfHeight = 0;
    int32_t lfWidth = 0;
    int32_t lfEscapement = 0;
    int32_t lfOrientation = 0;
    int32_t lfWeight = 0;
    uint8_t lfItalic = 0;
    uint8_t lfUnderline = 0;
    uint8_t lfStrikeOut = 0;
    uint8_t lfCharSet = 0;
    uint8_t lfOutPrecision = 0;
    uint8_t lfClipPrecision = 0;
    uint8_t lfQuality = 0;
    uint8_t lfPitchAndFamily = 0;
    TFaceChar lfFaceName[32] = {};
    bool operator==(const TLogFontT&) const = default;
};
using TLogFontW = TLogFontT<char16_t>;
using TLogFontA = TLogFontT<char>;
static_assert(sizeof(TLogFontA) == 60, "ANSI logical font is stored byte-exact");
static_assert(sizeof(TLogFontW) == 92, "wide logical font is stored byte-exact");

// Logical pen (16 bytes): width is the X of a point whose Y is 0.
struct TLogPen {
    uint32_t lopnStyle = 0;
    TPoint lopnWidth;
    TColorRef lopnColor = 0;
    bool operator==(const TLogPen&) const = default;
};
static_assert(sizeof(TLogPen) == 16, "logical pen is stored byte-exact");

// Face name of a logical font as UTF-8 (up to its first zero unit).
std::string FaceName(const TLogFontW& font);
// Sets the face name, cut to 31 UTF-16 units plus terminator.
void SetFaceName(TLogFontW& font, const std::string& utf8);

}  // namespace tk3d
