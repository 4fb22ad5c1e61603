// Scenes of millions of vertices: their batches are cut into consecutive
// batches of the same state, drawn in the recorded order with no triangle
// or segment cut in two, and a recording streamed in parts flattens to the
// scene of the whole recording.
#include <gtest/gtest.h>

#include <algorithm>

#include "obj3d/CompiledScene.h"
#include "obj3d/GLTools.h"
#include "support/SameScene.h"

namespace tk3d {
namespace {

// Quads of a strip along X, n of them, culled or not.
void Strip(GL& gl, int quads, bool cull, double y) {
    if (cull) gl.Enable(GL::CULL_FACE);
    gl.Begin(GL::QUAD_STRIP);
    for (int i = 0; i <= quads; ++i) {
        gl.Vertex(i, y, 0);
        gl.Vertex(i, y + 1, 0);
    }
    gl.End();
    if (cull) gl.Disable(GL::CULL_FACE);
}

void Segments(GL& gl, int n, double y) {
    gl.Begin(GL::LINES);
    for (int i = 0; i < n; ++i) {
        gl.Vertex(i, y, 0);
        gl.Vertex(i + 1, y, 0);
    }
    gl.End();
}

// Culled strips of 50,000 quads (300,000 vertices), each followed by a
// small unculled one, and as many line vertices between them.
void Record(GL& gl) {
    for (int k = 0; k < 5; ++k) {
        Strip(gl, 50000, true, 10.0 * k);
        Strip(gl, 10, false, 10.0 * k + 5);
        Segments(gl, 150000, 10.0 * k + 2);
    }
}

TEST(LargeScene, BigBatchesContinueInBatchesOfTheSameStateRightAfterThem) {
    GL gl;
    Record(gl);
    const TCompiledScene s = CompileScene(gl.List());
    EXPECT_EQ(s.TriangleCount(), 5 * (100000 + 20));
    EXPECT_EQ(s.LineCount(), 5 * 150000);
    // Culled: 1.5 million vertices in two batches of whole strips (a batch
    // takes up to 2^20), then the unculled one.
    ASSERT_EQ(s.Triangles.size(), 3u);
    EXPECT_EQ(s.Triangles[0].Vertices.size(), 900000u);
    EXPECT_EQ(s.Triangles[1].Vertices.size(), 600000u);
    EXPECT_TRUE(s.Triangles[0].State == s.Triangles[1].State);
    EXPECT_FALSE(s.Triangles[2].State.CullEnabled);
    EXPECT_EQ(s.Triangles[2].Vertices.size(), 5u * 60);
    // Read in order, the culled vertices are the strips in recorded order.
    float lastY = -1;
    for (size_t i = 0; i < 2; ++i)
        for (const TTriangleVertex& v : s.Triangles[i].Vertices) {
            ASSERT_GE(v.Pos[1], lastY);
            lastY = std::max(lastY, v.Pos[1] - 1);
        }
    ASSERT_EQ(s.Lines.size(), 2u);
    EXPECT_EQ(s.Lines[0].Vertices.size(), 900000u);
    EXPECT_EQ(s.Lines[1].Vertices.size(), 600000u);
}

TEST(LargeScene, StreamedPartsFlattenToTheWholeRecording) {
    GL whole;
    Record(whole);
    const TCompiledScene expected = CompileScene(whole.List());

    TSceneCompiler compiler;
    GL streamed;
    int parts = 0;
    streamed.StreamTo(
        [&](TGLList& part) {
            ++parts;
            compiler.Add(part);
        },
        1000);
    Record(streamed);
    streamed.Flush();
    const TCompiledScene got = compiler.Finish();
    EXPECT_GT(parts, 1000);
    EXPECT_TRUE(streamed.List().Empty());

    EXPECT_TRUE(tk3dw::SameScene(got, expected));
}

}  // namespace
}  // namespace tk3d
