// Conversions at the edge of the reader: strings are UTF-8 inside the program.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tk3d {

// ANSI text in Windows code page 1252 to UTF-8 (undefined bytes map to U+FFFD).
std::string AnsiToUtf8(std::string_view ansi);

// UTF-16 code units to UTF-8; unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(const char16_t* units, size_t count);

// Little-endian UTF-16 bytes (2 * count) to UTF-8.
std::string Utf16LEBytesToUtf8(const uint8_t* bytes, size_t count);

// UTF-8 to UTF-16 code units (invalid sequences become U+FFFD).
std::u16string Utf8ToUtf16(std::string_view utf8);

// UTF-8 to code page 1252; characters it lacks become '?'.
std::string Utf8ToAnsi(std::string_view utf8);

}  // namespace tk3d
