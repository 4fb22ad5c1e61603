// The projection and model-view of the 3D view: overview fit, 1:N zoom,
// rotation order and the mended degenerate cases.
#include <gtest/gtest.h>

#include <cmath>

#include "layoutfile/GlobalState.h"
#include "obj3d/CompiledScene.h"
#include "obj3d/CoordinateCross.h"
#include "obj3d/ViewSetup.h"

namespace tk3d {
namespace {

TSceneExtent Layout(int left, int top, int right, int bottom) {
    TSceneExtent e;
    e.Exact = {left, top, right, bottom};
    e.FromOrigin = {0, 0, std::max(right, 0), std::min(bottom, 0)};
    return e;
}

TViewParams Square(int size) {
    TViewParams v;
    v.ViewWidth = v.ViewHeight = size;
    return v;
}

// Window pixel (x from the left, y from the bottom) of a model point.
TDPoint Window(const TViewMatrices& m, const TViewParams& v, TDPoint p) {
    const TDPoint ndc = (m.Projection.Matrix() * m.Scene).TransformPoint(p);
    return {(ndc.X + 1) / 2 * v.ViewWidth, (ndc.Y + 1) / 2 * v.ViewHeight, ndc.Z};
}

TEST(ViewSetup, OverviewFitsTheLongerSideAndCentresTheOther) {
    const TViewParams v = Square(600);
    // Three times as wide as high: fills the width, centred vertically.
    TSceneExtent wide = Layout(0, 0, 3000, -1000);
    TViewMatrices m = SetupView(v, wide);
    TDPoint a = Window(m, v, {0, 0, 0}), b = Window(m, v, {3000, -1000, 0});
    EXPECT_NEAR(a.X, 0, 1e-6);
    EXPECT_NEAR(b.X, 600, 1e-6);
    EXPECT_NEAR(a.Y, 400, 1e-6);
    EXPECT_NEAR(b.Y, 200, 1e-6);
    // Narrower than the view: fills the height.
    TSceneExtent tall = Layout(0, 0, 1000, -3000);
    m = SetupView(v, tall);
    a = Window(m, v, {0, 0, 0});
    b = Window(m, v, {1000, -3000, 0});
    EXPECT_NEAR(a.Y, 600, 1e-6);
    EXPECT_NEAR(b.Y, 0, 1e-6);
    EXPECT_NEAR(a.X, 200, 1e-6);
    // Overview scale: the smaller side over the diagonal of the box.
    wide.Top = 0;
    wide.Bottom = -1000;
    EXPECT_NEAR(OverviewViewScale(v, wide), 600 / std::sqrt(3000.0 * 3000 + 2 * 1000.0 * 1000), 1e-12);
}

TEST(ViewSetup, OverviewKeepsALayoutFarFromTheOriginInTheWindow) {
    // The view is centred on the rectangle from the origin, so it must also
    // be fitted to it; layouts at -X or +Y lie outside that rectangle and
    // must be shown all the same.
    const TViewParams v = Square(500);
    const TRect layouts[] = {
        {10000, -100, 12000, -1100},  // far along +X
        {100, 3000, 900, 2000},       // entirely above the X axis
        {-5000, 400, -4000, -300},    // left of the origin
    };
    for (const TRect& r : layouts) {
        const TSceneExtent e = Layout(r.Left, r.Top, r.Right, r.Bottom);
        const TViewMatrices m = SetupView(v, e);
        for (TDPoint p : {TDPoint{double(r.Left), double(r.Top), 0}, TDPoint{double(r.Right), double(r.Bottom), 0}}) {
            const TDPoint w = Window(m, v, p);
            EXPECT_GE(w.X, -1e-6) << r.Left;
            EXPECT_LE(w.X, 500 + 1e-6) << r.Left;
            EXPECT_GE(w.Y, -1e-6) << r.Left;
            EXPECT_LE(w.Y, 500 + 1e-6) << r.Left;
        }
    }
}

TEST(ViewSetup, DegenerateLayoutsAndWindowsStayFinite) {
    TSceneExtent empty;
    empty.Exact = EmptyUnionRect();
    TViewParams v;
    v.ViewWidth = -5;
    v.ViewHeight = 0;
    const TViewMatrices m = SetupView(v, empty);
    EXPECT_GT(m.ViewScale, 0);
    EXPECT_TRUE(std::isfinite(m.ViewScale));
    EXPECT_LT(m.Projection.Left, m.Projection.Right);
    EXPECT_LT(m.Projection.Bottom, m.Projection.Top);
    EXPECT_LE(m.Projection.Near, -1);
    EXPECT_GE(m.Projection.Far, 1);
    for (double x : m.Projection.Matrix().m) EXPECT_TRUE(std::isfinite(x));
}

TEST(ViewSetup, ZoomShowsTrueScaleOnTheScreen) {
    TViewParams v = Square(640);
    v.Overview = false;
    v.Zoom = 10;
    v.Screen = {1280, 320, 1024, 256};
    EXPECT_DOUBLE_EQ(ZoomViewScale(v), 0.4);
    const TOrtho o = ViewProjection(v, Layout(0, 0, 100, -100));
    EXPECT_DOUBLE_EQ(o.Right, 10 * (320.0 * 640 / 1280) / 2);  // 800 mm half width
    EXPECT_DOUBLE_EQ(o.Top, 800);
    v.Zoom = 0;  // below 1:1 counts as 1:1
    EXPECT_DOUBLE_EQ(ZoomViewScale(v), 4);
}

TEST(ViewSetup, RotationsApplyXThenYThenZAfterScrolling) {
    TViewParams v = Square(100);
    v.ScrollX = 5;
    v.ScrollY = 7;
    v.RotX = 90;
    v.RotZ = 90;
    const TViewMatrices m = SetupView(v, Layout(0, 0, 0, 0));
    // Z first turns (1,0,0) into (0,1,0); X then turns that into (0,0,1).
    const TDPoint p = m.View.TransformPoint({1, 0, 0});
    EXPECT_NEAR(p.X, -5, 1e-12);
    EXPECT_NEAR(p.Y, 7, 1e-12);
    EXPECT_NEAR(p.Z, 1, 1e-12);
}

TEST(ViewSetup, ZLabelsNeedTwoTurnedSliders) {
    EXPECT_FALSE(ShowZLabels(0, 0, 0));
    EXPECT_TRUE(ShowZLabels(30, 0, 45));
    EXPECT_FALSE(ShowZLabels(0, 0, 45));
    EXPECT_FALSE(ShowZLabels(360, 0, 45));
    EXPECT_TRUE(ShowZLabels(1, 359, 0));
}

TEST(CoordinateCross, AxesInTheirColoursAndLabelsAtFixedPixelDistances) {
    ResetGlobalState();
    ViewScale = 2;
    GL gl;
    RecordCrossAxes(gl);
    RecordCrossLabels(gl, false);
    const TCompiledScene s = CompileScene(gl.List());
    ASSERT_EQ(s.LineCount(), 3);
    const auto& v = s.Lines[0].Vertices;
    EXPECT_EQ(v[0].Pos[0], 30000.0f);
    EXPECT_EQ(v[0].Color[0], 255);  // X red
    EXPECT_EQ(v[2].Color[2], 255);  // Y blue
    EXPECT_EQ(v[4].Color[1], 255);  // Z green
    ASSERT_EQ(s.TextCount(), 4);
    EXPECT_EQ(s.Texts[0].Text, "-X");
    EXPECT_EQ(s.Texts[0].Anchor.X, -35);
    EXPECT_EQ(s.Texts[3].Anchor.Y, 35);
    EXPECT_EQ(s.Texts[0].Color[0], 0);
    GL withZ;
    RecordCrossLabels(withZ, true);
    EXPECT_EQ(CompileScene(withZ.List()).TextCount(), 6);
    ResetGlobalState();
}

}  // namespace
}  // namespace tk3d
