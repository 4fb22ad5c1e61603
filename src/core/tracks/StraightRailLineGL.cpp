// The 3D body of a straight rail line: band or block, ties and rails,
// outline and ballast bed.
#include <cmath>
#include <span>

#include "layoutfile/GlobalState.h"
#include "obj3d/GLTools.h"
#include "tracks/RailLines.h"
#include "tracks/Schiene.h"
#include "tracks/TrackBody.h"

namespace tk3d {

namespace {

class TStraightBody {
public:
    TStraightBody(GL& gl, const TGeradeSchienenLinie& line, const TSchiene& piece)
        : fGL(gl), fLine(line), fPiece(piece), fBlock(piece.IsBlockTrack()) {
        const TLineHeights h = LineHeights(piece, line.fHeightOffset);
        fZ1 = h.z1;
        fZ2 = h.z2;
        SetEdgeOffset(fLine.fWidth);
    }

    void Draw() {
        const bool ballast = fPiece.BallastShown();
        TCullGuard cull(fGL, ballast || fBlock);
        fGL.PushAttrib(GL::CURRENT_BIT);
        SetGLColor(fGL, fPiece.fFillColor);
        fGL.Begin(GL::QUADS);
        if (fBlock)
            Block();
        else
            Band();
        fGL.End();
        if (fPiece.TiesShown() && !fPiece.HasTrackFlag(TSchiene::kNoTiesFlag)) TiesAndRails();
        fGL.PopAttrib();
        Outline();
        if (ballast) Ballast();
    }

private:
    static constexpr double kBlock = TSchiene::kBlockHeight;

    // The working edge offset: half the band width until rails are drawn,
    // half the gauge afterwards, so that the outline follows the rails.
    void SetEdgeOffset(double width) {
        fAlpha = DirectionAngle(fLine.fStart, fLine.fEnd);
        fE = width / 2 * std::sin(fAlpha);
        fF = -width / 2 * std::cos(fAlpha);
    }
    TDPoint Side(const TExtPoint& p, double sign, double z) const {
        return {p.X + sign * fE, p.Y + sign * fF, z};
    }
    TDPoint P1(double sign, double dz = 0) const { return Side(fLine.fStart, sign, fZ1 + dz); }
    TDPoint P2(double sign, double dz = 0) const { return Side(fLine.fEnd, sign, fZ2 + dz); }

    void Band() {
        if (std::fabs(fZ2 - fZ1) <= 1e-16) {
            fGL.Normal(0, 0, 1);
            for (const TDPoint& p : {P2(+1), P2(-1), P1(-1), P1(+1)}) fGL.Vertex(p);
        } else {
            NormalQuad(fGL, P2(+1), P2(-1), P1(-1), P1(+1));
        }
    }

    void Block() {
        NormalQuad(fGL, P2(+1, kBlock), P2(-1, kBlock), P1(-1, kBlock), P1(+1, kBlock));
        NormalQuad(fGL, P2(+1), P1(+1), P1(-1), P2(-1));
        NormalQuad(fGL, P2(+1), P2(+1, kBlock), P1(+1, kBlock), P1(+1));
        NormalQuad(fGL, P2(-1), P1(-1), P1(-1, kBlock), P2(-1, kBlock));
        if (fLine.fEdgeFlags & kEdgeStart) NormalQuad(fGL, P1(+1), P1(+1, kBlock), P1(-1, kBlock), P1(-1));
        if (fLine.fEdgeFlags & kEdgeEnd) NormalQuad(fGL, P2(+1), P2(-1), P2(-1, kBlock), P2(+1, kBlock));
    }

    void TiesAndRails() {
        if (fBlock) {
            Grooves();
            return;
        }
        Ties();
        Rails();
    }

    // A block track shows four groove lines on its top in the line colour.
    void Grooves() {
        fGL.PopAttrib();
        const double s = std::sin(fAlpha), c = -std::cos(fAlpha);
        const TExtPoint& p1 = fLine.fStart;
        const TExtPoint& p2 = fLine.fEnd;
        const double z1 = fZ1 + kBlock, z2 = fZ2 + kBlock;
        fGL.Begin(GL::LINES);
        for (double o : {16.0, 9.0}) {
            Segment(fGL, {p1.X + o * s, p1.Y + o * c, z1}, {p2.X + o * s, p2.Y + o * c, z2});
            Segment(fGL, {p1.X - o * s, p1.Y - o * c, z1}, {p2.X - o * s, p2.Y - o * c, z2});
        }
        fGL.End();
        fGL.PushAttrib(GL::CURRENT_BIT);
    }

    void Ties() {
        const TTieTemplate tie(fLine.fWidth);
        if (!tie.HasTies()) return;
        const double ca = std::cos(fAlpha), sa = std::sin(fAlpha);
        const double shiftX = RoundToInt(tie.s * ca / 2), shiftY = RoundToInt(tie.s * sa / 2);
        std::array<TExtPoint, 4> c = tie.c;
        for (TExtPoint& p : c) {
            RotatePoint(p, TExtPoint{0, 0}, fAlpha);
            p = {p.X + fLine.fStart.X + shiftX, p.Y + fLine.fStart.Y + shiftY};
        }
        const double stepX = tie.s * ca, stepY = tie.s * sa;
        SetGLColor(fGL, fPiece.fTieColor);
        const double length = fLine.Length();
        TTieHeights h = TieHeights(fPiece, fLine.fHeightOffset, tie.t, length, length / tie.s);
        const int64_t count = BoundedTieCount(PointDistance(fLine.fStart, fLine.fEnd) / tie.s);
        fGL.Begin(GL::QUADS);
        if (h.tilt == 0) fGL.Normal(0, 0, 1);
        for (int64_t i = 0; i < count; ++i) {
            const TDPoint q[4] = {AtHeight(c[3], h.z), AtHeight(c[2], h.z + h.tilt),
                                  AtHeight(c[1], h.z + h.tilt), AtHeight(c[0], h.z)};
            if (h.tilt != 0)
                NormalQuad(fGL, q[0], q[1], q[2], q[3]);
            else
                for (const TDPoint& p : q) fGL.Vertex(p);
            for (TExtPoint& p : c) p = {p.X + stepX, p.Y + stepY};
            h.z += h.step;
        }
        fGL.End();
    }

    void Rails() {
        SetEdgeOffset(fLine.RailGauge());
        SetGLColor(fGL, fPiece.Color);
        fGL.Begin(GL::LINES);
        Segment(fGL, P1(-1, 1), P2(-1, 1));
        Segment(fGL, P1(+1, 1), P2(+1, 1));
        fGL.End();
    }

    void Outline() {
        const bool closed = (fLine.fEdgeFlags & (kEdgeStart | kEdgeEnd)) == (kEdgeStart | kEdgeEnd);
        if (closed) {
            const double lifts[2] = {0, kBlock};
            for (double dz : std::span(lifts, fBlock ? 2 : 1)) {
                fGL.Begin(GL::LINE_LOOP);
                for (const TDPoint& p : {P1(+1, dz), P1(-1, dz), P2(-1, dz), P2(+1, dz)}) fGL.Vertex(p);
                fGL.End();
            }
            if (!fBlock) return;
            fGL.Begin(GL::LINES);
            for (const TDPoint& p : {P1(+1), P1(-1), P2(+1), P2(-1)}) Segment(fGL, p, Lifted(p, kBlock));
            fGL.End();
            return;
        }
        fGL.Begin(GL::LINES);
        Segment(fGL, P1(+1), P2(+1));
        Segment(fGL, P1(-1), P2(-1));
        if (fBlock) {
            Segment(fGL, P1(+1, kBlock), P2(+1, kBlock));
            Segment(fGL, P1(-1, kBlock), P2(-1, kBlock));
        }
        if (fLine.fEdgeFlags & kEdgeStart) EndEdge(P1(+1), P1(-1));
        if (fLine.fEdgeFlags & kEdgeEnd) EndEdge(P2(+1), P2(-1));
        fGL.End();
    }

    void EndEdge(const TDPoint& right, const TDPoint& left) {
        Segment(fGL, right, left);
        if (!fBlock) return;
        Segment(fGL, Lifted(right, kBlock), Lifted(left, kBlock));
        Segment(fGL, right, Lifted(right, kBlock));
        Segment(fGL, left, Lifted(left, kBlock));
    }

    void Ballast() {
        const double half = fLine.fWidth / 2 + fPiece.fBallastWidth / 2.0;
        const double g = half * std::sin(fAlpha), h = -half * std::cos(fAlpha);
        const double depth = fPiece.fBallastHeight;
        auto q = [&](const TExtPoint& p, double sign, double z) {
            return TDPoint{p.X + sign * g, p.Y + sign * h, z - depth};
        };
        const TDPoint q1r = q(fLine.fStart, +1, fZ1), q1l = q(fLine.fStart, -1, fZ1);
        const TDPoint q2r = q(fLine.fEnd, +1, fZ2), q2l = q(fLine.fEnd, -1, fZ2);
        fGL.PushAttrib(GL::CURRENT_BIT);
        SetGLColor(fGL, fPiece.fFillColor);
        fGL.Begin(GL::QUADS);
        NormalQuad(fGL, P2(-1), q2l, q1l, P1(-1));
        NormalQuad(fGL, q1r, q2r, P2(+1), P1(+1));
        NormalQuad(fGL, q1r, q1l, q2l, q2r);
        NormalQuad(fGL, q1r, P1(+1), P1(-1), q1l);
        NormalQuad(fGL, q2l, P2(-1), P2(+1), q2r);
        fGL.End();
        SetGLColor(fGL, GlobalSettings.SlopePenColor());
        if ((fLine.fEdgeFlags & (kEdgeStart | kEdgeEnd)) == (kEdgeStart | kEdgeEnd)) {
            for (const auto& loop : {std::array<TDPoint, 4>{P1(-1), q1l, q2l, P2(-1)},
                                     std::array<TDPoint, 4>{P1(+1), P2(+1), q2r, q1r}}) {
                fGL.Begin(GL::LINE_LOOP);
                for (const TDPoint& p : loop) fGL.Vertex(p);
                fGL.End();
            }
        } else {
            fGL.Begin(GL::LINES);
            Segment(fGL, q1l, q2l);
            Segment(fGL, q1r, q2r);
            if (fLine.fEdgeFlags & kEdgeStart) {
                Segment(fGL, P1(-1), q1l);
                Segment(fGL, P1(+1), q1r);
                Segment(fGL, q1l, q1r);
            }
            if (fLine.fEdgeFlags & kEdgeEnd) {
                Segment(fGL, P2(-1), q2l);
                Segment(fGL, P2(+1), q2r);
                Segment(fGL, q2l, q2r);
            }
            fGL.End();
        }
        fGL.PopAttrib();
    }

    GL& fGL;
    const TGeradeSchienenLinie& fLine;
    const TSchiene& fPiece;
    const bool fBlock;
    double fZ1 = 0, fZ2 = 0;
    double fAlpha = 0, fE = 0, fF = 0;
};

bool IsFinite(const TExtPoint& p) { return std::isfinite(p.X) && std::isfinite(p.Y); }

}  // namespace

void TGeradeSchienenLinie::PaintGL(GL& gl) const {
    const TSchiene* piece = Piece();
    // Outside a track piece the line has no band to show.
    if (!piece) {
        TGeradeLinie::PaintGL(gl);
        return;
    }
    if (!IsFinite(fStart) || !IsFinite(fEnd)) return;
    TStraightBody(gl, *this, *piece).Draw();
}

}  // namespace tk3d
