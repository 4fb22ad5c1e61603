// Decoding extended values scales the mantissa by a power of two built
// from its bits where the result is a normal double. Across the whole
// exponent range and with mantissas that need rounding, it must agree with
// the general ldexp path bit for bit.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

#include "layoutfile/Extended.h"

namespace {

double Reference(const uint8_t b[10]) {
    uint64_t mantissa = 0;
    for (int i = 7; i >= 0; --i) mantissa = (mantissa << 8) | b[i];
    const unsigned expField = (unsigned(b[9] & 0x7F) << 8) | b[8];
    if (expField == 0x7FFF || mantissa == 0) return tk3d::DecodeExtended(b);  // not scaled
    const double v = std::ldexp(double(mantissa), (expField == 0 ? 1 : int(expField)) - 16383 - 63);
    return (b[9] & 0x80) ? -v : v;
}

TEST(ExtendedTest, ScalingAgreesWithLdexpOverTheWholeRange) {
    std::mt19937_64 random(7);
    for (int i = 0; i < 200000; ++i) {
        uint8_t b[10];
        const uint64_t mantissa = random() | (i % 3 ? 0x8000000000000000ull : 0);
        // Exponents near the edges of double's range, and anywhere.
        const unsigned expField =
            i % 2 ? unsigned(random() % 0x7FFF) : unsigned(16383 - 1100 + random() % 2200);
        std::memcpy(b, &mantissa, 8);
        b[8] = uint8_t(expField);
        b[9] = uint8_t((expField >> 8) | (i % 5 == 0 ? 0x80 : 0));
        const double got = tk3d::DecodeExtended(b), want = Reference(b);
        ASSERT_EQ(std::memcmp(&got, &want, sizeof got), 0) << expField << " " << mantissa;
    }
}

}  // namespace
