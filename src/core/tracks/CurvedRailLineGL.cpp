// The 3D body of a curved rail line, built from polylines that follow the
// arc in one-degree steps about its rounded centre.
#include <algorithm>
#include <cmath>
#include <vector>

#include "layoutfile/GlobalState.h"
#include "obj3d/GLTools.h"
#include "tracks/RailLines.h"
#include "tracks/Schiene.h"
#include "tracks/TrackBody.h"

namespace tk3d {

namespace {

using TArc = std::vector<TDPoint>;

class TCurvedBody {
public:
    TCurvedBody(GL& gl, const TBogenSchienenLinie& line, const TSchiene& piece, double sweep, int64_t n)
        : fGL(gl), fLine(line), fPiece(piece), fBlock(piece.IsBlockTrack()), fSweep(sweep), fN(n) {
        const TLineHeights h = LineHeights(piece, line.fHeightOffset);
        const double h0 = piece.PointHeight(0), h1 = piece.PointHeight(1);
        const double dz = piece.IsTwoEnded() && std::fabs(h1 - h0) > 0.001
                              ? (h1 - h0) / (sweep / TBogenSchienenLinie::kDegreeStep)
                              : 0;
        fRising = dz != 0;
        // Heights of the centre line at every step; a two-ended piece ends
        // exactly at its second point.
        fZ.resize(size_t(n));
        for (int64_t i = 0; i < n; ++i) fZ[size_t(i)] = h.z1 + double(i) * dz;
        if (piece.IsTwoEnded()) fZ.back() = h1;
        fCentre = line.fOutline[2];
    }

    void Draw() {
        const bool ballast = fPiece.BallastShown();
        {
            TCullGuard cull(fGL, ballast || fBlock);
            fInner = ArcPoints(fLine.fOutline[3].X, 0);
            fOuter = ArcPoints(fLine.fOutline[3].Y, 0);
            fGL.PushMatrix();
            fGL.Translated(fCentre.X, fCentre.Y, 0);
            fGL.PushAttrib(GL::CURRENT_BIT);
            SetGLColor(fGL, fPiece.fFillColor);
            if (fBlock)
                Block();
            else
                NormalQuadStrip(fGL, fInner, fOuter, fRising);
            if (fPiece.TiesShown() && !fBlock) TiesAndRails();
            fGL.PopAttrib();
            Edges();
            if (ballast) Ballast();
        }
        if (fBlock && fPiece.TiesShown()) Grooves();
        fGL.PopMatrix();
    }

private:
    static constexpr double kBlock = TSchiene::kBlockHeight;

    double Direction(int64_t i) const {
        return i == fN - 1 ? fLine.fStartAngle + fSweep
                           : fLine.fStartAngle + double(i) * TBogenSchienenLinie::kDegreeStep;
    }

    // The polyline at radius r, lift above the centre line's heights.
    TArc ArcPoints(double r, double lift) const {
        TArc a(static_cast<size_t>(fN));
        for (int64_t i = 0; i < fN; ++i) {
            const double theta = Direction(i);
            a[size_t(i)] = {r * std::sin(theta), -r * std::cos(theta), fZ[size_t(i)] + lift};
        }
        return a;
    }

    static TArc RaisedArc(const TArc& a, double dz) {
        TArc r = a;
        for (TDPoint& p : r) p.Z += dz;
        return r;
    }

    void Block() {
        const TArc it = RaisedArc(fInner, kBlock), ot = RaisedArc(fOuter, kBlock);
        NormalQuadStrip(fGL, fOuter, fInner, fRising);
        NormalQuadStrip(fGL, it, ot, true);
        NormalQuadStrip(fGL, ot, fOuter, true);
        NormalQuadStrip(fGL, fInner, it, true);
        const size_t last = size_t(fN - 1);
        if (fLine.fEdgeFlags & kEdgeStart) Face(fInner[0], fOuter[0], ot[0], it[0]);
        if (fLine.fEdgeFlags & kEdgeEnd) Face(fInner[last], it[last], ot[last], fOuter[last]);
    }

    void Face(const TDPoint& a, const TDPoint& b, const TDPoint& c, const TDPoint& d) {
        fGL.Begin(GL::QUADS);
        NormalQuad(fGL, a, b, c, d);
        fGL.End();
    }

    void TiesAndRails() {
        if (fSweep < 0.001) return;
        const double gauge = fLine.RailGauge();
        const double radius = fLine.fRadius;
        // From here on the edges and the ballast's top follow the rails.
        fInner = ArcPoints(RoundToInt(radius - gauge / 2), 1);
        fOuter = ArcPoints(RoundToInt(radius + gauge / 2), 1);
        SetGLColor(fGL, fPiece.Color);
        LineStrip(fGL, fInner);
        LineStrip(fGL, fOuter);
        if (!fPiece.HasTrackFlag(TSchiene::kNoTiesFlag)) Ties();
    }

    void Ties() {
        const TTieTemplate tie(fLine.fWidth);
        if (!tie.HasTies()) return;
        const TExtPoint start = fLine.fStart, pos = fPiece.Position;
        // The ties are computed in layout coordinates and rotated about the
        // rounded centre in whole millimetres.
        TPoint corner[4];
        for (size_t k = 0; k < 4; ++k) {
            TExtPoint p{tie.c[k].X + start.X, tie.c[k].Y + start.Y};
            RotatePoint(p, start, fLine.fStartAngle);
            corner[k] = RoundPoint({p.X + pos.X, p.Y + pos.Y});
        }
        const TPoint centre = RoundPoint({fCentre.X + pos.X, fCentre.Y + pos.Y});
        const double spacing = DegToRad(tie.s * 180 / (fLine.fRadius * kPi));
        const double steps = fSweep / spacing;
        TTieHeights h = TieHeights(fPiece, fLine.fHeightOffset, tie.t, fLine.Length(), steps);
        SetGLColor(fGL, fPiece.fTieColor);
        fGL.PushMatrix();
        fGL.Translated(-pos.X - fCentre.X, -pos.Y - fCentre.Y, 0);
        fGL.Begin(GL::QUADS);
        if (h.tilt == 0) fGL.Normal(0, 0, 1);
        const int64_t count = BoundedTieCount(steps);
        double phi = spacing / 2;
        for (int64_t i = 0; i < count; ++i) {
            TDPoint q[4];
            for (size_t k = 0; k < 4; ++k) {
                TPoint c = corner[3 - k];
                RotatePoint(c.X, c.Y, centre, phi);
                const bool raised = k == 1 || k == 2;
                q[k] = {double(c.X), double(c.Y), raised ? h.z + h.tilt : h.z};
            }
            if (h.tilt != 0)
                NormalQuad(fGL, q[0], q[1], q[2], q[3]);
            else
                for (const TDPoint& p : q) fGL.Vertex(p);
            phi += spacing;
            h.z += h.step;
        }
        fGL.End();
        fGL.PopMatrix();
    }

    void Edges() {
        LineStrip(fGL, fInner);
        LineStrip(fGL, fOuter);
        const TArc it = RaisedArc(fInner, kBlock), ot = RaisedArc(fOuter, kBlock);
        if (fBlock) {
            LineStrip(fGL, it);
            LineStrip(fGL, ot);
        }
        const size_t last = size_t(fN - 1);
        if (fLine.fEdgeFlags & kEdgeStart) {
            if (fBlock)
                Loop({fInner[0], it[0], ot[0], fOuter[0]});
            else
                Lines({fInner[0], fOuter[0]});
        }
        if (fLine.fEdgeFlags & kEdgeEnd) {
            if (fBlock)
                Loop({fOuter[last], ot[last], it[last], fInner[last]});
            else
                Lines({fInner[last], fOuter[last]});
        }
    }

    void Loop(std::initializer_list<TDPoint> points) {
        fGL.Begin(GL::LINE_LOOP);
        for (const TDPoint& p : points) fGL.Vertex(p);
        fGL.End();
    }

    void Lines(std::initializer_list<TDPoint> points) {
        fGL.Begin(GL::LINES);
        for (const TDPoint& p : points) fGL.Vertex(p);
        fGL.End();
    }

    void Ballast() {
        const double half = fPiece.fBallastWidth / 2.0, depth = fPiece.fBallastHeight;
        TArc ib = ArcPoints(fLine.fOutline[3].X - half, -depth);
        TArc ob = ArcPoints(fLine.fOutline[3].Y + half, -depth);
        const size_t last = size_t(fN - 1);
        fGL.PushAttrib(GL::CURRENT_BIT);
        SetGLColor(fGL, fPiece.fFillColor);
        NormalQuadStrip(fGL, ib, fInner, true, &fInner[1]);
        NormalQuadStrip(fGL, fOuter, ob, true);
        NormalQuadStrip(fGL, ob, ib, true);
        fGL.Begin(GL::QUADS);
        NormalQuad(fGL, ib[0], ob[0], fOuter[0], fInner[0]);
        NormalQuad(fGL, ob[last], ib[last], fInner[last], fOuter[last]);
        fGL.End();
        SetGLColor(fGL, GlobalSettings.SlopePenColor());
        LineStrip(fGL, ib);
        LineStrip(fGL, ob);
        if (fLine.fEdgeFlags & kEdgeStart) Lines({ib[0], fInner[0], fOuter[0], ob[0], ib[0], ob[0]});
        if (fLine.fEdgeFlags & kEdgeEnd)
            Lines({ib[last], fInner[last], fOuter[last], ob[last], ib[last], ob[last]});
        fGL.PopAttrib();
    }

    // A block track shows two pairs of groove lines on its top.
    void Grooves() {
        SetGLColor(fGL, fPiece.Color);
        const double rIn = fLine.fOutline[3].X, rOut = fLine.fOutline[3].Y;
        for (double inset : {4.0, 11.0}) {
            LineStrip(fGL, ArcPoints(rIn + inset, kBlock));
            LineStrip(fGL, ArcPoints(rOut - inset, kBlock));
        }
    }

    GL& fGL;
    const TBogenSchienenLinie& fLine;
    const TSchiene& fPiece;
    const bool fBlock;
    const double fSweep;
    const int64_t fN;
    bool fRising = false;
    std::vector<double> fZ;
    TPoint fCentre;
    TArc fInner, fOuter;
};

bool AllFinite(std::initializer_list<double> values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

}  // namespace

void TBogenSchienenLinie::PaintGL(GL& gl) const {
    const TSchiene* piece = Piece();
    if (!piece) {
        const double z = fOwner ? fOwner->GetHeight() : 0.0;
        DrawGLArc(gl, fStart, fRadius, fSweep, fStartAngle, z);
        return;
    }
    if (!AllFinite({fStart.X, fStart.Y, fEnd.X, fEnd.Y})) return;
    const double sweep = std::min(fSweep, kMaxTurns * 2 * kPi);
    const int64_t n = RoundToInt64(sweep / kDegreeStep) + 1;
    // Below half a degree the arc is a single point: nothing to draw.
    if (n < 2) return;
    TCurvedBody(gl, *this, *piece, sweep, n).Draw();
}

}  // namespace tk3d
