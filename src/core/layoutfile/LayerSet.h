// A set of layers 0..255 stored as 32 bytes: bit n of byte n div 8.
#pragma once
#include <array>
#include <cstdint>
#include <vector>

namespace tk3d {

struct TLayerSet {
    std::array<uint8_t, 32> bits{};

    // Numbers outside 0..255 are in no set.
    bool Contains(int64_t layer) const {
        return layer >= 0 && layer <= 255 && (bits[size_t(layer >> 3)] >> (layer & 7)) & 1;
    }
    // Adding or removing a number outside 0..255 changes nothing.
    void Add(int64_t layer) {
        if (layer >= 0 && layer <= 255) bits[size_t(layer >> 3)] |= uint8_t(1u << (layer & 7));
    }
    void Remove(int64_t layer) {
        if (layer >= 0 && layer <= 255) bits[size_t(layer >> 3)] &= uint8_t(~(1u << (layer & 7)));
    }
    void Clear() { bits.fill(0); }
    bool IsEmpty() const {
        for (uint8_t b : bits)
            if (b) return false;
        return true;
    }
    std::vector<int> Layers() const {
        std::vector<int> out;
        for (int n = 0; n < 256; ++n)
            if (Contains(n)) out.push_back(n);
        return out;
    }
    bool operator==(const TLayerSet&) const = default;
};

}  // namespace tk3d
