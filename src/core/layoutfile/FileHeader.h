// Recognises the format of a layout file from its first ten bytes.
#pragma once
#include <cstdint>
#include <optional>

namespace tk3d {

class TCLStream;

inline constexpr int kHeaderSize = 10;

// Applies the header forms to the ten bytes already read (a file whose first
// byte is 0x1A is handled by the caller). Reads the file version and the
// extra word where the form has them and sets the stream's Is32BitFile and
// IsANSIFile. False when the header matches no form.
bool CheckFileHeader(const uint8_t (&header)[kHeaderSize], TCLStream& stream,
                     std::optional<int32_t>& fileVersion, int32_t& extra);

}  // namespace tk3d
