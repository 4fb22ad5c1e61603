// The compiled scene must execute a recording as OpenGL would: primitives
// into triangles and segments, matrices and attributes, nested lists.
#include <gtest/gtest.h>

#include "obj3d/CompiledScene.h"
#include "obj3d/GLTools.h"

namespace tk3d {
namespace {

void Square(GL& gl, uint32_t mode, int n) {
    gl.Begin(mode);
    for (int i = 0; i < n; ++i) gl.Vertex(i, i % 2, 0);
    gl.End();
}

TEST(CompiledScene, EveryModeYieldsTheCountsGLDraws) {
    struct Case {
        uint32_t mode;
        int vertices;
        int64_t triangles, lines, points;
    };
    const Case cases[] = {
        {GL::POINTS, 3, 0, 0, 3},       {GL::LINES, 5, 0, 2, 0},          {GL::LINE_LOOP, 4, 0, 4, 0},
        {GL::LINE_LOOP, 1, 0, 0, 0},    {GL::LINE_STRIP, 4, 0, 3, 0},     {GL::LINE_STRIP, 1, 0, 0, 0},
        {GL::TRIANGLES, 7, 2, 0, 0},    {GL::TRIANGLE_STRIP, 6, 4, 0, 0}, {GL::TRIANGLE_STRIP, 2, 0, 0, 0},
        {GL::TRIANGLE_FAN, 5, 3, 0, 0}, {GL::QUADS, 9, 4, 0, 0},          {GL::QUAD_STRIP, 7, 4, 0, 0},
        {GL::QUAD_STRIP, 3, 0, 0, 0},   {GL::POLYGON, 6, 4, 0, 0},        {GL::POLYGON, 2, 0, 0, 0},
    };
    for (const Case& c : cases) {
        GL gl;
        Square(gl, c.mode, c.vertices);
        const TCompiledScene s = CompileScene(gl.List());
        EXPECT_EQ(s.TriangleCount(), c.triangles) << "mode " << c.mode << " n " << c.vertices;
        EXPECT_EQ(s.LineCount(), c.lines) << "mode " << c.mode << " n " << c.vertices;
        EXPECT_EQ(s.PointCount(), c.points) << "mode " << c.mode << " n " << c.vertices;
    }
}

std::vector<int> EdgeFlags(const TCompiledScene& s) {
    std::vector<int> flags;
    for (const auto& v : s.Triangles.at(0).Vertices) flags.push_back(v.Edge);
    return flags;
}

TEST(CompiledScene, SplitQuadsAndPolygonsHideTheirDiagonals) {
    GL gl;
    Square(gl, GL::QUADS, 4);
    EXPECT_EQ(EdgeFlags(CompileScene(gl.List())), (std::vector<int>{1, 1, 0, 0, 1, 1}));

    GL pentagon;
    Square(pentagon, GL::POLYGON, 5);
    EXPECT_EQ(EdgeFlags(CompileScene(pentagon.List())), (std::vector<int>{1, 1, 0, 0, 1, 0, 0, 1, 1}));

    GL strip;
    Square(strip, GL::TRIANGLE_STRIP, 4);
    EXPECT_EQ(EdgeFlags(CompileScene(strip.List())), std::vector<int>(6, 1));
}

TEST(CompiledScene, StripsKeepTheWindingOfTheirFirstTriangle) {
    GL gl;
    gl.Begin(GL::TRIANGLE_STRIP);
    gl.Vertex(0, 0, 0);
    gl.Vertex(1, 0, 0);
    gl.Vertex(0, 1, 0);
    gl.Vertex(1, 1, 0);
    gl.End();
    const TCompiledScene s = CompileScene(gl.List());
    const auto& v = s.Triangles.at(0).Vertices;
    ASSERT_EQ(v.size(), 6u);
    for (size_t t = 0; t < 2; ++t) {
        const float* a = v[t * 3].Pos;
        const float* b = v[t * 3 + 1].Pos;
        const float* c = v[t * 3 + 2].Pos;
        const float cross = (b[0] - a[0]) * (c[1] - a[1]) - (b[1] - a[1]) * (c[0] - a[0]);
        EXPECT_GT(cross, 0) << "triangle " << t;
    }
}

TEST(CompiledScene, MatricesPlaceVerticesInWorldSpace) {
    GL gl;
    gl.PushMatrix();
    gl.Translated(100, 200, 0);
    gl.Rotated(90, 0, 0, 1);
    gl.Begin(GL::TRIANGLES);
    gl.Vertex(10, 0, 5);
    gl.Vertex(10, 1, 5);
    gl.Vertex(11, 0, 5);
    gl.End();
    gl.PopMatrix();
    gl.Begin(GL::POINTS);
    gl.Vertex(1, 2, 3);
    gl.End();
    const TCompiledScene s = CompileScene(gl.List());
    const TTriangleVertex& v = s.Triangles.at(0).Vertices.at(0);
    EXPECT_NEAR(v.Pos[0], 100, 1e-4);
    EXPECT_NEAR(v.Pos[1], 210, 1e-4);
    EXPECT_NEAR(v.Pos[2], 5, 1e-4);
    const TLineVertex& p = s.Points.at(0).Vertices.at(0);
    EXPECT_EQ(p.Pos[0], 1);
    EXPECT_EQ(p.Pos[1], 2);
    EXPECT_EQ(s.Box.Min.X, 1);
    EXPECT_EQ(s.Box.Max.Y, 211);
    EXPECT_EQ(s.Box.Max.Z, 5);
}

TEST(CompiledScene, AttributesComeBackAfterPopAndColoursFollowVertices) {
    GL gl;
    SetGLColor(gl, 0x0000FF);
    gl.PushAttrib(GL::CURRENT_BIT | GL::POLYGON_BIT);
    SetGLColor(gl, 0x00FF00);
    gl.PolygonMode(GL::FRONT, GL::LINE);
    gl.Enable(GL::CULL_FACE);
    gl.Begin(GL::TRIANGLES);
    gl.Vertex(0, 0, 0);
    gl.Vertex(1, 0, 0);
    gl.Vertex(0, 1, 0);
    gl.End();
    gl.PopAttrib();
    gl.Begin(GL::TRIANGLES);
    gl.Vertex(0, 0, 0);
    gl.Vertex(1, 0, 0);
    gl.Vertex(0, 1, 0);
    gl.End();
    const TCompiledScene s = CompileScene(gl.List());
    ASSERT_EQ(s.Triangles.size(), 2u);
    EXPECT_TRUE(s.Triangles[0].State.CullEnabled);
    EXPECT_EQ(s.Triangles[0].State.FrontMode, GL::LINE);
    EXPECT_EQ(s.Triangles[0].State.LineWidth, 1.0f);
    EXPECT_EQ(s.Triangles[0].Vertices[0].Color[1], 255);
    EXPECT_FALSE(s.Triangles[1].State.CullEnabled);
    EXPECT_EQ(s.Triangles[1].State.FrontMode, GL::FILL);
    EXPECT_EQ(s.Triangles[1].Vertices[0].Color[0], 255);
    EXPECT_EQ(s.Triangles[1].Vertices[0].Color[1], 0);
}

TEST(CompiledScene, SameStateMergesIntoOneBatchPerLineWidth) {
    GL gl;
    for (double w : {1.0, 2.0, 1.0}) {
        gl.LineWidth(w);
        Square(gl, GL::LINES, 2);
    }
    const TCompiledScene s = CompileScene(gl.List());
    ASSERT_EQ(s.Lines.size(), 2u);
    EXPECT_EQ(s.Lines[0].Width, 1.0f);
    EXPECT_EQ(s.Lines[0].Vertices.size(), 4u);
    EXPECT_EQ(s.Lines[1].Width, 2.0f);
}

TEST(CompiledScene, CallsGLRejectsAreIgnored) {
    GL gl;
    gl.Begin(GL::LINES);
    gl.LineWidth(5);  // not allowed inside Begin/End
    gl.Translated(9, 9, 9);
    gl.Vertex(0, 0, 0);
    gl.Vertex(1, 0, 0);
    gl.End();
    gl.PopMatrix();  // underflow
    gl.PopAttrib();
    gl.Begin(42);  // no such mode
    gl.Vertex(7, 7, 7);
    gl.End();
    const TCompiledScene s = CompileScene(gl.List());
    ASSERT_EQ(s.Lines.size(), 1u);
    EXPECT_EQ(s.Lines[0].Width, 1.0f);
    EXPECT_EQ(s.Lines[0].Vertices[1].Pos[0], 1.0f);
    EXPECT_EQ(s.PointCount(), 0);
}

TEST(CompiledScene, DeepPushesStopAtTheStackLimit) {
    GL gl;
    for (int i = 0; i < 100; ++i) {
        gl.PushMatrix();
        gl.Translated(1, 0, 0);
    }
    for (int i = 0; i < 100; ++i) gl.PopMatrix();
    Square(gl, GL::POINTS, 1);
    // 31 pushes succeed; the pops then return to the identity.
    EXPECT_EQ(CompileScene(gl.List()).Points.at(0).Vertices.at(0).Pos[0], 0.0f);
}

TEST(CompiledScene, NestedListsRunWithTheCallersMatrixUpToTheNestingLimit) {
    GL glyph;
    Square(glyph, GL::LINES, 2);
    auto inner = std::make_shared<const TGLList>(glyph.TakeList());
    GL gl;
    gl.Translated(50, 0, 0);
    gl.CallList(inner);
    gl.CallList(inner);
    const TCompiledScene s = CompileScene(gl.List());
    EXPECT_EQ(s.LineCount(), 2);
    EXPECT_EQ(s.Lines[0].Vertices[0].Pos[0], 50.0f);

    // A chain deeper than GL's nesting limit draws only the first 64 levels.
    auto level = inner;
    for (int i = 0; i < 100; ++i) {
        GL wrap;
        wrap.CallList(level);
        Square(wrap, GL::POINTS, 1);
        level = std::make_shared<const TGLList>(wrap.TakeList());
    }
    const TCompiledScene deep = CompileScene(*level);
    EXPECT_EQ(deep.PointCount(), 65);
    EXPECT_EQ(deep.LineCount(), 0);
}

TEST(CompiledScene, TexturedQuadsUseTheBoundCompleteTexture) {
    TGLImage image{2, 2, std::vector<uint8_t>(12, 200)};
    GL gl;
    uint32_t name = 0;
    gl.Enable(GL::TEXTURE_2D);
    BitmapToTexture(gl, image, name);
    // The default minifying filter needs mipmaps: the texture is incomplete.
    Square(gl, GL::QUADS, 4);
    gl.TexParameteri(GL::TEXTURE_MIN_FILTER, GL::NEAREST);
    gl.TexCoord(0, 1);
    Square(gl, GL::QUADS, 4);
    gl.Disable(GL::TEXTURE_2D);
    gl.DeleteTexture(name);
    Square(gl, GL::QUADS, 4);
    const TCompiledScene s = CompileScene(gl.List());
    ASSERT_EQ(s.Textures.size(), 1u);
    EXPECT_EQ(s.Textures[0].Image->Width, 2);
    ASSERT_EQ(s.Triangles.size(), 2u);
    EXPECT_EQ(s.Triangles[0].State.Texture, -1);
    EXPECT_EQ(s.Triangles[0].Vertices.size(), 12u);  // first and last quad
    EXPECT_EQ(s.Triangles[1].State.Texture, 0);
    EXPECT_EQ(s.Triangles[1].Vertices[0].Tex[1], 1.0f);
}

TEST(CompiledScene, TextsTakeWorldAnchorColourAndRaiseDirection) {
    GL gl;
    gl.Translated(10, 0, 0);
    gl.Rotated(90, 1, 0, 0);  // Z turns into -Y
    SetGLColor(gl, 0x0000FF);
    TLogFontW font;
    font.lfHeight = -12;
    gl.RasterText(MakeFPoint(1, 2, 3), font, "A", 0.5);
    const TCompiledScene s = CompileScene(gl.List());
    ASSERT_EQ(s.TextCount(), 1);
    const TSceneText& t = s.Texts[0];
    EXPECT_NEAR(t.Anchor.X, 11, 1e-9);
    EXPECT_NEAR(t.Anchor.Y, -3, 1e-9);
    EXPECT_NEAR(t.Anchor.Z, 2, 1e-9);
    EXPECT_NEAR(t.Up.Y, -0.5, 1e-9);
    EXPECT_EQ(t.Color[0], 255);
    EXPECT_EQ(t.Font.lfHeight, -12);
    EXPECT_FALSE(s.Box.IsEmpty());
}

}  // namespace
}  // namespace tk3d
