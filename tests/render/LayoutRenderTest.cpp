// A layout file read, compiled and drawn as the 3D view draws it: the
// overview fits it, the sliders turn it, the cross marks the centre.
#include <QImage>
#include <cmath>

#include "DemoLayout.h"
#include "RenderFixture.h"
#include "layoutfile/GlobalState.h"
#include "layoutfile/LoadLayout.h"
#include "layoutfile/RailList.h"
#include "obj3d/DocumentScene.h"

namespace tk3d::test {
namespace {

struct TCentroid {
    double X = 0, Y = 0;
    int Count = 0;
};

// Mean position of the pixels of one of the layout's colours.
TCentroid CentroidOf(const QImage& img, uint32_t colour) {
    const int r = int(colour & 0xFF), g = int((colour >> 8) & 0xFF), b = int((colour >> 16) & 0xFF);
    TCentroid c;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = img.pixel(x, y);
            if (std::abs(qRed(p) - r) < 40 && std::abs(qGreen(p) - g) < 40 && std::abs(qBlue(p) - b) < 40) {
                c.X += x;
                c.Y += y;
                ++c.Count;
            }
        }
    if (c.Count) {
        c.X /= c.Count;
        c.Y /= c.Count;
    }
    return c;
}

class LayoutRender : public RenderTest {
protected:
    QImage Render(double rotX, double rotY, double rotZ, bool cross = false) {
        auto doc = LoadLayout(WriteDemoLayout("layout"));
        TViewParams v;
        v.ViewWidth = 800;
        v.ViewHeight = 600;
        v.RotX = rotX;
        v.RotY = rotY;
        v.RotZ = rotZ;
        TFrameSetup f;
        f.View = SetupView(v, DocumentExtent(*doc));
        f.Width = 800;
        f.Height = 600;
        f.Cross = cross;
        f.ShowZLabels = ShowZLabels(rotX, rotY, rotZ);
        ViewScale = f.View.ViewScale;
        fRenderer->SetScene(CompileDocument(*doc, true));
        return RenderToImage(*fRenderer, f);
    }
};

TEST_F(LayoutRender, OverviewFitsTheLongerAxisAndCentresTheOther) {
    const QImage img = Render(0, 0, 0);
    const TPixelBox box = NonWhiteBox(img);
    // 3000 x 1500 mm in 800 x 600 pixels: the width is filled.
    EXPECT_LE(box.Left, 2);
    EXPECT_GE(box.Right, 797);
    const double middle = (box.Top + box.Bottom) / 2.0;
    EXPECT_NEAR(middle, 300, 3);
    EXPECT_NEAR(box.Bottom - box.Top, 400, 6);
    // The arc lies right of the middle, the circle left of it.
    EXPECT_GT(CentroidOf(img, kArcColour).X, 450);
    EXPECT_LT(CentroidOf(img, kCircleColour).X, 300);
    EXPECT_EQ(fErrors, "");
}

TEST_F(LayoutRender, SlidersTurnTheLayoutAboutItsCentre) {
    const TCentroid flat = CentroidOf(Render(0, 0, 0), kArcColour);
    // Z by 90 degrees turns counter-clockwise: right of the centre goes up.
    const TCentroid turned = CentroidOf(Render(0, 0, 90), kArcColour);
    ASSERT_GT(turned.Count, 0);
    EXPECT_NEAR(turned.X, 400, 8);
    EXPECT_NEAR(300 - turned.Y, flat.X - 400, 8);
    // X by 60 degrees tilts the plan: height 300 mm moves the arc down by
    // 300 * sin 60 mm (about 69 pixels at this scale).
    const TCentroid tilted = CentroidOf(Render(60, 0, 0), kArcColour);
    ASSERT_GT(tilted.Count, 0);
    const double pxPerMm = 800.0 / 3006;
    EXPECT_NEAR(tilted.Y - 300, 300 * std::sin(M_PI / 3) * pxPerMm, 6);
    EXPECT_EQ(fErrors, "");
}

TEST_F(LayoutRender, CrossMarksTheCentreOfRotation) {
    const QImage img = Render(0, 0, 0, true);
    for (int x : {20, 400, 780}) EXPECT_TRUE(AnyNear(img, x, 300, 1, IsReddish)) << x;
    EXPECT_FALSE(AnyNear(img, 400, 100, 3, IsReddish));
    EXPECT_EQ(fErrors, "");
}

}  // namespace
}  // namespace tk3d::test
