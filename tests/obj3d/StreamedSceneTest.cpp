// A recording handed over in parts, however it is cut, must compile to the
// scene of the whole recording: calls that refer to matrices, texts, images
// and lists travel with their part, and texture names bound in one part
// hold in the next. The same holds when the parts are compiled on a thread
// of their own while the recording goes on.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

#include "obj3d/BackgroundCompiler.h"
#include "obj3d/CompiledScene.h"
#include "obj3d/GLTools.h"
#include "support/SameScene.h"

namespace tk3d {
namespace {

void Quad(GL& gl, double x) {
    gl.Begin(GL::QUADS);
    gl.Vertex(x, 0, 0);
    gl.Vertex(x + 1, 0, 0);
    gl.Vertex(x + 1, 1, 0);
    gl.Vertex(x, 1, 0);
    gl.End();
}

// Every call that refers to an entry of its list, a texture bound early and
// drawn with much later, and enough quads to fill a few hundred parts.
void Record(GL& gl) {
    GL glyph;
    glyph.Begin(GL::LINES);
    glyph.Vertex(0, 0, 0);
    glyph.Vertex(0, 2, 0);
    glyph.End();
    const auto shared = std::make_shared<const TGLList>(glyph.TakeList());

    uint32_t texture = 0;
    BitmapToTexture(gl, TGLImage{2, 2, std::vector<uint8_t>(12, 90)}, texture);
    gl.TexParameteri(GL::TEXTURE_MIN_FILTER, GL::LINEAR);
    TLogFontW font;
    font.lfHeight = -10;
    for (int i = 0; i < 60; ++i) {
        gl.PushMatrix();
        gl.MultMatrix(TMatrix4::Translation(10.0 * i, 0, 0));
        gl.CallList(shared);
        gl.RasterText(MakeFPoint(0, 0, 1), font, "T" + std::to_string(i), 0.1);
        if (i % 7 == 0) gl.Enable(GL::TEXTURE_2D);
        Quad(gl, 0);
        if (i % 7 == 0) gl.Disable(GL::TEXTURE_2D);
        gl.PopMatrix();
    }
}

template <class TCompiler>
TCompiledScene CompileInParts(size_t chunk, size_t maxBytes = kMaxSceneBytes) {
    TCompiler compiler(maxBytes);
    GL gl;
    gl.StreamTo([&](TGLList& part) { compiler.Add(part); }, chunk);
    Record(gl);
    gl.Flush();
    return compiler.Finish();
}

TEST(StreamedScene, EveryCutOfTheRecordingCompilesToTheWholeScene) {
    GL whole;
    Record(whole);
    const TCompiledScene expected = CompileScene(whole.List());
    ASSERT_EQ(expected.TextCount(), 60);
    ASSERT_EQ(expected.Textures.size(), 1u);
    ASSERT_EQ(expected.Triangles.size(), 2u);  // plain and textured quads
    for (size_t chunk : {1, 2, 3, 5, 8, 64}) {
        EXPECT_TRUE(tk3dw::SameScene(CompileInParts<TSceneCompiler>(chunk), expected)) << "parts of " << chunk;
        EXPECT_TRUE(tk3dw::SameScene(CompileInParts<TBackgroundCompiler>(chunk), expected))
            << "background, parts of " << chunk;
    }
}

TEST(StreamedScene, BackgroundCompilationKeepsTheSizeLimit) {
    // Ten quads of 168 bytes and ten glyph segments of 32 bytes fill 2000.
    const TCompiledScene expected = CompileInParts<TSceneCompiler>(4, 2000);
    ASSERT_TRUE(expected.Truncated);
    EXPECT_TRUE(tk3dw::SameScene(CompileInParts<TBackgroundCompiler>(4, 2000), expected));

    // Past its limit it takes no more parts, and it may be dropped unfinished.
    TBackgroundCompiler compiler(1);
    for (int i = 0; i < 100 && !compiler.Full(); ++i) {
        GL part;
        Quad(part, i);
        TGLList list = part.TakeList();
        compiler.Add(list);
        if (i > 50) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_TRUE(compiler.Full());
}

}  // namespace
}  // namespace tk3d
