// Logical fonts and pens as layout files store them: the wide form (92
// bytes), the ANSI form (60 bytes), the form of the old 16-bit files (50
// bytes) and the logical pen (16 bytes).
#pragma once
#include <cstdint>

#include "platform/WinTypes.h"

namespace tk3d {

class TCLStream;

// ANSI logical font (60 bytes): the numbers of TLogFontW, an ANSI face name.
struct TLogFontA {
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
    char lfFaceName[32] = {};
};
static_assert(sizeof(TLogFontA) == 60, "ANSI logical font is stored byte-exact");

// Copies the numbers and converts the face name (up to its first zero byte,
// at most 32 bytes) from code page 1252 to UTF-16.
TLogFontW LogFontAToW(const TLogFontA& font);

// Decode the byte images of the records (little-endian, as in a file).
TLogFontA LogFontAFromBytes(const uint8_t bytes[60]);
TLogFontW LogFontWFromBytes(const uint8_t bytes[92]);

// Stream readers; each reads its whole record or raises "Stream-Lesefehler".
TLogFontW ReadLogFontW(TCLStream& stream);
// The 60-byte ANSI record, converted with LogFontAToW.
TLogFontW ReadLogFontA(TCLStream& stream);
// The 50-byte record of 16-bit files (SmallInt numbers), converted.
TLogFontW ReadLogFont16(TCLStream& stream);
TLogPen ReadLogPen(TCLStream& stream);

}  // namespace tk3d
