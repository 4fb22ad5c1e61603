// The 3D body of a curved rail line, checked on the recorded display list.
#include "TrackTestSupport.h"

namespace tk3d {
namespace {

using namespace tracktest;

constexpr uint32_t kFill = 0x00C0C0C0, kTie = 0x00004080, kLine = 0x000000FF, kSlope = 0x00123456;
constexpr double kDeg = kPi / 180;

class CurvedBody : public TrackTest {
protected:
    GL Draw(TSchiene& piece) {
        GL gl;
        piece.PaintGL(gl);
        return gl;
    }
    static double Radius(const TDPoint& p) { return std::hypot(p.X, p.Y); }
    static double Polar(const TDPoint& p) { return std::atan2(p.X, -p.Y); }  // 0 straight below the centre
};

TEST_F(CurvedBody, OneDegreeStepsEndingExactlyAtTheSweep) {
    struct Case {
        double degrees;
        size_t points;
    } cases[] = {{90, 91}, {45.6, 47}, {0.6, 2}, {1, 2}};
    for (const Case& c : cases) {
        auto piece = Piece({0, 0});
        AddCurve(*piece, {0, 0}, 0, 360, c.degrees * kDeg);
        const auto strips = BlocksOf(Blocks(Draw(*piece)), GL::QUAD_STRIP, kFill);
        ASSERT_EQ(strips.size(), 1u) << c.degrees;
        const auto& v = strips[0].v;
        ASSERT_EQ(v.size(), 2 * c.points) << c.degrees;
        if (c.points > 2) {
            EXPECT_NEAR(Polar(v[2]), 1 * kDeg, 1e-12);
        }
        EXPECT_NEAR(Polar(v.back()), c.degrees * kDeg, 1e-12) << c.degrees;
    }
    // Below half a degree the arc is one point: nothing is drawn.
    auto tiny = Piece({0, 0});
    AddCurve(*tiny, {0, 0}, 0, 360, 0.4 * kDeg);
    EXPECT_TRUE(Blocks(Draw(*tiny)).empty());
}

TEST_F(CurvedBody, BandRailsAndTiesOfA30DegreeCurve) {
    GlobalSettings.SetShowTies(true);
    auto piece = Piece({0, 0});
    AddCurve(*piece, {0, 0}, 0, 360, 30 * kDeg);
    GL gl = Draw(*piece);
    const auto blocks = Blocks(gl);
    const auto band = BlocksOf(blocks, GL::QUAD_STRIP, kFill);
    ASSERT_EQ(band.size(), 1u);
    EXPECT_POINT(band[0].v[0], 0, -345, 0);  // inner edge first, about the centre
    EXPECT_POINT(band[0].v[1], 0, -375, 0);
    EXPECT_POINT(band[0].normalBefore, 0, 0, 1);

    const auto rails = BlocksOf(blocks, GL::LINE_STRIP, kLine);
    ASSERT_EQ(rails.size(), 4u);  // the rails, then the edges along them
    EXPECT_EQ(rails[0].v.size(), 31u);
    EXPECT_NEAR(Radius(rails[0].v[5]), 352, 1e-9);  // round(360 - 8.25)
    EXPECT_NEAR(Radius(rails[1].v[5]), 368, 1e-9);
    EXPECT_EQ(rails[0].v[5].Z, 1);
    EXPECT_NEAR(Radius(rails[2].v[0]), 352, 1e-9);
    EXPECT_EQ(rails[2].v[0].Z, 1);

    const auto ties = BlocksOf(blocks, GL::QUADS, kTie);
    ASSERT_EQ(ties.size(), 1u);
    ASSERT_EQ(ties[0].v.size(), 13u * 4);  // round((pi/6) / (14/360))
    const double f = 14.0 / 360;
    for (size_t k : {size_t(0), size_t(12)}) {
        const auto* q = &ties[0].v[4 * k];
        const TDPoint centre{(q[0].X + q[2].X) / 2, (q[0].Y + q[2].Y) / 2, q[0].Z};
        EXPECT_NEAR(std::hypot(centre.X, centre.Y - 360), 360, 1.0) << k;  // layout coordinates
        EXPECT_NEAR(std::atan2(centre.X, 360 - centre.Y), f / 2 + double(k) * f, 0.005) << k;
        EXPECT_EQ(q[0].Z, 1);
    }
    // The ties are drawn in layout coordinates, so the frame is moved back.
    bool movedBack = false;
    for (const TGLCall& c : gl.List().Calls())
        if (c.Op == TGLOp::Translate && c.V[1] == -360) movedBack = true;
    EXPECT_TRUE(movedBack);
}

TEST_F(CurvedBody, TheBandIsDrawnAboutTheRoundedCentre) {
    auto piece = Piece({0, 0});
    piece->Position = {1000, 2000};
    // Start so that the exact centre is (10.4, -3.6).
    AddCurve(*piece, {10.4, -103.6}, 0, 100, kPi / 2);
    GL gl;
    piece->PaintGL(gl);
    std::vector<TGLCall> translations;
    for (const TGLCall& c : gl.List().Calls())
        if (c.Op == TGLOp::Translate) translations.push_back(c);
    ASSERT_GE(translations.size(), 2u);
    EXPECT_EQ(translations[0].V[0], 1000);
    EXPECT_EQ(translations[1].V[0], 10);
    EXPECT_EQ(translations[1].V[1], -4);
}

TEST_F(CurvedBody, RisingArcEndsExactlyAtTheSecondPoint) {
    GlobalSettings.SetShowTies(true);
    auto piece = Piece({0, 45});
    AddCurve(*piece, {0, 0}, 0, 360, kPi / 2);
    const auto blocks = Blocks(Draw(*piece));
    const auto band = BlocksOf(blocks, GL::QUAD_STRIP, kFill)[0];
    EXPECT_NEAR(band.v[2].Z, 0.5, 1e-12);  // half a millimetre per degree
    EXPECT_NEAR(band.v[60].Z, 15, 1e-12);
    EXPECT_EQ(band.v[180].Z, 45);
    EXPECT_EQ(band.v[181].Z, 45);
    // A rising band gets a normal before the strip and before every pair
    // from the third on.
    EXPECT_EQ(band.normals.size(), 89u);
    EXPECT_GT(band.normalBefore.Z, 0);
    const auto rails = BlocksOf(blocks, GL::LINE_STRIP, kLine);
    EXPECT_EQ(rails[0].v.back().Z, 46);  // on the rails' own lift up to the end
    const auto ties = BlocksOf(blocks, GL::QUADS, kTie)[0];
    // Ties rise by 45 / (sweep / spacing) and roll by 6 * 45 / length.
    const double spacing = 14.0 / 360, steps = (kPi / 2) / spacing, length = 360 * kPi / 2;
    EXPECT_NEAR(ties.v[0].Z, 1 + 45 / steps / 2, 1e-9);
    EXPECT_NEAR(ties.v[1].Z - ties.v[0].Z, 6 * 45 / length, 1e-9);
    EXPECT_NEAR(ties.v[4].Z - ties.v[0].Z, 45 / steps, 1e-9);
}

TEST_F(CurvedBody, ThreePointPiecesAreLevelAtTheLinesOffset) {
    GlobalSettings.SetShowTies(true);
    GlobalSettings.SetShowBallast(true);
    auto piece = Piece({50, 90, 70});
    AddCurve(*piece, {0, 0}, 0, 360, kPi / 6).fHeightOffset = 10;
    const auto blocks = Blocks(Draw(*piece));
    const auto strips = BlocksOf(blocks, GL::QUAD_STRIP, kFill);
    ASSERT_EQ(strips.size(), 4u);  // band, inner flank, outer flank, bottom
    for (const TDPoint& p : strips[0].v) EXPECT_EQ(p.Z, 60);
    for (const TDPoint& p : strips[3].v) EXPECT_EQ(p.Z, 55);
    const auto ties = BlocksOf(blocks, GL::QUADS, kTie);
    for (const TDPoint& p : ties.at(0).v) EXPECT_EQ(p.Z, 61);
    const auto rails = BlocksOf(blocks, GL::LINE_STRIP, kLine);
    for (const TDPoint& p : rails.at(0).v) EXPECT_EQ(p.Z, 61);
}

TEST_F(CurvedBody, BallastBedAroundTheArc) {
    GlobalSettings.SetShowBallast(true);
    GlobalSettings.Set<uint32_t>(500, kSlope);
    auto piece = Piece({0, 0});
    piece->fBallastWidth = 11;  // half of it unrounded
    AddCurve(*piece, {0, 0}, 0, 360, kPi / 6);
    GL gl = Draw(*piece);
    const auto blocks = Blocks(gl);
    const auto strips = BlocksOf(blocks, GL::QUAD_STRIP, kFill);
    ASSERT_EQ(strips.size(), 4u);
    EXPECT_POINT(strips[1].v[0], 0, -339.5, -5);  // inner flank: base, then the band's edge
    EXPECT_POINT(strips[1].v[1], 0, -345, 0);
    EXPECT_POINT(strips[2].v[1], 0, -380.5, -5);
    const auto faces = BlocksOf(blocks, GL::QUADS, kFill);
    ASSERT_EQ(faces.size(), 1u);
    EXPECT_EQ(faces[0].v.size(), 8u);  // start and end faces, always
    const auto slope = BlocksOf(blocks, GL::LINE_STRIP, kSlope);
    ASSERT_EQ(slope.size(), 2u);
    EXPECT_EQ(slope[0].v.size(), 31u);
    EXPECT_EQ(BlocksOf(blocks, GL::LINES, kSlope).size(), 2u);  // both edge flags
    EXPECT_EQ(Ops(gl, TGLOp::Enable, TGLOp::Disable), (std::vector<TGLOp>{TGLOp::Enable, TGLOp::Disable}));
}

TEST_F(CurvedBody, BlockTrackWithGroovesAndCullingSwitchedOffAgain) {
    GlobalSettings.SetShowTies(true);
    for (bool ballast : {false, true}) {
        GlobalSettings.SetShowBallast(ballast);
        auto piece = Piece({0, 0});
        piece->Point(0).fCoupling = kCouplingA;
        AddCurve(*piece, {0, 0}, 0, 360, kPi / 6, 40);
        GL gl = Draw(*piece);
        const auto blocks = Blocks(gl);
        EXPECT_TRUE(BlocksOf(blocks, GL::QUADS, kTie).empty());
        const auto strips = BlocksOf(blocks, GL::QUAD_STRIP, kFill);
        ASSERT_EQ(strips.size(), ballast ? 7u : 4u);
        EXPECT_EQ(strips[1].v[0].Z, 12);  // the top
        const auto lines = BlocksOf(blocks, GL::LINE_STRIP, kLine);
        ASSERT_EQ(lines.size(), 8u);  // four edges, four grooves
        const double radii[] = {344, 376, 351, 369};
        for (size_t i = 0; i < 4; ++i) {
            EXPECT_NEAR(Radius(lines[4 + i].v[3]), radii[i], 1e-9);
            EXPECT_EQ(lines[4 + i].v[3].Z, 12);
        }
        // Culling ends before the grooves are drawn.
        std::vector<TGLOp> ops;
        for (const TGLCall& c : gl.List().Calls())
            if (c.Op == TGLOp::Enable || c.Op == TGLOp::Disable || c.Op == TGLOp::Begin) ops.push_back(c.Op);
        ASSERT_GE(ops.size(), 5u);
        EXPECT_EQ(ops.front(), TGLOp::Enable);
        EXPECT_EQ(ops[ops.size() - 5], TGLOp::Disable);
        EXPECT_EQ(BlocksOf(blocks, GL::LINE_LOOP, kLine).size(), 2u);  // both end edges
    }
}

TEST_F(CurvedBody, NoTiesKeepsTheRails) {
    GlobalSettings.SetShowTies(true);
    auto piece = Piece({0, 0});
    piece->fFlags |= TSchiene::kNoTiesFlag;
    AddCurve(*piece, {0, 0}, 0, 360, kPi / 6);
    const auto blocks = Blocks(Draw(*piece));
    EXPECT_TRUE(BlocksOf(blocks, GL::QUADS, kTie).empty());
    EXPECT_NEAR(Radius(BlocksOf(blocks, GL::LINE_STRIP, kLine)[0].v[0]), 352, 1e-9);
}

TEST_F(CurvedBody, HostileSweepsAndRadiiStayBounded) {
    GlobalSettings.SetShowTies(true);
    struct Case {
        double sweep, radius;
        size_t maxPoints;
    } cases[] = {
        {-kPi, 360, 0},  // index -1 in the original
        {1e6, 360, size_t(2 * (360 * TBogenSchienenLinie::kMaxTurns + 1))},
        {kPi / 2, 0, 182},
        {kPi / 2, -360, 182},
        {kPi / 2, 1e12, 182},
    };
    for (const Case& c : cases) {
        auto piece = Piece({0, 0});
        AddCurve(*piece, {0, 0}, 0, c.radius, c.sweep);
        const auto blocks = Blocks(Draw(*piece));
        const auto band = BlocksOf(blocks, GL::QUAD_STRIP, kFill);
        EXPECT_EQ(band.empty() ? 0 : band[0].v.size(), c.maxPoints) << c.sweep << " " << c.radius;
        const auto ties = BlocksOf(blocks, GL::QUADS, kTie);
        if (!ties.empty()) {
            EXPECT_LE(ties[0].v.size(), size_t(4 * TGeradeSchienenLinie::kMaxTies));
        }
    }
}

}  // namespace
}  // namespace tk3d
