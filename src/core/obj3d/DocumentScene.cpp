#include "obj3d/DocumentScene.h"

#include "layoutfile/RailList.h"

namespace tk3d {

TGLList RecordDocument(TRailList& document, bool landscape, int32_t maxTextureSize) {
    // Glyphs and meshes must exist before drawing: they cannot be built
    // while the scene is being recorded.
    document.ForEachObject([](TBasicRailObject& obj) { obj.PrepareGL(); });
    GL gl;
    gl.MaxTextureSize = maxTextureSize;
    document.PaintGL(gl, landscape ? 3 : 1);
    return gl.TakeList();
}

TCompiledScene CompileDocument(TRailList& document, bool landscape, int32_t maxTextureSize) {
    return CompileScene(RecordDocument(document, landscape, maxTextureSize));
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
