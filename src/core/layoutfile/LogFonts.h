// Logical fonts and pens as layout files store them: the wide form (92
// bytes), the ANSI form (60 bytes), the form of the old 16-bit files (50
// bytes) and the logical pen (16 bytes).
#pragma once
#include <cstdint>

#include "platform/WinTypes.h"

namespace tk3d {

class TCLStream;

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
