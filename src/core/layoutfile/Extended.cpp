#include "layoutfile/Extended.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace tk3d {

double DecodeExtended(const uint8_t b[10]) {
    uint64_t mantissa = 0;
    for (int i = 7; i >= 0; --i) mantissa = (mantissa << 8) | b[i];
    const unsigned expField = (unsigned(b[9] & 0x7F) << 8) | b[8];
    const bool negative = (b[9] & 0x80) != 0;
    double result;
    if (expField == 0x7FFF) {
        // Infinity when the fraction bits are clear, NaN otherwise.
        if ((mantissa << 1) == 0)
            result = std::numeric_limits<double>::infinity();
        else
            result = std::numeric_limits<double>::quiet_NaN();
    } else if (mantissa == 0) {
        result = 0.0;
    } else {
        // value = mantissa * 2^(exp - 16383 - 63); denormals use exponent 1.
        const int exp = (expField == 0 ? 1 : int(expField)) - 16383 - 63;
        if (exp >= -1022 && exp <= 1023 - 64) {
            // The common case: the result is a normal double, so scaling by
            // an exact power of two gives what ldexp gives, only faster.
            const uint64_t scaleBits = uint64_t(exp + 1023) << 52;
            double scale;
            std::memcpy(&scale, &scaleBits, sizeof scale);
            result = double(mantissa) * scale;
        } else {
            result = std::ldexp(double(mantissa), exp);
        }
    }
    return negative ? -result : result;
}

void EncodeExtended(double value, uint8_t b[10]) {
    std::memset(b, 0, 10);
    uint64_t mantissa = 0;
    unsigned expField = 0;
    const bool negative = std::signbit(value);
    if (std::isnan(value)) {
        expField = 0x7FFF;
        mantissa = 0xC000000000000000ull;
    } else if (std::isinf(value)) {
        expField = 0x7FFF;
        mantissa = 0x8000000000000000ull;
    } else if (value != 0.0) {
        int e = 0;
        const double frac = std::frexp(std::fabs(value), &e);  // [0.5, 1)
        mantissa = uint64_t(std::ldexp(frac, 64));
        expField = unsigned(e - 1 + 16383);
    }
    for (int i = 0; i < 8; ++i) b[i] = uint8_t(mantissa >> (8 * i));
    b[8] = uint8_t(expField & 0xFF);
    b[9] = uint8_t((expField >> 8) & 0x7F) | (negative ? 0x80 : 0);
}

}  // namespace tk3d
