// The scene of a document as the 3D view compiles it: every object of both
// lists prepares its GL caches (3D text, meshes), then the document draws
// itself into one recording, which is flattened for the renderer.
#pragma once
#include "obj3d/CompiledScene.h"
#include "obj3d/ViewSetup.h"

namespace tk3d {

class TRailList;

// Draws with landscape (module terrain) or without; the current ViewScale
// and settings are baked into the recording. The scene takes at most
// maxSceneBytes of vertex memory (hosts with less memory pass less).
TGLList RecordDocument(TRailList& document, bool landscape, int32_t maxTextureSize = 2048);
TCompiledScene CompileDocument(TRailList& document, bool landscape, int32_t maxTextureSize = 2048,
                               size_t maxSceneBytes = kMaxSceneBytes);

// Bounds and height range the frames of this document need.
TSceneExtent DocumentExtent(const TRailList& document);

}  // namespace tk3d
