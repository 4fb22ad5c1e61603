#include "SceneRenderer.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdio>

#include "layoutfile/Errors.h"
#include "layoutfile/GlobalState.h"
#include "obj3d/CoordinateCross.h"
#include "obj3d/GLTools.h"

namespace tk3d {

namespace {

void LoadMatrix(GLenum mode, const TMatrix4& m) {
    glMatrixMode(mode);
    glLoadMatrixd(m.m.data());
}

}  // namespace

TSceneRenderer::TSceneRenderer() {
    const GLubyte* version = glGetString(GL_VERSION);
    if (!version) throw ETk3dError("OpenGL: kein aktueller Kontext");
    fVersion = reinterpret_cast<const char*>(version);
    int major = 0, minor = 0;
    // Compatibility contexts may report "4.5 (Compatibility Profile) Mesa ...".
    if (std::sscanf(fVersion.c_str(), "%d.%d", &major, &minor) != 2 || major * 10 + minor < 21)
        throw ETk3dError("OpenGL 2.1 wird benötigt, vorhanden: " + fVersion);
}

TSceneRenderer::~TSceneRenderer() = default;

void TSceneRenderer::SetScene(const TCompiledScene& scene) {
    fScene.reset();
    fScene = std::make_unique<TGpuScene>(scene, fRasterizer);
}

void TSceneRenderer::ClearScene() { fScene.reset(); }

void TSceneRenderer::UpdateCross(double viewScale, bool showZ) {
    if (fCross && fCrossScale == viewScale && fCrossZ == showZ) return;
    // The labels keep a fixed pixel distance: they are recorded for the
    // scale of the view that draws them.
    const double saved = ViewScale;
    ViewScale = viewScale;
    GL gl;
    RecordCrossAxes(gl);
    RecordCrossLabels(gl, showZ);
    ViewScale = saved;
    fCross = std::make_unique<TGpuScene>(CompileScene(gl.List()), fRasterizer);
    fCrossScale = viewScale;
    fCrossZ = showZ;
}

bool TSceneRenderer::DrawFrame(const TFrameSetup& frame) {
    return DrawTile(frame, frame.View.Projection.Matrix(), frame.Width, frame.Height);
}

bool TSceneRenderer::DrawTile(const TFrameSetup& frame, const TMatrix4& tileProjection, int32_t tileWidth,
                              int32_t tileHeight) {
    tileWidth = ClampViewSize(tileWidth);
    tileHeight = ClampViewSize(tileHeight);
    glViewport(0, 0, tileWidth, tileHeight);
    glClearColor(1, 1, 1, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(1, 1);
    glDisable(GL_LIGHTING);

    const TMatrix4 image = frame.View.Projection.Matrix();
    LoadMatrix(GL_PROJECTION, tileProjection);
    auto draw = [&](const TGpuScene& scene, const TMatrix4& modelView) {
        LoadMatrix(GL_MODELVIEW, modelView);
        scene.Draw({tileProjection * modelView, image * modelView, tileWidth, tileHeight});
    };
    if (frame.Cross) {
        UpdateCross(frame.View.ViewScale, frame.ShowZLabels);
        draw(*fCross, frame.View.View);
    }
    if (fScene) draw(*fScene, frame.View.Scene);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    return CheckGLError([] { return uint32_t(glGetError()); }, OnGLError);
}

}  // namespace tk3d
