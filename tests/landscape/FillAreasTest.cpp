// Fill polygons, fill circles and fill points in both file forms.
#include <gtest/gtest.h>

#include "ReadBack.h"
#include "landscape/FillAreas.h"
#include "tracks/FillPoints.h"

namespace tk3d {
namespace {

using tk3dtest::ReadFramed;
using tk3dw::WFillArea;

std::unique_ptr<TFuellFlaeche> Read(const WFillArea& a, const tk3dw::WFormat& f, int64_t* end = nullptr) {
    tk3dw::TLayoutWriter w;
    tk3dw::WriteFillArea(w, a, f);
    return ReadFramed<TFuellFlaeche>(w, f, end);
}

TEST(FillAreas, PolygonInBothForms) {
    // The 16-bit item with low half 5 and high half -2 unpacks to (5, -2).
    const WFillArea a{.version = 3, .color = 0x00FF00, .coords = {5, -2, -32768, 32767, 0, -1}};
    for (bool is32 : {true, false}) {
        int64_t end = 0;
        tk3dw::TLayoutWriter w;
        tk3dw::WriteFillArea(w, a, {.is32 = is32});
        auto r = ReadFramed<TFuellFlaeche>(w, {.is32 = is32}, &end);
        EXPECT_EQ(end, int64_t(w.Pos()));
        auto* p = dynamic_cast<TFuellPolygon*>(r.get());
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->fFillVersion, 3);
        EXPECT_EQ(p->fFillColor, 0x00FF00u);
        EXPECT_EQ(p->fCoords->Values, (std::vector<int32_t>{5, -2, -32768, 32767, 0, -1})) << is32;
        EXPECT_EQ(p->CornerCount(), 3);
        EXPECT_EQ(p->Corner(1), (TPoint{-32768, 32767}));
    }
}

TEST(FillAreas, OddEntryIsNoCorner) {
    auto r = Read({.coords = {1, 2, 3, 4, 5}}, {});
    EXPECT_EQ(static_cast<TFuellPolygon&>(*r).CornerCount(), 2);
}

TEST(FillAreas, PolygonCoordinatesMustBeAValueCollection) {
    tk3dw::TLayoutWriter w;
    const size_t frame = w.BeginFrame(tk3dw::ids::FuellPolygon);
    w.Word(1);
    w.Cardinal(0);
    const size_t coll = w.BeginFrame(tk3dw::ids::RailCollection);
    tk3dw::WriteCollectionHeader(w, 0);
    w.EndFrame(coll);
    w.EndFrame(frame);
    EXPECT_THROW(ReadFramed<TFuellFlaeche>(w), EInvalidCast);
}

TEST(FillAreas, CircleInBothForms) {
    for (bool is32 : {true, false}) {
        int64_t end = 0;
        auto r = Read({.circle = true, .color = 7, .cx = -12, .cy = 300, .radius = 0}, {.is32 = is32}, &end);
        auto* c = dynamic_cast<TFuellKreis*>(r.get());
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->fCentreX, -12);
        EXPECT_EQ(c->fCentreY, 300);
        EXPECT_EQ(c->fCircleRadius, 0);
        EXPECT_EQ(end, is32 ? 2 + 4 + 6 + 12 : 2 + 6 + 6);
    }
}

TEST(FillPoints, BothForms) {
    for (bool is32 : {true, false}) {
        tk3dw::TLayoutWriter w;
        tk3dw::WriteFillPoints(w, {{.x = -5, .y = 7, .brush = 0x0000FF}, {.x = 1, .y = 2, .brush = 1}},
                               {.is32 = is32});
        int64_t end = 0;
        auto c = ReadFramed<TFuellColl>(w, {.is32 = is32}, &end);
        EXPECT_EQ(end, int64_t(w.Pos()));
        ASSERT_EQ(c->Count(), 2);
        EXPECT_EQ(c->Items(0)->fX, -5);
        EXPECT_EQ(c->Items(0)->fY, 7);
        EXPECT_EQ(c->Items(0)->fBrush, 0xFF);
        EXPECT_EQ(c->Items(1)->fBrush, TFuellPunkt::kBrushBlack);
    }
}

}  // namespace
}  // namespace tk3d
