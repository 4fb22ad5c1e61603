// Shared helpers of the track tests: pieces built in memory, and the
// recorded display list cut into its Begin/End blocks.
#pragma once
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "layoutfile/GlobalState.h"
#include "obj3d/GL.h"
#include "tracks/RailLines.h"
#include "tracks/Schiene.h"

namespace tk3d::tracktest {

// A piece with points at the given heights (all at the origin unless
// placed) and no lines yet.
inline std::unique_ptr<TSchiene> Piece(std::initializer_list<double> heights) {
    auto piece = std::make_unique<TSchiene>();
    piece->fTrackWidth = 30;
    piece->fFillColor = 0x00C0C0C0;
    piece->fTieColor = 0x00004080;
    piece->Color = 0x000000FF;
    piece->fFlags = TSchiene::kTieFlag | TSchiene::kBallastFlag;
    piece->fBallastWidth = 10;
    piece->fBallastHeight = 5;
    piece->fLengthDivisor = 1;
    for (double h : heights) {
        auto p = std::make_unique<TAnschlussPunkt>();
        p->fHeight = h;
        p->fOwner = piece.get();
        piece->fConnections.ADD(std::move(p));
    }
    return piece;
}

inline TGeradeSchienenLinie& AddStraight(TSchiene& piece, TExtPoint a, TExtPoint b, double width = 30) {
    auto line = std::make_unique<TGeradeSchienenLinie>();
    line->fOwner = &piece;
    line->fWidth = width;
    line->fEdgeFlags = kEdgeStart | kEdgeEnd;
    line->fOuterHalfWidth = RoundToInt(width / 2);
    line->SetEndPoints(a, b);
    TGeradeSchienenLinie& ref = *line;
    piece.Lines.ADD(std::move(line));
    return ref;
}

// A left-turning arc from start heading startAngle.
inline TBogenSchienenLinie& AddCurve(TSchiene& piece, TExtPoint start, double startAngle, double radius,
                                     double sweep, double width = 30) {
    auto line = std::make_unique<TBogenSchienenLinie>();
    line->fOwner = &piece;
    line->fWidth = width;
    line->fEdgeFlags = kEdgeStart | kEdgeEnd;
    line->fOuterHalfWidth = RoundToInt(width / 2);
    line->fRadius = radius;
    line->fSweep = sweep;
    line->fStartAngle = startAngle;
    line->fStart = start;
    const TExtPoint c = line->Centre();
    line->fEnd = {c.X + radius * std::sin(startAngle + sweep), c.Y - radius * std::cos(startAngle + sweep)};
    line->ComputeBaseLength();
    line->Recalc();
    TBogenSchienenLinie& ref = *line;
    piece.Lines.ADD(std::move(line));
    return ref;
}

// One Begin/End block of the recording with the state it was drawn in.
struct TBlock {
    uint32_t mode = 0;
    std::vector<TDPoint> v;
    std::vector<TDPoint> normals;  // every Normal call inside the block
    TDPoint normalBefore;          // the current normal at Begin
    uint32_t colour = 0;           // current colour at Begin, 0x00BBGGRR
};

inline uint32_t ColourOf(const TGLCall& c) {
    auto b = [](double v) { return uint32_t(std::lround(v * 255)); };
    return b(c.V[0]) | b(c.V[1]) << 8 | b(c.V[2]) << 16;
}

// The blocks in drawing order; colours follow PushAttrib/PopAttrib.
inline std::vector<TBlock> Blocks(const GL& gl) {
    std::vector<TBlock> out;
    uint32_t colour = 0;
    std::vector<uint32_t> saved;
    TDPoint normal{0, 0, 1};
    TBlock* open = nullptr;
    for (const TGLCall& c : gl.List().Calls()) {
        switch (c.Op) {
            case TGLOp::Begin:
                out.push_back({c.A, {}, {}, normal, colour});
                open = &out.back();
                break;
            case TGLOp::End:
                open = nullptr;
                break;
            case TGLOp::Vertex:
                if (open) open->v.push_back({c.V[0], c.V[1], c.V[2]});
                break;
            case TGLOp::Normal:
                normal = {c.V[0], c.V[1], c.V[2]};
                if (open) open->normals.push_back(normal);
                break;
            case TGLOp::Color:
                colour = ColourOf(c);
                break;
            case TGLOp::PushAttrib:
                saved.push_back(colour);
                break;
            case TGLOp::PopAttrib:
                if (!saved.empty()) {
                    colour = saved.back();
                    saved.pop_back();
                }
                break;
            default:
                break;
        }
    }
    return out;
}

inline std::vector<TBlock> BlocksOf(const std::vector<TBlock>& blocks, uint32_t mode, uint32_t colour) {
    std::vector<TBlock> out;
    for (const TBlock& b : blocks)
        if (b.mode == mode && b.colour == colour) out.push_back(b);
    return out;
}

inline std::vector<TGLOp> Ops(const GL& gl, TGLOp a, TGLOp b) {
    std::vector<TGLOp> out;
    for (const TGLCall& c : gl.List().Calls())
        if (c.Op == a || c.Op == b) out.push_back(c.Op);
    return out;
}

inline double Dist2(const TDPoint& p, double x, double y) { return std::hypot(p.X - x, p.Y - y); }

#define EXPECT_POINT(p, x, y, z)             \
    do {                                     \
        EXPECT_NEAR((p).X, (x), 1e-9) << #p; \
        EXPECT_NEAR((p).Y, (y), 1e-9) << #p; \
        EXPECT_NEAR((p).Z, (z), 1e-9) << #p; \
    } while (0)

class TrackTest : public testing::Test {
protected:
    void SetUp() override { ResetGlobalState(); }
    void TearDown() override { ResetGlobalState(); }
};

}  // namespace tk3d::tracktest
