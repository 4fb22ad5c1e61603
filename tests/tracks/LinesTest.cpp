// The plain line segments: stream layouts, bounds and mirroring.
#include <gtest/gtest.h>

#include <cmath>

#include "ReadBack.h"
#include "layoutfile/GlobalState.h"
#include "tracks/Lines.h"

namespace tk3d {
namespace {

using tk3dtest::ReadFramed;
using tk3dw::WLine;

std::unique_ptr<TGeradeLinie> Read(const WLine& l, const tk3dw::WFormat& f = {}, int64_t* end = nullptr) {
    tk3dw::TLayoutWriter w;
    tk3dw::WriteLine(w, l, f);
    return ReadFramed<TGeradeLinie>(w, f, end);
}

WLine Arc(double x1, double y1, double sweep, double radius, double startAngle) {
    // End point from the arc's own geometry.
    const double cx = x1 - radius * std::sin(startAngle), cy = y1 + radius * std::cos(startAngle);
    WLine l;
    l.kind = WLine::Arc;
    l.x1 = x1, l.y1 = y1;
    l.x2 = cx + radius * std::sin(startAngle + sweep);
    l.y2 = cy - radius * std::cos(startAngle + sweep);
    l.sweep = sweep, l.radius = radius, l.startAngle = startAngle;
    return l;
}

TEST(Lines, ReadEveryClassAndSkipTheRestOfTheirFrames) {
    WLine straight{.version = 3, .x1 = 1.5, .y1 = 2, .x2 = -3, .y2 = 4, .flags = 0x42, .trailing = 9};
    int64_t end = 0;
    auto s = Read(straight, {}, &end);
    EXPECT_EQ(typeid(*s), typeid(TGeradeLinie));
    EXPECT_EQ(s->fVersion, 3);
    EXPECT_EQ(s->fStart, (TExtPoint{1.5, 2}));
    EXPECT_EQ(s->fEnd, (TExtPoint{-3, 4}));
    EXPECT_EQ(s->fSegmentFlags, 0x42);
    EXPECT_EQ(end, 2 + 4 + 2 + 40 + 1 + 9);

    auto a = Read(Arc(0, 0, kPi / 2, 100, 0));
    ASSERT_EQ(typeid(*a), typeid(TBogenLinie));
    const auto& arc = static_cast<const TBogenLinie&>(*a);
    EXPECT_DOUBLE_EQ(arc.fSweep, kPi / 2);
    EXPECT_DOUBLE_EQ(arc.fRadius, 100);
    EXPECT_NEAR(arc.Centre().Y, 100, 1e-12);

    WLine circle{.kind = WLine::Circle, .x1 = 5, .y1 = 6, .radius = 7};
    EXPECT_EQ(typeid(*Read(circle)), typeid(TKreisLinie));

    // 16-bit files have no frame ends: the reader must take exactly the fields.
    straight.trailing = 0;
    EXPECT_EQ(Read(straight, {.is32 = false}, &end)->fEnd, (TExtPoint{-3, 4}));
    EXPECT_EQ(end, 2 + 2 + 40 + 1);
}

TEST(Lines, StraightRectangleIsUnsortedAndNeverFlat) {
    struct {
        WLine line;
        TRect rect;
    } cases[] = {
        {{.x1 = 10, .y1 = 20, .x2 = -5, .y2 = 7}, {10, 20, -5, 7}},
        {{.x1 = 3, .y1 = 0, .x2 = 3, .y2 = 50}, {2, 0, 4, 50}},        // equal X: two units wide
        {{.x1 = 0, .y1 = 8, .x2 = 40, .y2 = 8}, {0, 9, 40, 7}},        // equal Y: two units high
        {{.x1 = 2.5, .y1 = 3.5, .x2 = 2.5, .y2 = 3.5}, {1, 5, 3, 3}},  // halves to even
    };
    for (const auto& c : cases) EXPECT_EQ(Read(c.line)->GetMyRect(), c.rect);
}

TEST(Lines, ArcRectangle) {
    // A quarter turn is bounded by its end points alone, unsorted.
    EXPECT_EQ(Read(Arc(0, 0, kPi / 2, 100, 0))->GetMyRect(), (TRect{0, 0, 100, 100}));
    // 91 degrees: sorted and widened by samples at 0, 10, ... 90 degrees; the
    // end point (99.98, 101.7) stays inside.
    const TRect r91 = Read(Arc(0, 0, DegToRad(91), 100, 0))->GetMyRect();
    EXPECT_EQ(r91, (TRect{0, 102, 100, 0}));
    // From polar 0 degrees (start direction pi/2, start point (100, 0) about
    // the origin) sweeping 170 degrees: the end lies at X -98.5, which the
    // rectangle must hold although the start point is the larger X.
    const TRect r170 = Read(Arc(100, 0, DegToRad(170), 100, kPi / 2))->GetMyRect();
    EXPECT_EQ(r170.Left, -98);
    EXPECT_EQ(r170.Right, 100);
    EXPECT_EQ(r170.Top, 100);
    EXPECT_EQ(r170.Bottom, 0);
    // A half circle below its chord (the flat end-point rectangle is one unit
    // higher).
    EXPECT_EQ(Read(Arc(-50, 0, kPi, 50, 3 * kPi / 2))->GetMyRect(), (TRect{-50, 1, 50, -50}));
}

TEST(Lines, HostileArcsStayBounded) {
    WLine huge = Arc(0, 0, 1, 100, 0);
    huge.sweep = 1e300;
    EXPECT_EQ(Read(huge)->GetMyRect(), (TRect{-100, 200, 100, 0}));
    WLine nan = Arc(0, 0, 1, 100, 0);
    nan.sweep = std::nan("");
    nan.x2 = std::nan("");
    const TRect r = Read(nan)->GetMyRect();
    EXPECT_EQ(r.Left, -1);  // NaN coordinates round to 0
    EXPECT_EQ(r.Right, 1);
    WLine far{.kind = WLine::Circle, .x1 = 2e9, .y1 = 0, .radius = 1e12};
    EXPECT_EQ(Read(far)->GetMyRect(), (TRect{INT32_MIN, INT32_MAX, INT32_MAX, INT32_MIN}));
}

TEST(Lines, CircleRectangle) {
    WLine circle{.kind = WLine::Circle, .x1 = 0, .y1 = 0, .radius = 100};
    EXPECT_EQ(Read(circle)->GetMyRect(), (TRect{-105, 105, 105, -105}));
}

TEST(Lines, Mirror) {
    auto s = Read({.x1 = 1, .y1 = 2, .x2 = 5, .y2 = 3});
    s->Mirror(10, 1, 2);  // X becomes 2 * 10 - 1 - 2 - X
    EXPECT_EQ(s->fStart, (TExtPoint{16, 2}));
    EXPECT_EQ(s->fEnd, (TExtPoint{12, 3}));

    auto a = Read(Arc(0, 0, kPi / 2, 100, 0));
    a->Mirror(0, 0, 0);
    const auto& arc = static_cast<const TBogenLinie&>(*a);
    EXPECT_NEAR(arc.fStart.X, -100, 1e-9);
    EXPECT_NEAR(arc.fStart.Y, 100, 1e-9);
    EXPECT_NEAR(arc.fEnd.X, 0, 1e-9);
    EXPECT_NEAR(arc.fEnd.Y, 0, 1e-9);
    EXPECT_NEAR(arc.fStartAngle, 3 * kPi / 2, 1e-12);
    EXPECT_NEAR(arc.Centre().X, 0, 1e-9);
    EXPECT_NEAR(arc.Centre().Y, 100, 1e-9);

    auto c = Read({.kind = WLine::Circle, .x1 = 3, .y1 = 4, .x2 = 9, .y2 = 9, .radius = 2});
    c->Mirror(0, 0, 0);
    EXPECT_EQ(c->fStart, (TExtPoint{-3, 4}));
    EXPECT_EQ(c->fEnd, (TExtPoint{9, 9}));  // unused by a circle, left alone
}

TEST(Lines, RotateTurnsTheArcDirection) {
    auto a = Read(Arc(0, 0, kPi / 2, 100, 0));
    a->Rotate({0, 0}, kPi);
    const auto& arc = static_cast<const TBogenLinie&>(*a);
    EXPECT_NEAR(arc.fStartAngle, kPi, 1e-12);
    EXPECT_NEAR(arc.fEnd.X, -100, 1e-9);
    EXPECT_NEAR(arc.fEnd.Y, -100, 1e-9);
    EXPECT_NEAR(arc.Centre().Y, -100, 1e-9);
}

}  // namespace
}  // namespace tk3d
