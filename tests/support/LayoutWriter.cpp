#include "LayoutWriter.h"

#include <cmath>
#include <cstring>

namespace tk3dw {

void TLayoutWriter::Word(uint16_t v) {
    Byte(uint8_t(v));
    Byte(uint8_t(v >> 8));
}

void TLayoutWriter::Integer(int32_t v) {
    const uint32_t u = uint32_t(v);
    for (int i = 0; i < 4; ++i) Byte(uint8_t(u >> (8 * i)));
}

void TLayoutWriter::Int64(int64_t v) {
    const uint64_t u = uint64_t(v);
    for (int i = 0; i < 8; ++i) Byte(uint8_t(u >> (8 * i)));
}

void TLayoutWriter::Single(float v) {
    uint32_t u;
    std::memcpy(&u, &v, 4);
    Cardinal(u);
}

void TLayoutWriter::Double(double v) {
    uint64_t u;
    std::memcpy(&u, &v, 8);
    Int64(int64_t(u));
}

void TLayoutWriter::Extended(double v) {
    uint64_t mantissa = 0;
    unsigned exponent = 0;
    const bool negative = std::signbit(v);
    if (std::isnan(v)) {
        exponent = 0x7FFF;
        mantissa = 0xC000000000000000ull;
    } else if (std::isinf(v)) {
        exponent = 0x7FFF;
        mantissa = 0x8000000000000000ull;
    } else if (v != 0) {
        int e;
        const double f = std::frexp(std::fabs(v), &e);
        mantissa = uint64_t(std::ldexp(f, 64));
        exponent = unsigned(16383 + e - 1);
    }
    Int64(int64_t(mantissa));
    Word(uint16_t(exponent | (negative ? 0x8000 : 0)));
}

void TLayoutWriter::Raw(const void* data, size_t n) {
    const uint8_t* p = static_cast<const uint8_t*>(data);
    bytes.insert(bytes.end(), p, p + n);
}

void TLayoutWriter::StrWrite(std::string_view ansi, bool is32Bit) {
    if (is32Bit)
        Integer(int32_t(ansi.size()));
    else
        SmallInt(int16_t(ansi.size()));
    Raw(ansi);
}

void TLayoutWriter::WriteString(std::string_view utf8, bool ansi) {
    if (ansi) {
        Integer(int32_t(utf8.size()));
        Raw(utf8);
        return;
    }
    const std::u16string u = ToUtf16(utf8);
    Integer(int32_t(u.size()));
    for (char16_t c : u) Word(c);
}

void TLayoutWriter::WideChars(std::string_view utf8, size_t count) {
    const std::u16string u = ToUtf16(utf8);
    for (size_t i = 0; i < count; ++i) Word(i < u.size() ? u[i] : 0);
}

size_t TLayoutWriter::BeginFrame(int16_t classId, bool is32Bit) {
    SmallInt(classId);
    if (!is32Bit) return SIZE_MAX;
    const size_t at = Pos();
    Integer(0);
    return at;
}

void TLayoutWriter::EndFrame(size_t frame) {
    if (frame != SIZE_MAX) PatchInteger(frame, int32_t(Pos()));
}

size_t TLayoutWriter::BeginEnd64() {
    const size_t at = Pos();
    Int64(0);
    return at;
}

void TLayoutWriter::EndEnd64(size_t at) { PatchInt64(at, int64_t(Pos())); }

size_t TLayoutWriter::BeginEnd32() {
    const size_t at = Pos();
    Integer(0);
    return at;
}

void TLayoutWriter::EndEnd32(size_t at) { PatchInteger(at, int32_t(Pos())); }

void TLayoutWriter::PatchInteger(size_t at, int32_t v) {
    const uint32_t u = uint32_t(v);
    for (int i = 0; i < 4; ++i) bytes[at + i] = uint8_t(u >> (8 * i));
}

void TLayoutWriter::PatchInt64(size_t at, int64_t v) {
    const uint64_t u = uint64_t(v);
    for (int i = 0; i < 8; ++i) bytes[at + i] = uint8_t(u >> (8 * i));
}

std::u16string ToUtf16(std::string_view s) {
    std::u16string out;
    for (size_t i = 0; i < s.size();) {
        const uint8_t c = uint8_t(s[i]);
        char32_t cp;
        int extra;
        if (c < 0x80) { cp = c; extra = 0; }
        else if ((c & 0xE0) == 0xC0) { cp = c & 0x1F; extra = 1; }
        else if ((c & 0xF0) == 0xE0) { cp = c & 0x0F; extra = 2; }
        else { cp = c & 0x07; extra = 3; }
        ++i;
        for (int k = 0; k < extra && i < s.size(); ++k, ++i) cp = (cp << 6) | (uint8_t(s[i]) & 0x3F);
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

}  // namespace tk3dw
