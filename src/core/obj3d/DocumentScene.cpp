#include "obj3d/DocumentScene.h"

#include "layoutfile/RailList.h"
#include "obj3d/BackgroundCompiler.h"

namespace tk3d {

namespace {

void Record(GL& gl, TRailList& document, bool landscape, int32_t maxTextureSize) {
    // Glyphs and meshes must exist before drawing: they cannot be built
    // while the scene is being recorded.
    document.ForEachObject([](TBasicRailObject& obj) { obj.PrepareGL(); });
    gl.MaxTextureSize = maxTextureSize;
    document.PaintGL(gl, landscape ? 3 : 1);
}

}  // namespace

TGLList RecordDocument(TRailList& document, bool landscape, int32_t maxTextureSize) {
    GL gl;
    Record(gl, document, landscape, maxTextureSize);
    return gl.TakeList();
}

TCompiledScene CompileDocument(TRailList& document, bool landscape, int32_t maxTextureSize,
                               size_t maxSceneBytes) {
    // Flattened while it is recorded: a large layout's call list would
    // otherwise be written to memory in full and read back.
    TBackgroundCompiler compiler(maxSceneBytes);
    GL gl;
    gl.StreamTo([&](TGLList& part) {
        compiler.Add(part);
        // A full scene would leave the rest out: stop recording it.
        if (compiler.Full()) gl.StopRecording();
    });
    Record(gl, document, landscape, maxTextureSize);
    gl.Flush();
    return compiler.Finish();
}

TSceneExtent DocumentExtent(const TRailList& document) {
    TSceneExtent e;
    e.Exact = document.GetBounds(false);
    e.FromOrigin = document.GetBounds(true);
    int32_t top = 0, bottom = 0;
    document.GetHeightRange(top, bottom);
    e.Top = top;
    e.Bottom = bottom;
    return e;
}

}  // namespace tk3d
