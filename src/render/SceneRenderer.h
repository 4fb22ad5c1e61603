// Draws frames of an uploaded scene and the coordinate cross with OpenGL
// into the framebuffer that is bound (a window's, or an off-screen one). A
// frame sets the projection and model-view matrices and draws the batches.
#pragma once
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "GpuScene.h"
#include "obj3d/CompiledScene.h"
#include "obj3d/TextBitmap.h"
#include "obj3d/ViewSetup.h"

namespace tk3d {

struct TFrameSetup {
    TViewMatrices View;
    bool Cross = false;
    bool ShowZLabels = false;
    int32_t Width = 1;  // pixels of the drawing area
    int32_t Height = 1;
};

class TSceneRenderer {
public:
    // Needs a current GL context of version 2.1 or later (raises
    // ETk3dError otherwise); every call needs the same context current.
    TSceneRenderer();
    ~TSceneRenderer();
    TSceneRenderer(const TSceneRenderer&) = delete;
    TSceneRenderer& operator=(const TSceneRenderer&) = delete;

    // Replaces the scene (nothing is drawn but the cross without one).
    void SetScene(const TCompiledScene& scene);
    void ClearScene();
    bool HasScene() const { return fScene != nullptr; }

    // GL errors of a frame other than invalid operations are reported here
    // ("OpenGL-Fehler! [$0501]"); the shell shows its box.
    std::function<void(const std::string&)> OnGLError;

    // Clears white and draws one frame into the viewport (0, 0, w, h).
    // Returns false when GL reported an error.
    bool DrawFrame(const TFrameSetup& frame);
    // The same for one tile of a larger image: projection already narrowed
    // to the tile, raster positions judged against the whole image.
    bool DrawTile(const TFrameSetup& frame, const TMatrix4& tileProjection, int32_t tileWidth,
                  int32_t tileHeight);

    // GL_VERSION, read from the context.
    const std::string& GLVersion() const { return fVersion; }

private:
    void UpdateCross(double viewScale, bool showZ);

    std::string fVersion;
    TTextRasterizer fRasterizer;
    std::unique_ptr<TGpuScene> fScene;
    std::unique_ptr<TGpuScene> fCross;
    double fCrossScale = 0;
    bool fCrossZ = false;
};

}  // namespace tk3d
