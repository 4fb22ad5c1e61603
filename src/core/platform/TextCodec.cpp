#include "platform/TextCodec.h"

#include <vector>

namespace tk3d {
namespace {

// Code points of bytes 0x80..0x9F in code page 1252 (0xFFFD: undefined).
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
    0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

char32_t AnsiToCodePoint(uint8_t c) {
    if (c >= 0x80 && c < 0xA0) return kCp1252High[c - 0x80];
    return c;
}

// Decodes one UTF-8 sequence at s[i], advancing i; invalid input gives U+FFFD.
char32_t NextCodePoint(std::string_view s, size_t& i) {
    const uint8_t c = uint8_t(s[i++]);
    if (c < 0x80) return c;
    int extra;
    char32_t cp;
    if ((c & 0xE0) == 0xC0) { extra = 1; cp = c & 0x1F; }
    else if ((c & 0xF0) == 0xE0) { extra = 2; cp = c & 0x0F; }
    else if ((c & 0xF8) == 0xF0) { extra = 3; cp = c & 0x07; }
    else return 0xFFFD;
    for (int k = 0; k < extra; ++k) {
        if (i >= s.size() || (uint8_t(s[i]) & 0xC0) != 0x80) return 0xFFFD;
        cp = (cp << 6) | (uint8_t(s[i++]) & 0x3F);
    }
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0xFFFD;
    return cp;
}

}  // namespace

std::string AnsiToUtf8(std::string_view ansi) {
    std::string out;
    out.reserve(ansi.size());
    for (char ch : ansi) AppendUtf8(out, AnsiToCodePoint(uint8_t(ch)));
    return out;
}

std::string Utf16ToUtf8(const char16_t* u, size_t n) {
    std::string out;
    out.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        char32_t c = u[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < n && u[i + 1] >= 0xDC00 && u[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (u[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        AppendUtf8(out, c);
    }
    return out;
}

std::string Utf16LEBytesToUtf8(const uint8_t* bytes, size_t count) {
    std::vector<char16_t> units(count);
    for (size_t i = 0; i < count; ++i)
        units[i] = char16_t(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    return Utf16ToUtf8(units.data(), count);
}

std::u16string Utf8ToUtf16(std::string_view s) {
    std::u16string out;
    size_t i = 0;
    while (i < s.size()) {
        char32_t cp = NextCodePoint(s, i);
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += char16_t(0xD800 + (cp >> 10));
            out += char16_t(0xDC00 + (cp & 0x3FF));
        } else {
            out += char16_t(cp);
        }
    }
    return out;
}

std::string Utf8ToAnsi(std::string_view s) {
    std::string out;
    size_t i = 0;
    while (i < s.size()) {
        const char32_t cp = NextCodePoint(s, i);
        if (cp < 0x80 || (cp >= 0xA0 && cp < 0x100)) {
            out += char(cp);
            continue;
        }
        char mapped = '?';
        for (int k = 0; k < 32; ++k)
            if (kCp1252High[k] == cp && cp != 0xFFFD) mapped = char(0x80 + k);
        out += mapped;
    }
    return out;
}

}  // namespace tk3d
