// Portable decoding of the x87 80-bit extended float stored in layout files.
#pragma once
#include <cstdint>

namespace tk3d {

// Decodes 10 little-endian bytes (64-bit mantissa with explicit integer bit,
// 15-bit exponent, sign). Values beyond double range become +-infinity,
// unnormals are decoded by their bits, NaNs stay NaN.
double DecodeExtended(const uint8_t bytes[10]);

// Encodes a double as 10 bytes of x87 extended (exact: every double fits).
void EncodeExtended(double value, uint8_t bytes[10]);

}  // namespace tk3d
