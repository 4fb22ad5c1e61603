// A small random generator whose sequence is fixed by its seed on every
// platform: the standard distributions may differ between libraries, this
// does not, so a seed names the same layout everywhere.
#pragma once
#include <cstdint>

namespace tk3d::gen {

class TSplitMix {
public:
    explicit TSplitMix(uint64_t seed) : fState(seed) {}

    uint64_t Next() {
        uint64_t z = (fState += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // In [0, 1), from the top 53 bits.
    double Uniform() { return double(Next() >> 11) * 0x1.0p-53; }
    double Range(double lo, double hi) { return lo + (hi - lo) * Uniform(); }
    bool Chance(double p) { return Uniform() < p; }
    // In [0, n); n > 0.
    uint32_t Below(uint32_t n) { return uint32_t((Next() >> 32) * n >> 32); }
    template <class T, size_t N>
    const T& Pick(const T (&items)[N]) {
        return items[Below(uint32_t(N))];
    }

private:
    uint64_t fState;
};

}  // namespace tk3d::gen
