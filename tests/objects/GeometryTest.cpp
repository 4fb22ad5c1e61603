// Angles, points, rotation, checked rounding and the locale-dependent unit
// formats.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "layoutfile/GlobalState.h"
#include "objects/BusyCursor.h"
#include "objects/Geometry.h"

namespace tk3d {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::nan("");

class GeometryTest : public testing::Test {
protected:
    void SetUp() override {
        ResetGlobalState();
        SetNumberFormat({".", ",", "EUR"});  // German grouping and decimals
    }
    void TearDown() override { ResetGlobalState(); }
    static void Board(int32_t width, int32_t depth, bool inch) {
        GlobalSettings.SetBoardWidth(width);
        GlobalSettings.SetBoardDepth(depth);
        GlobalSettings.SetInchUnits(inch);
    }
};

TEST_F(GeometryTest, RoundingIsHalfEvenAndSaturates) {
    struct {
        double in;
        int32_t out;
    } cases[] = {{2.5, 2},           {3.5, 4},
                 {-2.5, -2},         {-0.6, -1},
                 {kNaN, 0},          {1e10, INT32_MAX},
                 {-1e10, INT32_MIN}, {kInf, INT32_MAX},
                 {-kInf, INT32_MIN}, {2147483647.4, INT32_MAX}};
    for (const auto& c : cases) EXPECT_EQ(RoundToInt(c.in), c.out) << c.in;
    EXPECT_EQ(TruncToInt(-2.9), -2);
    EXPECT_EQ(TruncToInt(kNaN), 0);
    EXPECT_EQ(RoundToInt64(1e300), INT64_MAX);
}

TEST_F(GeometryTest, AngleNormalisation) {
    EXPECT_DOUBLE_EQ(NormalizeAngle(2 * kPi), 2 * kPi);
    EXPECT_DOUBLE_EQ(NormalizeAngle(-0.1), 2 * kPi - 0.1);
    EXPECT_DOUBLE_EQ(NormalizeAngle(5 * kPi), kPi);
    double a = 3 * kPi / 2;
    AddAngleSigned(a, 0);
    EXPECT_DOUBLE_EQ(a, -kPi / 2);
    a = kPi;
    AddAngleSigned(a, 0);
    EXPECT_DOUBLE_EQ(a, kPi);
    a = -kPi;
    AddAngleSigned(a, 0);
    EXPECT_DOUBLE_EQ(a, kPi);
}

TEST_F(GeometryTest, HugeAndInfiniteAnglesTerminate) {
    const double n = NormalizeAngle(1e300);
    EXPECT_TRUE(n >= 0 && n <= 2 * kPi);
    EXPECT_TRUE(std::isnan(NormalizeAngle(kInf)));
    double a = 1e18;
    AddAngleSigned(a, 1e18);
    EXPECT_TRUE(a > -kPi && a <= kPi);
    a = 0;
    AddAngleSigned(a, -kInf);
    EXPECT_TRUE(std::isnan(a));
}

TEST_F(GeometryTest, SameAngle) {
    EXPECT_TRUE(SameAngle(0, 2 * kPi));
    EXPECT_TRUE(SameAngle(-kPi, kPi));
    EXPECT_TRUE(SameAngle(1e-7, 2 * kPi - 1e-7));
    EXPECT_FALSE(SameAngle(0.1, 0.2));
    // A floating-point fault counts as equal.
    EXPECT_TRUE(SameAngle(kNaN, 1));
    EXPECT_TRUE(SameAngle(1, kInf));
}

TEST_F(GeometryTest, SnapAndDirection) {
    EXPECT_EQ(SnapZero(5e-13), 0);
    EXPECT_EQ(SnapZero(2e-12), 2e-12);
    EXPECT_DOUBLE_EQ(DirectionAngle({0, 0}, {0, -5}), 3 * kPi / 2);
    EXPECT_DOUBLE_EQ(DirectionAngle({0, 0}, {0, 5}), kPi / 2);
    EXPECT_DOUBLE_EQ(DirectionAngle({0, 0}, {0, 0}), 3 * kPi / 2);
    EXPECT_DOUBLE_EQ(DirectionAngle({0, 0}, {-1, -1}), -3 * kPi / 4);
    EXPECT_DOUBLE_EQ(DirectionAngle({0, 0}, {kNaN, 2}), kPi / 2);
    EXPECT_DOUBLE_EQ(PointDistance(TExtPoint{0, 0}, TExtPoint{3, 4}), 5);
    EXPECT_DOUBLE_EQ(PointDistance(TPoint{INT32_MIN, 0}, TPoint{INT32_MAX, 0}), 4294967295.0);
    EXPECT_DOUBLE_EQ(SlopeToAngle(0), 0);
    EXPECT_NEAR(AngleToSlope(SlopeToAngle(25)), 25, 1e-9);
}

TEST_F(GeometryTest, RotatePoint) {
    double x = 10, y = 0;
    RotatePoint(x, y, TExtPoint{0, 0}, kPi / 2);
    EXPECT_NEAR(x, 0, 1e-12);
    EXPECT_NEAR(y, 10, 1e-12);
    // Left of the centre: the signed radius keeps the side.
    x = -10, y = 0;
    RotatePoint(x, y, TExtPoint{0, 0}, kPi / 2);
    EXPECT_NEAR(x, 0, 1e-12);
    EXPECT_NEAR(y, -10, 1e-12);
    // Within 0.01 of the centre's vertical line the point counts as on it.
    x = 0.005, y = 10;
    RotatePoint(x, y, TExtPoint{0, 0}, kPi / 2);
    EXPECT_NEAR(x, -10, 1e-12);
    EXPECT_NEAR(y, 0, 1e-12);
    int32_t ix = 7, iy = 3;
    RotatePoint(ix, iy, TPoint{2, 3}, kPi);
    EXPECT_EQ(ix, -3);
    EXPECT_EQ(iy, 3);
}

TEST_F(GeometryTest, RotateRectBounds) {
    TRect r{0, 10, 20, 0};
    RotateRectBounds(r, {0, 0}, kPi / 2);
    EXPECT_EQ(r, (TRect{-10, 20, 0, 0}));
}

TEST_F(GeometryTest, PointNearSegment) {
    EXPECT_TRUE(PointNearSegment(TExtPoint{5, 0.9}, {0, 0}, {10, 0}, 2));
    EXPECT_FALSE(PointNearSegment(TExtPoint{5, 3}, {0, 0}, {10, 0}, 2));
    EXPECT_FALSE(PointNearSegment(TExtPoint{12, 0}, {0, 0}, {10, 0}, 2));
    // Diagonal: within the box but too far from the line.
    EXPECT_FALSE(PointNearSegment(TPoint{0, 10}, {0, 0}, {10, 10}, 6));
    EXPECT_TRUE(PointNearSegment(TPoint{4, 6}, {0, 0}, {10, 10}, 2));
}

TEST_F(GeometryTest, SwapBlackWhite) {
    EXPECT_EQ(SwapBlackWhite(0), 0xFFFFFFu);
    EXPECT_EQ(SwapBlackWhite(0xFFFFFF), 0u);
    EXPECT_EQ(SwapBlackWhite(0x01000000), 0xFFFFFFu);
    EXPECT_EQ(SwapBlackWhite(0x123456), 0x123456u);
}

TEST_F(GeometryTest, FormatLength) {
    EXPECT_EQ(FormatLength(-0.3), "0");
    EXPECT_EQ(FormatLength(1234.6), "1235");
    GlobalSettings.SetInchUnits(true);
    EXPECT_EQ(FormatLength(25.4), "1,0");
    EXPECT_EQ(FormatLength(-0.01), "0");
    EXPECT_EQ(LengthUnitSuffix(), "\"");
}

TEST_F(GeometryTest, FormatDimension) {
    struct {
        int32_t board;
        bool inch;
        double mm;
        const char* text;
    } cases[] = {
        {12000, false, 12345, "12,345 m"},
        {12000, false, 2500, "2,5 m"},
        {12000, false, 12000, "12 m"},
        {3000, false, 2500, "2.500 mm"},
        {3000, false, 1234567, "1.234.567 mm"},
        {12000, true, 143.7 * 25.4, "11'11,7\""},  // no carry below a displayed 12
        {12000, true, 143.97 * 25.4, "12'0,0\""},  // carried, no negative rest
        {12000, true, 30 * 25.4, "2'6,0\""},
        {3000, true, 254, "10,0\""},
        {10160, true, 254, "10,0\""},  // below the inch threshold of a large layout
    };
    for (const auto& c : cases) {
        Board(c.board, 100, c.inch);
        EXPECT_EQ(FormatDimension(c.mm), c.text) << c.mm;
    }
}

TEST_F(GeometryTest, FormatsFollowTheNumberFormat) {
    SetNumberFormat({",", ".", "$"});
    Board(3000, 100, false);
    EXPECT_EQ(FormatDimension(2500), "2,500 mm");
    SetNumberFormat({"", ".", ""});
    EXPECT_EQ(FormatNumber(-1234567.25, 1), "-1234567.2");
}

TEST(BusyCursor, NestsAndNeverGoesBelowZero) {
    std::vector<bool> calls;
    SetBusyHook([&](bool busy) { calls.push_back(busy); });
    EndBusy();
    BeginBusy();
    {
        TBusyScope scope;
        EXPECT_EQ(BusyDepth(), 2);
    }
    EndBusy();
    EndBusy();
    EXPECT_EQ(BusyDepth(), 0);
    EXPECT_EQ(calls, (std::vector<bool>{true, false}));
    SetBusyHook(nullptr);
}

}  // namespace
}  // namespace tk3d
