// The sectional-track fixture layout drawn as the 3D view draws it: ties
// and ballast beds appear with their switches, and the solid parts face the
// viewer from above and from below.
#include <QImage>
#include <cstdlib>

#include "RenderFixture.h"
#include "TrackLayout.h"
#include "layoutfile/GlobalState.h"
#include "layoutfile/LoadLayout.h"
#include "layoutfile/RailList.h"
#include "obj3d/DocumentScene.h"

namespace tk3d::test {
namespace {

bool Near(QRgb c, int r, int g, int b) {
    return std::abs(qRed(c) - r) < 24 && std::abs(qGreen(c) - g) < 24 && std::abs(qBlue(c) - b) < 24;
}

class TrackRender : public RenderTest {
protected:
    QImage Render(bool ties, bool ballast, double rotX = 0) {
        auto doc = LoadLayoutFromMemory(tk3dw::TrackLayoutFile(ties, ballast), "tracks.tkl");
        TViewParams v;
        v.ViewWidth = 800;
        v.ViewHeight = 600;
        v.RotX = rotX;
        TFrameSetup f;
        f.View = SetupView(v, DocumentExtent(*doc));
        f.Width = 800;
        f.Height = 600;
        ViewScale = f.View.ViewScale;
        fRenderer->SetScene(CompileDocument(*doc, true));
        return RenderToImage(*fRenderer, f);
    }
    // Pixels of the tie colour (0x004080) and of the band and bed (0xC0C0C0).
    static int Count(const QImage& img, int r, int g, int b) {
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) n += Near(img.pixel(x, y), r, g, b);
        return n;
    }
    static int Ties(const QImage& img) { return Count(img, 0x80, 0x40, 0x00); }
    static int Grey(const QImage& img) { return Count(img, 0xC0, 0xC0, 0xC0); }
};

TEST_F(TrackRender, TiesAppearWithTheirSwitch) {
    const QImage plain = Render(false, false);
    const QImage tied = Render(true, false);
    EXPECT_EQ(Ties(plain), 0);
    EXPECT_GT(Ties(tied), 2000);
    // The ties cover part of the band.
    EXPECT_LT(Grey(tied), Grey(plain));
    EXPECT_EQ(fErrors, "");
}

TEST_F(TrackRender, BallastBedsWidenTheTrackAndFaceTheViewer) {
    const int band = Grey(Render(false, false));
    const int bed = Grey(Render(false, true));
    // 5 mm of bed beside a 30 mm band on both sides, less the bed's edge lines.
    EXPECT_GT(bed, band * 11 / 10);
    // Seen from below, the culled band leaves the bed's bottom in view.
    EXPECT_GT(Grey(Render(false, true, 180)), band);
    EXPECT_EQ(fErrors, "");
}

}  // namespace
}  // namespace tk3d::test
