// The 3D records of the drawing code: points in double and single precision
// and the 32-byte vertex entry of library 3D primitives (stored byte-exact).
#pragma once
#include <cstdint>
#include <vector>

#include "platform/WinTypes.h"

namespace tk3d {

struct TDPoint {
    double X = 0;
    double Y = 0;
    double Z = 0;
    bool operator==(const TDPoint&) const = default;
};
static_assert(sizeof(TDPoint) == 24);

// Raster positions of bitmap texts.
struct TFPoint {
    float X = 0;
    float Y = 0;
    float Z = 0;
    bool operator==(const TFPoint&) const = default;
};
static_assert(sizeof(TFPoint) == 12);

// One entry of a vertex list: a position, or (flag bit 1) a normal vector.
struct T3DVertex {
    double X = 0;
    double Y = 0;
    double Z = 0;
    TColorRef Color = 0;
    uint8_t Flags = 0;
    uint8_t Padding[3] = {};
};
static_assert(sizeof(T3DVertex) == 32);

inline bool IsNormalEntry(const T3DVertex& v) { return (v.Flags & 2) != 0; }
inline bool HasOwnColor(const T3DVertex& v) { return (v.Flags & 1) != 0; }
inline void MarkAsNormalEntry(T3DVertex& v) { v.Flags = 2; }
inline void SetOwnColor(T3DVertex& v, bool on) { v.Flags = on ? 1 : 0; }

using TVertexArray = std::vector<T3DVertex>;
using TDPointArray = std::vector<TDPoint>;
using TStacks = std::vector<TDPointArray>;

inline TDPoint MakeDPoint(double x, double y, double z) { return {x, y, z}; }
inline TFPoint MakeFPoint(double x, double y, double z) { return {float(x), float(y), float(z)}; }

}  // namespace tk3d
