// Rail lines: stream layouts of every version, outlines and bounds.
#include <gtest/gtest.h>

#include <cmath>

#include "ReadBack.h"
#include "TrackTestSupport.h"
#include "WriteTracks.h"

namespace tk3d {
namespace {

using tk3dtest::ReadFramed;
using tk3dw::WRailLine;
using namespace tracktest;

std::unique_ptr<TGeradeSchienenLinie> Read(const WRailLine& l, const tk3dw::WFormat& f = {},
                                           int64_t* end = nullptr) {
    tk3dw::TLayoutWriter w;
    tk3dw::WriteRailLine(w, l, f);
    return ReadFramed<TGeradeSchienenLinie>(w, f, end);
}

WRailLine Sample(uint16_t version) {
    WRailLine l = tk3dw::StraightRail(1, 2, 41, 32, 24);
    l.version = version;
    l.outline = {1, -2, 3, -4, 5, -6, 7, -8};
    l.outerOutline = {10, 20, 30, 40, 50, 60, 70, 80};
    l.edgeFlags = 2;
    l.outerHalfWidth = 17;
    l.baseLength = 77;
    l.heightOffset = 12.5;
    l.clearance1 = {{1, 2}, {3, 4}};
    l.lineFlags = 0x83;
    l.gauge = 9;
    return l;
}

TEST(RailLines, EveryVersionOfTheStraightLayout) {
    struct Case {
        uint16_t version;
        int32_t outerHalfWidth;
        double baseLength, heightOffset;
        bool clearance;
        uint8_t lineFlags;
        double gauge;
    } cases[] = {
        {1, 24, 50, 0, false, 0, 0},  // half width from the band width, length from the ends
        {2, 17, 50, 0, false, 0, 0},      {3, 17, 77, 0, false, 0, 0},   {4, 17, 77, 0, false, 0, 0},
        {5, 17, 77, 12.5, false, 0, 0},   {6, 17, 77, 12.5, true, 0, 0}, {7, 17, 77, 12.5, true, 0x82, 0},
        {8, 17, 77, 12.5, true, 0x82, 9},
    };
    for (const tk3dw::WFormat& f : {tk3dw::WFormat{}, tk3dw::WFormat{.is32 = false}}) {
        for (const Case& c : cases) {
            int64_t end = 0;
            tk3dw::TLayoutWriter w;
            tk3dw::WriteRailLine(w, Sample(c.version), f);
            auto line = ReadFramed<TGeradeSchienenLinie>(w, f, &end);
            EXPECT_EQ(end, int64_t(w.bytes.size())) << c.version;  // nothing left, nothing overread
            EXPECT_EQ(typeid(*line), typeid(TGeradeSchienenLinie));
            EXPECT_EQ(line->fOutline[1], (TPoint{3, -4})) << c.version;
            EXPECT_EQ(line->fOuterOutline[3], (TPoint{70, 80})) << c.version;
            EXPECT_EQ(line->fWidth, 24);
            EXPECT_EQ(line->fEdgeFlags, 2);
            EXPECT_EQ(line->fOuterHalfWidth, c.outerHalfWidth) << c.version;
            EXPECT_DOUBLE_EQ(line->fBaseLength, c.baseLength) << c.version;
            EXPECT_EQ(line->fHeightOffset, c.heightOffset) << c.version;
            EXPECT_EQ(line->fClearance1 != nullptr, c.clearance) << c.version;
            EXPECT_EQ(line->fClearance2, nullptr);  // a count of 0 is no list
            EXPECT_EQ(line->fLineFlags, c.lineFlags) << c.version;
            EXPECT_EQ(line->fLineGauge, c.gauge) << c.version;
        }
    }
}

TEST(RailLines, CurvesReadTheirArcAndOldOnesTakeTheRadiusAsLength) {
    WRailLine curve = tk3dw::CurveRail(0, 0, 0.5, 360, kPi / 6);
    curve.baseLength = 999;
    curve.trailing = 7;
    auto read = Read(curve);
    ASSERT_EQ(typeid(*read), typeid(TBogenSchienenLinie));
    const auto& arc = static_cast<const TBogenSchienenLinie&>(*read);
    EXPECT_EQ(arc.fStartAngle, 0.5);
    EXPECT_EQ(arc.fRadius, 360);
    EXPECT_DOUBLE_EQ(arc.fSweep, kPi / 6);
    EXPECT_EQ(arc.fBaseLength, 999);
    EXPECT_DOUBLE_EQ(arc.Length(), 999 * kPi / 6);
    curve.version = 2;
    EXPECT_EQ(Read(curve)->fBaseLength, 360);
}

TEST(RailLines, HostileNumbers) {
    WRailLine l = Sample(8);
    l.width = std::nan("");
    l.gauge = HUGE_VAL;
    l.heightOffset = -HUGE_VAL;
    auto line = Read(l);
    EXPECT_EQ(line->fWidth, 0);
    EXPECT_EQ(line->fLineGauge, 0);
    EXPECT_EQ(line->fHeightOffset, 0);

    for (int32_t count : {-1, 1000000}) {
        tk3dw::TLayoutWriter w;
        const size_t frame = w.BeginFrame(tk3dw::ids::GeradeSchienenLinie);
        w.Word(6);
        w.Zeros(40 + 1 + 64 + 10 + 1 + 4 + 10 + 10);
        w.Integer(count);
        w.EndFrame(frame);
        EXPECT_THROW(ReadFramed<TGeradeSchienenLinie>(w), EReadError) << count;
    }
}

TEST(RailLines, OutlinesOfStraightAndCurve) {
    auto piece = Piece({0, 0});
    TGeradeSchienenLinie& s = AddStraight(*piece, {0, 0}, {100, 0});
    s.fOuterHalfWidth = 40;
    s.Recalc();
    EXPECT_EQ(s.fOutline, (std::array<TPoint, 4>{TPoint{0, 15}, {0, -15}, {100, -15}, {100, 15}}));
    EXPECT_EQ(s.fOuterOutline, (std::array<TPoint, 4>{TPoint{0, 40}, {0, -40}, {100, -40}, {100, 40}}));

    TBogenSchienenLinie& c = AddCurve(*piece, {0, 0}, 0, 100.4, kPi / 2);
    EXPECT_EQ(c.fOutline[0], (TPoint{0, 0}));
    EXPECT_EQ(c.fOutline[1], (TPoint{100, 100}));
    EXPECT_EQ(c.fOutline[2], (TPoint{0, 100}));
    EXPECT_EQ(c.fOutline[3], (TPoint{85, 115}));  // inner and outer edge radius
    EXPECT_EQ(c.fOuterOutline[1], (TPoint{0, -15}));
    EXPECT_EQ(c.fOuterOutline[2], (TPoint{85, 100}));
}

TEST(RailLines, StraightBoundsTakeTheOuterOutlineOrTheBand) {
    struct Case {
        double width;
        int32_t outerHalfWidth;
        uint8_t edges;
        TRect rect;
    } cases[] = {
        {30, 40, 3, {0, 40, 100, -40}},       // the outer outline holds the band
        {30, 20, 3, {0, 31, 100, -31}},       // narrower than the band: taken at round(W) + 1
        {30, 10, 3, {0, 15, 100, -15}},       // the band alone
        {30, 40, 1, {0, 40, 100, -40}},       // both, the band inside
        {std::nan(""), 40, 3, {0, 0, 0, 0}},  // no number: a point, not the whole plane
    };
    for (const Case& c : cases) {
        auto piece = Piece({0, 0});
        TGeradeSchienenLinie& s = AddStraight(*piece, {0, 0}, {100, 0}, c.width);
        s.fOuterHalfWidth = c.outerHalfWidth;
        s.fEdgeFlags = c.edges;
        s.Recalc();
        EXPECT_EQ(s.GetMyRect(), c.rect) << c.width << " " << c.outerHalfWidth << " " << int(c.edges);
    }
}

TEST(RailLines, ClearanceOutlinesCountOnlyWhenThePieceAndTheSettingsSaySo) {
    ResetGlobalState();
    auto piece = Piece({0, 0});
    TGeradeSchienenLinie& s = AddStraight(*piece, {0, 0}, {100, 0});
    s.fClearance2 = std::make_unique<TPointArrayClass>();
    s.fClearance2->AddPoint({-50, 70});
    const TRect plain = s.GetMyRect();
    GlobalSettings.SetOutlinesInRect(true);
    EXPECT_EQ(s.GetMyRect(), plain);
    piece->fFlags |= TSchiene::kClearanceFlag;
    EXPECT_EQ(s.GetMyRect(), (TRect{-50, 70, 100, plain.Bottom}));
    GlobalSettings.SetOutlinesInRect(false);
    EXPECT_EQ(s.GetMyRect(), plain);
    ResetGlobalState();
}

TEST(RailLines, CurveBoundsReachTheQuarterTurnsOfTheCentreLine) {
    auto piece = Piece({0, 0});
    auto curve = [&](TExtPoint start, double startAngle, double sweep) -> TBogenSchienenLinie& {
        TBogenSchienenLinie& c = AddCurve(*piece, start, startAngle, 100, sweep);
        c.fOuterHalfWidth = 30;
        c.Recalc();
        return c;
    };
    // A half circle from (0, 0) heading east about (0, 100): the centre
    // line's eastmost point (100, 100) widens the rectangle.
    EXPECT_EQ(curve({0, 0}, 0, kPi).GetMyRect(), (TRect{0, 230, 100, -30}));
    // From polar -45 to 45 degrees about the origin: X reaches 100 at polar
    // 0, but the band's outer edge (radius 115) is not added.
    const double r = 100 / std::sqrt(2.0);
    EXPECT_EQ(curve({r, -r}, kPi / 4, kPi / 2).GetMyRect(), (TRect{49, 92, 100, -92}));
    // The outer outline alone, taken wider when it is narrower than the band.
    TBogenSchienenLinie& narrow = AddCurve(*piece, {0, 0}, 0, 100, kPi / 2);
    EXPECT_EQ(narrow.GetMyRect(), (TRect{0, 100, 131, -31}));
    // Sweeps of many turns reach all four extremes and stop there.
    const TRect many = curve({0, 0}, 0, 1e9).GetMyRect();
    EXPECT_LE(many.Left, -100);
    EXPECT_GE(many.Right, 100);
    EXPECT_GE(many.Top, 200);
    EXPECT_LE(many.Bottom, 0);
}

TEST(RailLines, LengthSkipsLinesMarkedAsNotCounting) {
    auto piece = Piece({0, 0});
    TGeradeSchienenLinie& s = AddStraight(*piece, {0, 0}, {30, 40});
    EXPECT_EQ(s.Length(), 50);
    s.fEdgeFlags = kEdgeNoLength;
    EXPECT_EQ(s.Length(), 0);
    s.fEdgeFlags = kEdgeNoLength | kEdgeStart;
    EXPECT_EQ(s.Length(), 50);
}

}  // namespace
}  // namespace tk3d
