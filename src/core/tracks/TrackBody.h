// Pieces of the 3D track body that the straight and the curved rail line
// share: heights from the piece, the tie template, bounded tie counts,
// faces with their normals and the culling switch.
#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "obj3d/GL.h"
#include "obj3d/Records3D.h"
#include "objects/Geometry.h"

namespace tk3d {

class TSchiene;

// Heights of a line's start and end: a two-ended piece slopes from point 0
// to point 1; any other piece is level at point 0 plus the line's offset.
struct TLineHeights {
    double z1 = 0;
    double z2 = 0;
};
TLineHeights LineHeights(const TSchiene& piece, double heightOffset);

// A tie of track width W in track coordinates (first coordinate along the
// track): corners c0 = (a, b), c1 = (a, -b), c2 = (-a, -b), c3 = (-a, b),
// spacing s from tie to tie and the tilt of a tie on a rising line.
struct TTieTemplate {
    double a = 0;
    double b = 0;
    double s = 0;
    double t = 0;
    std::array<TExtPoint, 4> c{};

    explicit TTieTemplate(double width);
    // Spacings below the minimum would pack ties into a solid band (and a
    // spacing of zero divides by zero): such tracks get no ties.
    bool HasTies() const;
};

// Heights along the ties: the first tie's height, the tilt of every tie and
// the rise from one tie to the next. tieSteps is the line's length in tie
// spacings.
struct TTieHeights {
    double z = 0;
    double tilt = 0;
    double step = 0;
};
TTieHeights TieHeights(const TSchiene& piece, double heightOffset, double tilt, double length,
                       double tieSteps);

// round(ratio), clamped to 0 .. the maximum number of ties of one line.
int64_t BoundedTieCount(double ratio);

// Enables face culling for the guard's lifetime when asked to.
class TCullGuard {
public:
    TCullGuard(GL& gl, bool enable);
    ~TCullGuard();
    TCullGuard(const TCullGuard&) = delete;
    TCullGuard& operator=(const TCullGuard&) = delete;

private:
    GL& fGL;
    bool fEnabled;
};

// Inside GL_QUADS: the normal of the first three corners, then the four.
void NormalQuad(GL& gl, const TDPoint& a, const TDPoint& b, const TDPoint& c, const TDPoint& d);
// A whole quad strip over the pairs (a[i], b[i]). With perPair the normal of
// (a[0], b[0], firstC or a[1]) comes first and, before each pair i >= 2,
// that of (a[i-1], b[i-1], a[i]); otherwise the normal (0, 0, 1) once.
void NormalQuadStrip(GL& gl, const std::vector<TDPoint>& a, const std::vector<TDPoint>& b, bool perPair,
                     const TDPoint* firstC = nullptr);
// A line strip; fewer than two points draw nothing.
void LineStrip(GL& gl, const std::vector<TDPoint>& points);
void Segment(GL& gl, const TDPoint& a, const TDPoint& b);

inline TDPoint AtHeight(const TExtPoint& p, double z) { return {p.X, p.Y, z}; }
inline TDPoint Lifted(const TDPoint& p, double dz) { return {p.X, p.Y, p.Z + dz}; }

}  // namespace tk3d
