#include "layoutfile/LogFonts.h"

#include <cstring>
#include <string_view>

#include "layoutfile/Stream.h"
#include "platform/TextCodec.h"

namespace tk3d {
namespace {

int32_t Int32At(const uint8_t* p) {
    return int32_t(uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24));
}

// The eight single-byte fields that follow the five numbers in every form.
template <class TFont>
void SetByteFields(TFont& f, const uint8_t* p) {
    f.lfItalic = p[0];
    f.lfUnderline = p[1];
    f.lfStrikeOut = p[2];
    f.lfCharSet = p[3];
    f.lfOutPrecision = p[4];
    f.lfClipPrecision = p[5];
    f.lfQuality = p[6];
    f.lfPitchAndFamily = p[7];
}

template <class TFont>
void SetNumbers(TFont& f, const int32_t n[5]) {
    f.lfHeight = n[0];
    f.lfWidth = n[1];
    f.lfEscapement = n[2];
    f.lfOrientation = n[3];
    f.lfWeight = n[4];
}

}  // namespace

TLogFontW LogFontAToW(const TLogFontA& a) {
    TLogFontW w;
    const int32_t numbers[5] = {a.lfHeight, a.lfWidth, a.lfEscapement, a.lfOrientation, a.lfWeight};
    SetNumbers(w, numbers);
    const uint8_t bytes[8] = {a.lfItalic,       a.lfUnderline,     a.lfStrikeOut, a.lfCharSet,
                              a.lfOutPrecision, a.lfClipPrecision, a.lfQuality,   a.lfPitchAndFamily};
    SetByteFields(w, bytes);
    size_t len = 0;
    while (len < 32 && a.lfFaceName[len] != 0) ++len;
    // Code page 1252 maps every byte to one BMP unit, so 32 bytes fit.
    const std::u16string face = Utf8ToUtf16(AnsiToUtf8(std::string_view(a.lfFaceName, len)));
    for (size_t i = 0; i < 32; ++i) w.lfFaceName[i] = i < face.size() ? face[i] : 0;
    return w;
}

TLogFontA LogFontAFromBytes(const uint8_t bytes[60]) {
    TLogFontA f;
    const int32_t numbers[5] = {Int32At(bytes), Int32At(bytes + 4), Int32At(bytes + 8), Int32At(bytes + 12),
                                Int32At(bytes + 16)};
    SetNumbers(f, numbers);
    SetByteFields(f, bytes + 20);
    std::memcpy(f.lfFaceName, bytes + 28, 32);
    return f;
}

TLogFontW LogFontWFromBytes(const uint8_t bytes[92]) {
    TLogFontW f;
    const int32_t numbers[5] = {Int32At(bytes), Int32At(bytes + 4), Int32At(bytes + 8), Int32At(bytes + 12),
                                Int32At(bytes + 16)};
    SetNumbers(f, numbers);
    SetByteFields(f, bytes + 20);
    for (int i = 0; i < 32; ++i) f.lfFaceName[i] = char16_t(bytes[28 + 2 * i] | (bytes[29 + 2 * i] << 8));
    return f;
}

TLogFontW ReadLogFontW(TCLStream& stream) {
    uint8_t bytes[92];
    stream.ReadBuffer(bytes, sizeof bytes);
    return LogFontWFromBytes(bytes);
}

TLogFontW ReadLogFontA(TCLStream& stream) {
    uint8_t bytes[60];
    stream.ReadBuffer(bytes, sizeof bytes);
    return LogFontAToW(LogFontAFromBytes(bytes));
}

TLogFontW ReadLogFont16(TCLStream& stream) {
    TLogFontA a;
    int32_t numbers[5];
    for (int32_t& n : numbers) n = ReadInt16(stream);
    SetNumbers(a, numbers);
    uint8_t bytes[8];
    stream.ReadBuffer(bytes, sizeof bytes);
    SetByteFields(a, bytes);
    stream.ReadBuffer(a.lfFaceName, sizeof a.lfFaceName);
    return LogFontAToW(a);
}

TLogPen ReadLogPen(TCLStream& stream) {
    TLogPen pen;
    pen.lopnStyle = stream.ReadCardinal();
    pen.lopnWidth.X = stream.ReadInteger();
    pen.lopnWidth.Y = stream.ReadInteger();
    pen.lopnColor = stream.ReadCardinal();
    return pen;
}

}  // namespace tk3d
