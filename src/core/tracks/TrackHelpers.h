// Small helpers the track classes share: reading measures that scale
// generated geometry, and widening a rectangle by a point.
#pragma once
#include <algorithm>
#include <cmath>

#include "layoutfile/Stream.h"
#include "platform/WinTypes.h"

namespace tk3d {

// An extended value that is no number counts as not set (0).
inline double ReadFiniteOrZero(TCLStream& stream) {
    const double v = stream.ReadExtended();
    return std::isfinite(v) ? v : 0;
}

// Grows r (Top >= Bottom) to hold p; the empty union rectangle becomes p.
inline void WidenByPoint(TRect& r, const TPoint& p) {
    r.Left = std::min(r.Left, p.X);
    r.Right = std::max(r.Right, p.X);
    r.Top = std::max(r.Top, p.Y);
    r.Bottom = std::min(r.Bottom, p.Y);
}

}  // namespace tk3d
