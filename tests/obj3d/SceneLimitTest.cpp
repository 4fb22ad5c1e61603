// The size limit of a compiled scene: a small file can make its objects
// draw millions of primitives, so once the scene holds its limit the rest
// of the recording is left out, the scene says so, and the recorder that
// feeds it can stop taking calls.
#include <gtest/gtest.h>

#include <memory>

#include "obj3d/CompiledScene.h"

namespace tk3d {
namespace {

// Quads side by side along X (two triangles, 168 bytes a quad), a line under
// each, then one point far away.
void Record(GL& gl, int quads) {
    for (int i = 0; i < quads; ++i) {
        gl.Begin(GL::QUADS);
        gl.Vertex(i, 0, 0);
        gl.Vertex(i + 1, 0, 0);
        gl.Vertex(i + 1, 1, 0);
        gl.Vertex(i, 1, 0);
        gl.End();
        gl.Begin(GL::LINES);
        gl.Vertex(i, -1, 0);
        gl.Vertex(i + 1, -1, 0);
        gl.End();
    }
    gl.Begin(GL::POINTS);
    gl.Vertex(1e6, 0, 0);
    gl.End();
}

TCompiledScene Compile(int quads, size_t maxBytes) {
    TSceneCompiler compiler(maxBytes);
    GL gl;
    Record(gl, quads);
    compiler.Add(gl.List());
    return compiler.Finish();
}

TEST(SceneLimit, LaterPrimitivesAreLeftOutOnceTheLimitIsReached) {
    // A quad and its line take 168 + 32 bytes: ten pairs fill 2000 bytes.
    const TCompiledScene s = Compile(100, 2000);
    EXPECT_TRUE(s.Truncated);
    EXPECT_EQ(s.TriangleCount(), 20);
    EXPECT_EQ(s.LineCount(), 10);
    EXPECT_EQ(s.PointCount(), 0);
    // What is drawn is the beginning of the recording, bounded as drawn.
    EXPECT_EQ(s.Box.Min.X, 0);
    EXPECT_EQ(s.Box.Max.X, 10);
    EXPECT_EQ(s.Triangles[0].Vertices.back().Pos[0], 9);
}

TEST(SceneLimit, ScenesWithinTheLimitAreWhole) {
    for (size_t limit : {size_t(100 * 200 + 16 + 1), kMaxSceneBytes}) {
        const TCompiledScene s = Compile(100, limit);
        EXPECT_FALSE(s.Truncated) << limit;
        EXPECT_EQ(s.TriangleCount(), 200) << limit;
        EXPECT_EQ(s.LineCount(), 100) << limit;
        EXPECT_EQ(s.PointCount(), 1) << limit;
        EXPECT_EQ(s.Box.Max.X, 1e6) << limit;
    }
}

TEST(SceneLimit, AStoppedRecorderTakesNothingMore) {
    GL gl;
    Record(gl, 1);
    const size_t calls = gl.List().Calls().size();
    gl.StopRecording();
    Record(gl, 5);
    gl.RasterText({0, 0, 0}, TLogFontW{}, "x", 1);
    gl.MultMatrix(TMatrix4::Identity());
    gl.TexImage2D(TGLImage{1, 1, {0, 0, 0}});
    gl.CallList(std::make_shared<const TGLList>());
    EXPECT_EQ(gl.List().Calls().size(), calls);
    EXPECT_TRUE(gl.List().Texts().empty());
    EXPECT_TRUE(gl.List().Matrices().empty());
    EXPECT_TRUE(gl.List().Images().empty());
    EXPECT_TRUE(gl.List().Lists().empty());
}

}  // namespace
}  // namespace tk3d
