// The renderer draws compiled scenes off-screen as GL would draw the
// recording: fills, outlines without split diagonals, culling, textures,
// bitmap texts, the coordinate cross, and tiles that add up to the image.
#include <GL/gl.h>

#include <QImage>

#include "RenderFixture.h"
#include "layoutfile/GlobalState.h"
#include "obj3d/GLTools.h"

namespace tk3d::test {
namespace {

// A view of w x h pixels on the layout rectangle (0, 0)..(right, bottom).
TFrameSetup Frame(int w, int h, int right, int bottom, double rotX = 0, double rotY = 0, double rotZ = 0) {
    TViewParams v;
    v.ViewWidth = w;
    v.ViewHeight = h;
    v.RotX = rotX;
    v.RotY = rotY;
    v.RotZ = rotZ;
    TSceneExtent e;
    e.Exact = {0, 0, right, bottom};
    e.FromOrigin = e.Exact;
    TFrameSetup f;
    f.View = SetupView(v, e);
    f.Width = w;
    f.Height = h;
    return f;
}

void Quad(GL& gl, double l, double t, double r, double b, double z = 0) {
    gl.Begin(GL::QUADS);
    gl.Vertex(l, b, z);
    gl.Vertex(r, b, z);
    gl.Vertex(r, t, z);
    gl.Vertex(l, t, z);
    gl.End();
}

bool IsGreenish(QRgb c) { return qGreen(c) > 200 && qRed(c) < 80 && qBlue(c) < 80; }

TEST_F(RenderTest, FilledQuadFillsTheOverview) {
    GL gl;
    SetGLColor(gl, 0x0000FF);
    Quad(gl, 0, 0, 1000, -500);
    fRenderer->SetScene(CompileScene(gl.List()));
    const QImage img = RenderToImage(*fRenderer, Frame(200, 100, 1000, -500));
    ASSERT_EQ(img.width(), 200);
    for (QPoint p : {QPoint(100, 50), QPoint(1, 1), QPoint(198, 98)})
        EXPECT_TRUE(IsReddish(img.pixel(p))) << p.x();
    EXPECT_EQ(fErrors, "");
}

TEST_F(RenderTest, OutlinesHideSplitDiagonalsAndCullingDropsBackFaces) {
    GL gl;
    gl.PolygonMode(GL::FRONT_AND_BACK, GL::LINE);
    SetGLColor(gl, 0);
    Quad(gl, 100, -100, 900, -400);
    gl.PolygonMode(GL::FRONT_AND_BACK, GL::FILL);
    gl.Enable(GL::CULL_FACE);
    SetGLColor(gl, 0x00FF00);
    // Clockwise seen from above: a back face, culled.
    gl.Begin(GL::TRIANGLES);
    gl.Vertex(0, 0, 0);
    gl.Vertex(50, -50, 0);
    gl.Vertex(0, -50, 0);
    gl.End();
    fRenderer->SetScene(CompileScene(gl.List()));
    const QImage img = RenderToImage(*fRenderer, Frame(200, 100, 1000, -500));
    EXPECT_TRUE(AnyNear(img, 20, 50, 1, IsBlackish));  // left edge of the outline
    EXPECT_TRUE(IsWhite(img.pixel(100, 50)));          // no diagonal through the middle
    EXPECT_FALSE(AnyNear(img, 4, 6, 3, IsGreenish));
    EXPECT_EQ(fErrors, "");
}

TEST_F(RenderTest, TexturesAreModulatedByTheCurrentColour) {
    TGLImage image{2, 2, {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 255}};
    GL gl;
    gl.Enable(GL::TEXTURE_2D);
    uint32_t name = 0;
    BitmapToTexture(gl, image, name);
    gl.TexParameteri(GL::TEXTURE_MIN_FILTER, GL::NEAREST);
    gl.TexParameteri(GL::TEXTURE_MAG_FILTER, GL::NEAREST);
    gl.TexEnvMode(GL::MODULATE);
    SetGLColor(gl, 0xFFFF00);  // cyan times blue stays blue
    Quad(gl, 0, 0, 1000, -500);
    fRenderer->SetScene(CompileScene(gl.List()));
    const QRgb c = RenderToImage(*fRenderer, Frame(40, 20, 1000, -500)).pixel(20, 10);
    EXPECT_EQ(qRed(c), 0);
    EXPECT_EQ(qGreen(c), 0);
    EXPECT_EQ(qBlue(c), 255);
    EXPECT_EQ(fErrors, "");
}

TEST_F(RenderTest, CrossLiesOnTheCentreOfRotationWithItsLabels) {
    // At 1:N the view scale is the true pixels per millimetre, so the
    // labels sit at their fixed pixel distances from the centre.
    TViewParams v;
    v.ViewWidth = 300;
    v.ViewHeight = 200;
    v.Overview = false;
    v.Zoom = 10;
    TSceneExtent e;
    e.Exact = e.FromOrigin = {0, 0, 1000, -500};
    TFrameSetup f;
    f.View = SetupView(v, e);
    f.Width = 300;
    f.Height = 200;
    f.Cross = true;
    const QImage img = RenderToImage(*fRenderer, f);
    // The X axis runs through the window's middle row, red.
    for (int x : {5, 150, 295}) EXPECT_TRUE(AnyNear(img, x, 100, 1, IsReddish)) << x;
    // "+X" hangs from 50 pixels right of the centre, "+Y" from 70 above it.
    EXPECT_TRUE(AnyNear(img, 150 + 50 + 5, 100 + 8, 5, IsBlackish));
    EXPECT_TRUE(AnyNear(img, 150 + 5, 100 - 70 + 8, 5, IsBlackish));
    EXPECT_FALSE(AnyNear(img, 150 + 100, 100 - 100, 30, IsBlackish));
    EXPECT_EQ(fErrors, "");
}

TEST_F(RenderTest, TilesAddUpToTheWholeImage) {
    ViewScale = 0.3;
    GL gl;
    SetGLColor(gl, 0x0000FF);
    Quad(gl, 100, -50, 600, -300, 20);
    SetGLColor(gl, 0x00AA00);
    gl.LineWidth(3);
    DrawGLArc(gl, {500, -250}, 200, 3, 0, 40);
    TLogFontW font;
    font.lfHeight = -40;  // 12 pixels at this scale
    SetFaceName(font, "Arial");
    GLTextOut(gl, MakeFPoint(480, -260, 50), 0x000000, font, "Bahnhof");
    fRenderer->SetScene(CompileScene(gl.List()));
    const TFrameSetup f = Frame(301, 157, 1000, -500, 30, 0, 20);
    const QImage whole = RenderToImage(*fRenderer, f);
    const QImage tiled = RenderToImage(*fRenderer, f, 64);
    EXPECT_FALSE(NonWhiteBox(whole).Empty());
    int differing = 0;
    for (int y = 0; y < whole.height(); ++y)
        for (int x = 0; x < whole.width(); ++x) differing += whole.pixel(x, y) != tiled.pixel(x, y);
    // Rasterisation along tile seams may differ in single edge pixels.
    EXPECT_LT(differing, 20);
    EXPECT_EQ(fErrors, "");
}

TEST_F(RenderTest, ErrorsOfAFrameAreReported) {
    fRenderer->SetScene(CompileScene(GL().List()));
    glGetError();
    glEnable(0xFFFF);  // GL_INVALID_ENUM, pending when the frame ends
    EXPECT_FALSE(fRenderer->DrawFrame(Frame(10, 10, 10, -10)));
    EXPECT_EQ(fErrors, "OpenGL-Fehler! [$0500]");
}

}  // namespace
}  // namespace tk3d::test
