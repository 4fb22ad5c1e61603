#include "tracks/TrackBody.h"

#include <algorithm>
#include <cmath>

#include "obj3d/GLTools.h"
#include "tracks/RailLines.h"
#include "tracks/Schiene.h"

namespace tk3d {

TLineHeights LineHeights(const TSchiene& piece, double heightOffset) {
    TLineHeights h;
    h.z1 = piece.PointHeight(0);
    if (piece.IsTwoEnded()) {
        h.z2 = piece.PointHeight(1);
    } else {
        h.z1 += heightOffset;
        h.z2 = h.z1;
    }
    return h;
}

TTieTemplate::TTieTemplate(double width) : a(width / 10), b(0.9 * width / 2) {
    s = std::fabs(5 * a) - 1;
    t = 2 * a;
    c = {TExtPoint{a, b}, TExtPoint{a, -b}, TExtPoint{-a, -b}, TExtPoint{-a, b}};
}

bool TTieTemplate::HasTies() const { return s >= TGeradeSchienenLinie::kMinTieSpacing; }

TTieHeights TieHeights(const TSchiene& piece, double heightOffset, double tilt, double length,
                       double tieSteps) {
    TTieHeights h;
    h.z = piece.PointHeight(0);
    if (piece.IsTwoEnded()) {
        const double dz = SnapZero(piece.PointHeight(1) - h.z);
        if (std::fabs(length) > 0.0001) {
            h.tilt = SnapZero(tilt * dz / length);
            // A line too short for a single spacing rises in one step.
            if (std::fabs(tieSteps) > 0) h.step = SnapZero(dz / tieSteps);
        }
    } else {
        h.z += heightOffset;
    }
    h.z += h.step / 2 + 1;
    return h;
}

int64_t BoundedTieCount(double ratio) {
    return std::clamp<int64_t>(RoundToInt64(ratio), 0, TGeradeSchienenLinie::kMaxTies);
}

TCullGuard::TCullGuard(GL& gl, bool enable) : fGL(gl), fEnabled(enable) {
    if (fEnabled) fGL.Enable(GL::CULL_FACE);
}

TCullGuard::~TCullGuard() {
    if (fEnabled) fGL.Disable(GL::CULL_FACE);
}

void NormalQuad(GL& gl, const TDPoint& a, const TDPoint& b, const TDPoint& c, const TDPoint& d) {
    NormalFromVertices(gl, a, b, c, false);
    gl.Vertex(a);
    gl.Vertex(b);
    gl.Vertex(c);
    gl.Vertex(d);
}

void NormalQuadStrip(GL& gl, const std::vector<TDPoint>& a, const std::vector<TDPoint>& b, bool perPair,
                     const TDPoint* firstC) {
    const size_t n = std::min(a.size(), b.size());
    if (n < 2) return;
    if (perPair)
        NormalFromVertices(gl, a[0], b[0], firstC ? *firstC : a[1], false);
    else
        gl.Normal(0, 0, 1);
    gl.Begin(GL::QUAD_STRIP);
    for (size_t i = 0; i < n; ++i) {
        if (perPair && i >= 2) NormalFromVertices(gl, a[i - 1], b[i - 1], a[i], false);
        gl.Vertex(a[i]);
        gl.Vertex(b[i]);
    }
    gl.End();
}

void LineStrip(GL& gl, const std::vector<TDPoint>& points) {
    if (points.size() < 2) return;
    gl.Begin(GL::LINE_STRIP);
    for (const TDPoint& p : points) gl.Vertex(p);
    gl.End();
}

void Segment(GL& gl, const TDPoint& a, const TDPoint& b) {
    gl.Vertex(a);
    gl.Vertex(b);
}

}  // namespace tk3d
