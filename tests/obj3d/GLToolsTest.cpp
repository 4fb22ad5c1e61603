// The GL toolbox as the drawing rules use it: arcs, normals, colours, text,
// textures, projection and the error check.
#include <gtest/gtest.h>

#include <cmath>

#include "layoutfile/Errors.h"
#include "layoutfile/GlobalState.h"
#include "obj3d/GLTools.h"

namespace tk3d {
namespace {

std::vector<TGLCall> Calls(const GL& gl, TGLOp op) {
    std::vector<TGLCall> out;
    for (const TGLCall& c : gl.List().Calls())
        if (c.Op == op) out.push_back(c);
    return out;
}

TEST(DrawGLArc, StepCountsAndBounds) {
    struct Case {
        double sweep;
        size_t vertices;
    };
    const Case cases[] = {
        {0, 1},           {M_PI / 2, 1572},
        {2 * M_PI, 6284}, {-0.0004, 1},  // rounds to 0 steps: the start point alone
        {-0.01, 0},                      // negative: an empty Begin/End pair
        {-1e157, 0},                     // however far negative
        {1e12, 6284},                    // cut to one turn
        {NAN, 0},         {INFINITY, 0},
    };
    for (const Case& c : cases) {
        GL gl;
        DrawGLArc(gl, {0, -100}, 100, c.sweep, 0, 5);
        EXPECT_EQ(Calls(gl, TGLOp::Vertex).size(), c.vertices) << c.sweep;
        ASSERT_EQ(Calls(gl, TGLOp::Begin).size(), 1u);
        EXPECT_EQ(Calls(gl, TGLOp::Begin)[0].A, GL::LINE_STRIP);
        EXPECT_EQ(Calls(gl, TGLOp::End).size(), 1u);
    }
}

TEST(DrawGLArc, TurnsLeftFromTheStartPoint) {
    GL gl;
    DrawGLArc(gl, {0, 0}, 100, M_PI / 2, 0, 7);  // heading east, centre (0, 100)
    const auto v = Calls(gl, TGLOp::Vertex);
    EXPECT_NEAR(v.front().V[0], 0, 1e-9);
    EXPECT_NEAR(v.front().V[1], 0, 1e-9);
    EXPECT_EQ(v.front().V[2], 7);
    EXPECT_NEAR(v[1].V[0], 100 * std::sin(0.001), 1e-9);
    // 1571 steps of 0.001 end 0.0002 rad short of a quarter turn.
    EXPECT_NEAR(v.back().V[0], 100 * std::sin(1.571), 1e-9);
    EXPECT_NEAR(v.back().V[1], 100 - 100 * std::cos(1.571), 1e-9);
}

TEST(GLTools, FaceNormalsFollowTheWinding) {
    GL gl;
    NormalFromVertices(gl, MakeDPoint(0, 0, 0), MakeDPoint(1, 0, 0), MakeDPoint(0, 1, 0), false);
    NormalFromVertices(gl, MakeDPoint(0, 0, 0), MakeDPoint(1, 0, 0), MakeDPoint(0, 1, 0), true);
    T3DVertex p{}, q{}, r{};
    q.X = 2;
    r.Z = 3;
    NormalFromVertices(gl, p, q, r, false);
    const auto n = Calls(gl, TGLOp::Normal);
    ASSERT_EQ(n.size(), 3u);
    EXPECT_EQ(n[0].V[0], 0);
    EXPECT_EQ(n[0].V[1], 0);
    EXPECT_EQ(n[0].V[2], 1);
    EXPECT_EQ(n[1].V[2], -1);
    // Not normalised: P-Q = (-2,0,0), R-Q = (-2,0,3): n = (0, -6, 0).
    EXPECT_EQ(n[2].V[1], -6);
}

TEST(GLTools, SetGLColorSplitsRedGreenBlueAndSetsTheMaterial) {
    GL gl;
    SetGLColor(gl, 0x00336699);
    const auto c = Calls(gl, TGLOp::Color);
    ASSERT_EQ(c.size(), 1u);
    EXPECT_FLOAT_EQ(float(c[0].V[0]), 0x99 / 255.0f);
    EXPECT_FLOAT_EQ(float(c[0].V[1]), 0x66 / 255.0f);
    EXPECT_FLOAT_EQ(float(c[0].V[2]), 0x33 / 255.0f);
    const auto m = Calls(gl, TGLOp::Material);
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].A, GL::FRONT_AND_BACK);
    EXPECT_EQ(m[0].B, GL::AMBIENT_AND_DIFFUSE);
    EXPECT_EQ(m[0].V[3], 1);
}

TEST(GLTools, TextHeightBecomesPixelsAndTheColourIsRestored) {
    ResetGlobalState();
    ViewScale = 2.5;
    TLogFontW font;
    font.lfHeight = -5;
    GL gl;
    GLTextOut(gl, MakeFPoint(1, 2, 3), 0x0000FF, font, "");
    EXPECT_TRUE(gl.List().Empty());
    GLTextOut(gl, MakeFPoint(1, 2, 3), 0x0000FF, font, "Gleis 1");
    const auto& calls = gl.List().Calls();
    ASSERT_EQ(calls.size(), 5u);
    EXPECT_EQ(calls.front().Op, TGLOp::PushAttrib);
    EXPECT_EQ(calls.front().A, GL::CURRENT_BIT);
    EXPECT_EQ(calls.back().Op, TGLOp::PopAttrib);
    const TGLText& t = gl.List().Texts().at(0);
    EXPECT_EQ(t.Font.lfHeight, -12);  // -12.5 rounds to even
    EXPECT_EQ(t.Text, "Gleis 1");
    EXPECT_DOUBLE_EQ(t.ZPerPixel, 0.4);
    ResetGlobalState();
}

TEST(GLTools, AlignBMP) {
    EXPECT_EQ(AlignBMP(300, 1024), 256);
    EXPECT_EQ(AlignBMP(5000, 2048), 2048);
    EXPECT_EQ(AlignBMP(1, 1024), 1);
    try {
        AlignBMP(10, 0);
        FAIL();
    } catch (const ETk3dError& e) {
        EXPECT_STREQ(e.what(), "AlignBMP mit 0 aufgerufen!");
    }
}

TEST(GLTools, BitmapToTextureStretchesToPowersOfTwo) {
    TGLImage image{300, 200, std::vector<uint8_t>(300 * 200 * 3)};
    image.Rgb[(199 * 300 + 299) * 3] = 77;  // top-right pixel
    GL gl;
    uint32_t name = 99;
    BitmapToTexture(gl, TGLImage{0, 5, {}}, name);
    EXPECT_EQ(name, 99u);
    EXPECT_TRUE(gl.List().Empty());
    BitmapToTexture(gl, image, name);
    EXPECT_NE(name, 99u);
    ASSERT_EQ(gl.List().Images().size(), 1u);
    const TGLImage& tex = *gl.List().Images()[0];
    EXPECT_EQ(tex.Width, 256);
    EXPECT_EQ(tex.Height, 128);
    EXPECT_EQ(tex.Rgb[(127 * 256 + 255) * 3], 77);
    EXPECT_EQ(Calls(gl, TGLOp::BindTexture).at(0).A, name);
}

TEST(GLTools, ProjectBoxToWindowTurnsYTopDown) {
    // Window 200 x 100 showing X -100..100 and Y -50..50.
    const TMatrix4 projection = TMatrix4::Ortho(-100, 100, -50, 50, -1000, 1000);
    const TRect r =
        ProjectBoxToWindow({-50, 25, 50, -25}, 0, 10, TMatrix4::Identity(), projection, {0, 0, 200, 100});
    EXPECT_EQ(r, (TRect{50, 25, 150, 75}));
    // A projection that maps every corner to w = 0 leaves the start values.
    TMatrix4 flat = TMatrix4::Identity();
    flat(3, 3) = 0;
    const TRect none = ProjectBoxToWindow({0, 0, 1, 1}, 0, 0, TMatrix4::Identity(), flat, {0, 0, 10, 10});
    EXPECT_EQ(none, (TRect{INT32_MAX, INT32_MAX, -2147483646, -2147483646}));
}

TEST(GLTools, CheckGLErrorReportsAllButInvalidOperationAndDrains) {
    struct Case {
        std::vector<uint32_t> queue;
        bool result;
        std::string message;
    };
    const Case cases[] = {
        {{}, true, ""},
        {{0x0501, 0x0505}, false, "OpenGL-Fehler! [$0501]"},
        {{0x0502}, false, ""},
        {{0x0502, 0x0501}, false, ""},
    };
    for (const Case& c : cases) {
        auto queue = c.queue;
        size_t next = 0;
        std::string shown;
        const bool ok = CheckGLError([&] { return next < queue.size() ? queue[next++] : 0u; },
                                     [&](const std::string& m) { shown += m; });
        EXPECT_EQ(ok, c.result);
        EXPECT_EQ(shown, c.message);
        EXPECT_EQ(next, queue.size());
    }
    // A context that never stops reporting does not hang the check.
    EXPECT_FALSE(CheckGLError([] { return 0x0505u; }, nullptr));
}

}  // namespace
}  // namespace tk3d
