// The 3D body of a straight rail line, checked on the recorded display list.
#include "TrackTestSupport.h"

namespace tk3d {
namespace {

using namespace tracktest;

constexpr uint32_t kFill = 0x00C0C0C0, kTie = 0x00004080, kLine = 0x000000FF, kSlope = 0x00123456;

class StraightBody : public TrackTest {
protected:
    GL Draw(TSchiene& piece) {
        GL gl;
        piece.PaintGL(gl);
        return gl;
    }
};

TEST_F(StraightBody, LevelBandAndClosedOutline) {
    auto piece = Piece({0, 0});
    AddStraight(*piece, {0, 0}, {100, 0});
    const auto blocks = Blocks(Draw(*piece));
    ASSERT_EQ(blocks.size(), 2u);
    const TBlock& band = blocks[0];
    EXPECT_EQ(band.mode, GL::QUADS);
    EXPECT_EQ(band.colour, kFill);
    ASSERT_EQ(band.v.size(), 4u);
    EXPECT_POINT(band.v[0], 100, -15, 0);
    EXPECT_POINT(band.v[1], 100, 15, 0);
    EXPECT_POINT(band.v[2], 0, 15, 0);
    EXPECT_POINT(band.v[3], 0, -15, 0);
    ASSERT_EQ(band.normals.size(), 1u);
    EXPECT_POINT(band.normals[0], 0, 0, 1);
    const TBlock& outline = blocks[1];
    EXPECT_EQ(outline.mode, GL::LINE_LOOP);
    EXPECT_EQ(outline.colour, kLine);
    ASSERT_EQ(outline.v.size(), 4u);
    EXPECT_POINT(outline.v[0], 0, -15, 0);
    EXPECT_POINT(outline.v[2], 100, 15, 0);
}

TEST_F(StraightBody, TiesRailsAndTheOutlineAlongTheRails) {
    GlobalSettings.SetShowTies(true);
    auto piece = Piece({0, 0});
    AddStraight(*piece, {0, 0}, {100, 0});
    const auto blocks = Blocks(Draw(*piece));
    const auto ties = BlocksOf(blocks, GL::QUADS, kTie);
    ASSERT_EQ(ties.size(), 1u);
    ASSERT_EQ(ties[0].v.size(), 7u * 4);  // round(100 / 14)
    // The first tie is centred at x = 7, 27 long across and 6 along, 1 above
    // the band; the last at x = 91.
    EXPECT_POINT(ties[0].v[0], 4, 13.5, 1);
    EXPECT_POINT(ties[0].v[1], 4, -13.5, 1);
    EXPECT_POINT(ties[0].v[2], 10, -13.5, 1);
    EXPECT_POINT(ties[0].v[3], 10, 13.5, 1);
    EXPECT_POINT(ties[0].v[24], 88, 13.5, 1);
    EXPECT_POINT(ties[0].normalBefore, 0, 0, 1);

    const auto rails = BlocksOf(blocks, GL::LINES, kLine);
    ASSERT_GE(rails.size(), 1u);
    ASSERT_EQ(rails[0].v.size(), 4u);
    EXPECT_POINT(rails[0].v[0], 0, 8.25, 1);  // gauge 16.5 from W = 30
    EXPECT_POINT(rails[0].v[1], 100, 8.25, 1);
    EXPECT_POINT(rails[0].v[2], 0, -8.25, 1);
    const auto outline = BlocksOf(blocks, GL::LINE_LOOP, kLine);
    ASSERT_EQ(outline.size(), 1u);
    EXPECT_POINT(outline[0].v[0], 0, -8.25, 0);
    EXPECT_POINT(outline[0].v[1], 0, 8.25, 0);
}

TEST_F(StraightBody, RailGaugeComesFromTheLineThenThePieceThenTheWidth) {
    GlobalSettings.SetShowTies(true);
    struct Case {
        double lineGauge, pieceGauge, expectedHalf;
    } cases[] = {{0, 0, 8.25}, {0, 9, 4.5}, {12, 9, 6}, {1e-17, 0, 8.25}};
    for (const Case& c : cases) {
        auto piece = Piece({0, 0});
        piece->fGauge = c.pieceGauge;
        AddStraight(*piece, {0, 0}, {100, 0}).fLineGauge = c.lineGauge;
        const auto rails = BlocksOf(Blocks(Draw(*piece)), GL::LINES, kLine);
        ASSERT_FALSE(rails.empty());
        EXPECT_NEAR(rails[0].v[0].Y, c.expectedHalf, 1e-12) << c.lineGauge << " " << c.pieceGauge;
    }
}

TEST_F(StraightBody, RisingLineTiltsAndStepsItsTies) {
    GlobalSettings.SetShowTies(true);
    auto piece = Piece({0, 28});
    AddStraight(*piece, {0, 0}, {100, 0});
    const auto blocks = Blocks(Draw(*piece));
    const TBlock& band = blocks[0];
    EXPECT_POINT(band.v[0], 100, -15, 28);
    EXPECT_POINT(band.v[3], 0, -15, 0);
    ASSERT_EQ(band.normals.size(), 1u);
    EXPECT_GT(band.normals[0].Z, 0);
    EXPECT_LT(band.normals[0].X, 0);  // tilted back against the rise

    const auto ties = BlocksOf(blocks, GL::QUADS, kTie);
    ASSERT_EQ(ties[0].v.size(), 28u);
    // t = 6 * 28 / 100, step = 28 / (100 / 14); the first tie half a step up.
    const double t = 1.68, step = 3.92, z0 = 1 + step / 2;
    EXPECT_NEAR(ties[0].v[0].Z, z0, 1e-12);
    EXPECT_NEAR(ties[0].v[1].Z, z0 + t, 1e-12);  // the right-hand end is raised
    EXPECT_NEAR(ties[0].v[2].Z, z0 + t, 1e-12);
    EXPECT_NEAR(ties[0].v[3].Z, z0, 1e-12);
    EXPECT_NEAR(ties[0].v[4].Z, z0 + step, 1e-12);
    EXPECT_EQ(ties[0].normals.size(), 7u);  // one per tilted tie
    const auto rails = BlocksOf(blocks, GL::LINES, kLine);
    EXPECT_POINT(rails[0].v[1], 100, 8.25, 29);
}

TEST_F(StraightBody, ShortLinesGetNoTiesAndNarrowBandsNoneAtAll) {
    GlobalSettings.SetShowTies(true);
    struct Case {
        double length, width;
        size_t ties;
    } cases[] = {{5, 30, 0}, {100, 30, 7}, {100, 2, 0}, {100, 2.9, 0}, {100, 3.2, 167}};
    for (const Case& c : cases) {
        auto piece = Piece({0, 0});
        AddStraight(*piece, {0, 0}, {c.length, 0}, c.width);
        const auto ties = BlocksOf(Blocks(Draw(*piece)), GL::QUADS, kTie);
        const size_t count = ties.empty() ? 0 : ties[0].v.size() / 4;
        EXPECT_EQ(count, c.ties) << c.length << " " << c.width;
        EXPECT_EQ(BlocksOf(Blocks(Draw(*piece)), GL::LINES, kLine).size(), 1u);  // the rails stay
    }
}

TEST_F(StraightBody, HugeLinesAreBoundedAndNonFiniteOnesDrawNothing) {
    GlobalSettings.SetShowTies(true);
    auto piece = Piece({0, 0});
    AddStraight(*piece, {0, 0}, {1e12, 0});
    const auto ties = BlocksOf(Blocks(Draw(*piece)), GL::QUADS, kTie);
    ASSERT_EQ(ties.size(), 1u);
    EXPECT_EQ(ties[0].v.size(), size_t(TGeradeSchienenLinie::kMaxTies) * 4);
    EXPECT_EQ(Blocks(Draw(*piece))[0].v.size(), 4u);  // the band is still drawn

    auto bad = Piece({0, 0});
    AddStraight(*bad, {0, 0}, {std::nan(""), 0});
    AddStraight(*bad, {0, 0}, {HUGE_VAL, 0});
    const auto nothing = Blocks(Draw(*bad));
    for (const TBlock& b : nothing) EXPECT_TRUE(b.v.empty());
}

TEST_F(StraightBody, ThreePointPiecesAreLevelAtTheLinesOffset) {
    GlobalSettings.SetShowTies(true);
    auto piece = Piece({50, 80, 90});
    AddStraight(*piece, {0, 0}, {100, 0}).fHeightOffset = 10;
    const auto blocks = Blocks(Draw(*piece));
    for (const TDPoint& p : blocks[0].v) EXPECT_EQ(p.Z, 60);
    const auto ties = BlocksOf(blocks, GL::QUADS, kTie);
    for (const TDPoint& p : ties[0].v) EXPECT_EQ(p.Z, 61);

    auto none = Piece({});
    AddStraight(*none, {0, 0}, {100, 0});
    const auto level = Blocks(Draw(*none));
    for (const TDPoint& p : level[0].v) EXPECT_EQ(p.Z, 0);
}

TEST_F(StraightBody, EdgeFlagsChooseTheOutline) {
    struct Case {
        uint8_t flags;
        uint32_t mode;
        size_t vertices;
    } cases[] = {
        {3, GL::LINE_LOOP, 4}, {1, GL::LINES, 6}, {2, GL::LINES, 6}, {0, GL::LINES, 4}, {4, GL::LINES, 4}};
    for (const Case& c : cases) {
        auto piece = Piece({0, 0});
        AddStraight(*piece, {0, 0}, {100, 0}).fEdgeFlags = c.flags;
        const auto blocks = Blocks(Draw(*piece));
        ASSERT_EQ(blocks.size(), 2u);
        EXPECT_EQ(blocks[1].mode, c.mode) << int(c.flags);
        EXPECT_EQ(blocks[1].v.size(), c.vertices) << int(c.flags);
    }
    auto start = Piece({0, 0});
    AddStraight(*start, {0, 0}, {100, 0}).fEdgeFlags = kEdgeStart;
    const auto lines = Blocks(Draw(*start))[1].v;
    EXPECT_POINT(lines[4], 0, -15, 0);  // the start edge after both long edges
    EXPECT_POINT(lines[5], 0, 15, 0);
}

TEST_F(StraightBody, BlockTrackIsAClosedBoxWithGrooves) {
    auto piece = Piece({0, 0});
    piece->Point(1).fCoupling = kCouplingB;
    AddStraight(*piece, {0, 0}, {100, 0});
    GL plain = Draw(*piece);
    auto blocks = Blocks(plain);
    ASSERT_EQ(blocks[0].mode, GL::QUADS);
    ASSERT_EQ(blocks[0].v.size(), 6u * 4);  // top, bottom, two sides, both ends
    EXPECT_POINT(blocks[0].v[0], 100, -15, 12);
    EXPECT_EQ(blocks[0].normals.size(), 6u);
    EXPECT_GT(blocks[0].normals[0].Z, 0);  // top faces up
    EXPECT_LT(blocks[0].normals[1].Z, 0);  // bottom faces down
    // Loops at both levels and four verticals; no grooves without ties.
    EXPECT_EQ(BlocksOf(blocks, GL::LINE_LOOP, kLine).size(), 2u);
    EXPECT_EQ(BlocksOf(blocks, GL::LINES, kLine).size(), 1u);
    EXPECT_EQ(Ops(plain, TGLOp::Enable, TGLOp::Disable), (std::vector<TGLOp>{TGLOp::Enable, TGLOp::Disable}));

    GlobalSettings.SetShowTies(true);
    blocks = Blocks(Draw(*piece));
    EXPECT_TRUE(BlocksOf(blocks, GL::QUADS, kTie).empty());
    const auto lines = BlocksOf(blocks, GL::LINES, kLine);
    ASSERT_EQ(lines.size(), 2u);
    const auto& grooves = lines[0].v;
    ASSERT_EQ(grooves.size(), 8u);
    const double expected[] = {-16, 16, -9, 9};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(grooves[2 * i].Y, expected[i]);
        EXPECT_EQ(grooves[2 * i].Z, 12);
    }
    // The outline keeps the band's edges (no rails on a block).
    EXPECT_POINT(BlocksOf(blocks, GL::LINE_LOOP, kLine)[0].v[0], 0, -15, 0);
}

TEST_F(StraightBody, BallastBedWithFlanksAndSlopePenEdges) {
    GlobalSettings.SetShowBallast(true);
    GlobalSettings.Set<uint32_t>(500, kSlope);
    auto piece = Piece({0, 0});
    AddStraight(*piece, {0, 0}, {100, 0});
    GL gl = Draw(*piece);
    const auto blocks = Blocks(gl);
    const auto fills = BlocksOf(blocks, GL::QUADS, kFill);
    ASSERT_EQ(fills.size(), 2u);
    const TBlock& bed = fills[1];
    ASSERT_EQ(bed.v.size(), 5u * 4);
    // Left flank: from the band's left edge down to 20 mm from the centre.
    EXPECT_POINT(bed.v[0], 100, 15, 0);
    EXPECT_POINT(bed.v[1], 100, 20, -5);
    EXPECT_EQ(bed.normals.size(), 5u);
    EXPECT_GT(bed.normals[0].Y, 0);  // the left flank faces left and up
    EXPECT_GT(bed.normals[0].Z, 0);
    const auto edges = BlocksOf(blocks, GL::LINE_LOOP, kSlope);
    ASSERT_EQ(edges.size(), 2u);
    EXPECT_POINT(edges[0].v[1], 0, 20, -5);
    EXPECT_EQ(Ops(gl, TGLOp::Enable, TGLOp::Disable), (std::vector<TGLOp>{TGLOp::Enable, TGLOp::Disable}));

    // With ties the bed's top edges start from the rails.
    GlobalSettings.SetShowTies(true);
    const auto withTies = BlocksOf(Blocks(Draw(*piece)), GL::LINE_LOOP, kSlope);
    EXPECT_POINT(withTies[0].v[0], 0, 8.25, 0);
    EXPECT_POINT(withTies[0].v[1], 0, 20, -5);

    // Open ends: the depth lines, and the end edges only where flagged.
    static_cast<TGeradeSchienenLinie*>(piece->Lines.Items(0))->fEdgeFlags = kEdgeEnd;
    const auto open = BlocksOf(Blocks(Draw(*piece)), GL::LINES, kSlope);
    ASSERT_EQ(open.size(), 1u);
    EXPECT_EQ(open[0].v.size(), 10u);
}

TEST_F(StraightBody, BallastOnlyWhereItsLayerIsVisible) {
    GlobalSettings.SetShowBallast(true);
    struct Case {
        int32_t layer;
        int32_t width;
        uint8_t flags;
        bool shown;
    } cases[] = {
        {0, 10, TSchiene::kBallastFlag, true},    {1, 10, TSchiene::kBallastFlag, false},  // not visible
        {300, 10, TSchiene::kBallastFlag, false}, {-1, 10, TSchiene::kBallastFlag, false},
        {0, 0, TSchiene::kBallastFlag, false},    {0, 10, 0, false}};
    for (const Case& c : cases) {
        auto piece = Piece({0, 0});
        piece->Layer = c.layer;
        piece->fBallastWidth = c.width;
        piece->fFlags = c.flags;
        EXPECT_EQ(piece->BallastShown(), c.shown) << c.layer;
    }
    GlobalSettings.SetShowBallast(false);
    EXPECT_FALSE(Piece({0, 0})->BallastShown());
}

TEST_F(StraightBody, NoTiesFlagAndTieFlagSuppressTiesAndRails) {
    GlobalSettings.SetShowTies(true);
    for (uint8_t flags : {uint8_t(TSchiene::kTieFlag | TSchiene::kNoTiesFlag), uint8_t(0)}) {
        auto piece = Piece({0, 0});
        piece->fFlags = flags;
        AddStraight(*piece, {0, 0}, {100, 0});
        const auto blocks = Blocks(Draw(*piece));
        EXPECT_TRUE(BlocksOf(blocks, GL::QUADS, kTie).empty());
        EXPECT_TRUE(BlocksOf(blocks, GL::LINES, kLine).empty());
    }
}

}  // namespace
}  // namespace tk3d
