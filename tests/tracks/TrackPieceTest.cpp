// The track piece: every version of its section, heights, bounds, length
// and the height its 3D shapes stand at.
#include <gtest/gtest.h>

#include "ReadBack.h"
#include "TrackTestSupport.h"
#include "WriteTracks.h"
#include "layoutfile/LoadLayout.h"
#include "layoutfile/RailList.h"
#include "obj3d/T3DLinie.h"

namespace tk3d {
namespace {

using tk3dtest::ReadFramed;
using tk3dw::WTrack;
using namespace tracktest;

WTrack Sample(uint16_t version) {
    WTrack t = tk3dw::StraightTrack(100, {.x = 10, .y = 20});
    t.version = version;
    t.stateFlags = sfMovable | sfMarked;
    t.trackWidth = 32;
    t.slope = 12.75;
    t.ballastWidth = 14;
    t.ballast = false;
    t.fillColor = 0x112233;
    t.oldPieceFlag = false;
    t.ties = false;
    t.tieColor = 0x445566;
    t.states = std::vector<tk3dw::WState>{{.from = 0, .to = 1, .lines = {0}}};
    t.clearance = true;
    t.ballastHeight = 9;
    t.lengthDivisor = 3;
    t.noTies = true;
    t.gauge = 16.5;
    t.fillPoints = {{.brush = 0}, {.brush = 1}, {.brush = 0}, {.x = 5, .brush = 0x123}};
    t.unknownTrackBytes = 9;
    return t;
}

std::unique_ptr<TSchiene> Read(const WTrack& t, const tk3dw::WFormat& f = {}, int64_t* end = nullptr) {
    tk3dw::TLayoutWriter w;
    tk3dw::WriteTrack(w, t, f);
    return ReadFramed<TSchiene>(w, f, end);
}

TEST_F(TrackTest, EveryVersionOfTheTrackSection) {
    constexpr uint8_t B = TSchiene::kBallastFlag, O = TSchiene::kOldPieceFlag, T = TSchiene::kTieFlag,
                      C = TSchiene::kClearanceFlag, N = TSchiene::kNoTiesFlag;
    struct Case {
        uint16_t version;
        double slope;
        int32_t ballastWidth;
        TColorRef fill, tie;
        uint8_t flags;
        bool states;
        int32_t ballastHeight, divisor;
        double gauge;
        int fillSeeds;
    } cases[] = {
        {2563, 0, 1, 0xC0C0C0, 0x004080, B | O | T, false, 0, 1, 0, 2},  // grey seeds dropped
        {2565, 12, 1, 0xC0C0C0, 0x004080, B | O | T, false, 0, 1, 0, 2},
        {2567, 12, 14, 0xC0C0C0, 0x004080, O | T, false, 0, 1, 0, 2},
        {2569, 12, 14, 0x112233, 0x004080, O | T, false, 0, 1, 0, 4},
        {2571, 12.75, 14, 0x112233, 0x004080, O | T, false, 0, 1, 0, 4},
        {2573, 12.75, 14, 0x112233, 0x004080, T, false, 0, 1, 0, 4},
        {2574, 12.75, 14, 0x112233, 0x445566, 0, false, 0, 1, 0, 4},
        {2583, 12.75, 14, 0x112233, 0x445566, 0, true, 0, 1, 0, 4},
        {2593, 12.75, 14, 0x112233, 0x445566, C, true, 0, 1, 0, 4},
        {2600, 12.75, 14, 0x112233, 0x445566, C, true, 9, 1, 0, 4},
        {2601, 12.75, 14, 0x112233, 0x445566, C | N, true, 9, 3, 0, 4},
        {41002, 12.75, 14, 0x112233, 0x445566, C | N, true, 9, 3, 0, 4},
        {41006, 12.75, 14, 0x112233, 0x445566, C | N, true, 9, 3, 0, 4},  // four bytes skipped
        {41007, 12.75, 14, 0x112233, 0x445566, C | N, true, 9, 3, 16.5, 4},
    };
    for (const Case& c : cases) {
        tk3dw::TLayoutWriter w;
        tk3dw::WriteTrack(w, Sample(c.version), {});
        int64_t end = 0;
        auto t = ReadFramed<TSchiene>(w, {}, &end);
        const std::string at = std::to_string(c.version);
        EXPECT_EQ(end, int64_t(w.bytes.size())) << at;
        EXPECT_EQ(t->ConnectionCount(), 2) << at;
        EXPECT_EQ(&t->Point(1).fOwner->fConnections, &t->fConnections) << at;
        EXPECT_EQ(t->fTrackWidth, 32) << at;
        EXPECT_EQ(t->fSlope, c.slope) << at;
        EXPECT_EQ(t->fBallastWidth, c.ballastWidth) << at;
        EXPECT_EQ(t->fFillColor, c.fill) << at;
        EXPECT_EQ(t->fTieColor, c.tie) << at;
        EXPECT_EQ(t->fFlags, c.flags) << at;
        EXPECT_EQ(t->fStates != nullptr, c.states) << at;
        EXPECT_EQ(t->fBallastHeight, c.ballastHeight) << at;
        EXPECT_EQ(t->fLengthDivisor, c.divisor) << at;
        EXPECT_EQ(t->fGauge, c.gauge) << at;
        EXPECT_EQ(t->FillPoints->Count(), c.fillSeeds) << at;
        EXPECT_FALSE(t->HasFlag(sfMarked)) << at;
        EXPECT_TRUE(t->HasFlag(sfMovable)) << at;
    }
    // The piece gauge falls back to the standard one for the track width.
    auto old = Read(Sample(41006));
    EXPECT_DOUBLE_EQ(old->PieceGauge(), 32 / 30.0 * 16.5);
    old->fGauge = 1;
    EXPECT_DOUBLE_EQ(old->PieceGauge(), 32 / 30.0 * 16.5);
    EXPECT_EQ(Read(Sample(41007))->PieceGauge(), 16.5);
}

TEST_F(TrackTest, SixteenBitPiecesReadExactlyTheirFields) {
    WTrack t = Sample(2565);
    t.rails[0].version = 3;
    t.points[0].version = 6;
    t.points[1].version = 6;
    int64_t end = 0;
    tk3dw::TLayoutWriter w;
    tk3dw::WriteTrack(w, t, {.is32 = false});
    auto piece = ReadFramed<TSchiene>(w, {.is32 = false}, &end);
    EXPECT_EQ(end, int64_t(w.bytes.size()));
    EXPECT_EQ(piece->fSlope, 12);
    EXPECT_EQ(piece->Lines.Count(), 1);
}

TEST_F(TrackTest, StatesMustBeAStateList) {
    // In a 16-bit file of version 2583 the states' frame is the last thing
    // of the piece and no end positions follow, so it can be swapped.
    const tk3dw::WFormat f{.is32 = false};
    WTrack t = Sample(2583);
    t.states.reset();
    tk3dw::TLayoutWriter w;
    tk3dw::WriteTrack(w, t, f);
    EXPECT_EQ(ReadFramed<TSchiene>(w, f)->fStates, nullptr);
    ASSERT_EQ(w.bytes.back(), 0xFF);
    w.bytes.resize(w.bytes.size() - 2);
    tk3dw::WritePoint(w, {}, f);
    EXPECT_THROW(ReadFramed<TSchiene>(w, f), EInvalidCast);
}

TEST_F(TrackTest, HeightOfThePiece) {
    struct Case {
        std::vector<double> heights;
        double height, shapes;
    } cases[] = {{{10, 20}, 15, 10}, {{10, 20, 30}, 10, 10}, {{}, 0, 0}, {{1e-13, 4}, 2, 1e-13}, {{7}, 7, 7}};
    for (const Case& c : cases) {
        auto piece = Piece({});
        for (double h : c.heights) {
            auto p = std::make_unique<TAnschlussPunkt>();
            p->fHeight = h;
            piece->fConnections.ADD(std::move(p));
        }
        EXPECT_EQ(piece->GetHeight(), c.height) << c.heights.size();
        EXPECT_EQ(piece->ShapeHeight(), c.shapes) << c.heights.size();
    }
    // Pieces that are not two-ended move every point along.
    auto three = Piece({10, 20, 30});
    three->SetHeight(5);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(three->Point(i).fHeight, 5);
    auto two = Piece({10, 20});
    two->SetHeight(5);
    EXPECT_EQ(two->Point(1).fHeight, 20);
}

TEST_F(TrackTest, HeightRangeOfPointsAndBlocks) {
    int32_t top = 0, bottom = 0;
    auto piece = Piece({10.4, 30.6, -2.5});
    piece->GetHeightRange(top, bottom);
    EXPECT_EQ(top, 31);
    EXPECT_EQ(bottom, -2);
    piece->Point(2).fCoupling = kCouplingA;
    piece->GetHeightRange(top, bottom);
    EXPECT_EQ(top, 43);
    auto none = Piece({});
    none->GetHeightRange(top, bottom);
    EXPECT_EQ(top, 0);
    EXPECT_EQ(bottom, 0);
}

TEST_F(TrackTest, LengthOfAllLinesOverTheDivisor) {
    struct Case {
        int32_t divisor;
        double length;
    } cases[] = {{1, 200}, {2, 100}, {0, 200}, {-3, 200}, {4, 50}};
    for (const Case& c : cases) {
        auto piece = Piece({0, 0});
        AddStraight(*piece, {0, 0}, {100, 0});
        AddStraight(*piece, {0, 30}, {100, 30});
        piece->fLengthDivisor = c.divisor;
        EXPECT_EQ(piece->GetLength(), c.length) << c.divisor;
    }
    auto piece = Piece({0, 0});
    AddCurve(*piece, {0, 0}, 0, 360, kPi / 2);
    EXPECT_EQ(piece->LaengeStr(), "565 mm");
}

TEST_F(TrackTest, BoundsWithCouplingReserveBallastAndHeightLabels) {
    auto piece = Piece({0, 12});
    piece->Position = {1000, 500};
    piece->fFlags = 0;
    AddStraight(*piece, {0, 0}, {100, 0}).fOuterHalfWidth = 40;
    piece->Lines.Items(0)->Recalc();
    piece->Point(1).fPosition = {100, 0};
    EXPECT_EQ(piece->GetMyRect(false), (TRect{1000, 540, 1100, 460}));
    piece->Point(1).fCoupling = kCouplingA;
    EXPECT_EQ(piece->GetMyRect(false).Right, 1100);
    piece->Point(1).fCoupling = kCouplingB;  // reserves 17 mm ahead
    EXPECT_EQ(piece->GetMyRect(false).Right, 1117);
    piece->Point(1).fDirection = kPi / 2;
    EXPECT_EQ(piece->GetMyRect(false), (TRect{1000, 540, 1100, 460}));
    piece->Point(1).fDirection = -kPi / 2;
    EXPECT_EQ(piece->GetMyRect(false).Bottom, 460);
    piece->Point(1).fCoupling = kCouplingPlain;

    // With labels: the ballast widens by half its width; height labels count
    // when the settings show heights.
    piece->fFlags = TSchiene::kBallastFlag;
    EXPECT_EQ(piece->GetMyRect(true), (TRect{995, 545, 1105, 455}));
    EXPECT_EQ(piece->GetMyRect(false), (TRect{1000, 540, 1100, 460}));
    piece->Point(0).fShowHeight = true;
    piece->Point(0).fLabelOffset = {-300, 100};
    EXPECT_EQ(piece->GetMyRect(true), (TRect{995, 545, 1105, 455}));
    GlobalSettings.SetShowHeights(true);
    const TRect labelled = piece->GetMyRect(true);
    EXPECT_EQ(labelled.Left, 700 - 5);
    EXPECT_EQ(labelled.Top, 600 + 5);
    EXPECT_TRUE(piece->HasVisibleLabels());
}

TEST_F(TrackTest, BlackAndWhiteSwapInEveryColourOfThePiece) {
    auto piece = Piece({0, 0});
    piece->Color = 0x00000000;
    piece->fFillColor = 0x00FFFFFF;
    piece->fTieColor = 0x00004080;
    piece->Point(0).fPointColor = 0x00FFFFFF;
    piece->Point(1).fPointColor = 0x01000000;  // black in the low bytes
    piece->SwapColors();
    EXPECT_EQ(piece->Color, 0x00FFFFFFu);
    EXPECT_EQ(piece->fFillColor, 0u);
    EXPECT_EQ(piece->fTieColor, 0x00004080u);
    EXPECT_EQ(piece->Point(0).fPointColor, 0u);
    EXPECT_EQ(piece->Point(1).fPointColor, 0x00FFFFFFu);
}

// A 3D shape that records where it was drawn.
class TProbeShape : public T3DLinie {
public:
    void Load(TCLStream&) override {}
    void Draw3D(GL& gl) override {
        gl.Begin(GL::POINTS);
        gl.Vertex(0, 0, 0);
        gl.End();
    }
    void GetZRange(int32_t& top, int32_t& bottom) override { top = bottom = 0; }
};

TEST_F(TrackTest, ShapesStandAtTheFirstPointsHeight) {
    auto piece = Piece({40, 80});
    piece->Shapes.Add(std::make_unique<TProbeShape>());
    GL gl;
    piece->PaintGL(gl);
    double lift = -1;
    for (const TGLCall& c : gl.List().Calls())
        if (c.Op == TGLOp::Translate) lift = c.V[2];
    EXPECT_EQ(lift, 40);
}

}  // namespace
}  // namespace tk3d
