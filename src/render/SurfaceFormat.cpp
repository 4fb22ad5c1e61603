#include "SurfaceFormat.h"

namespace tk3d {

QSurfaceFormat ViewSurfaceFormat() {
    QSurfaceFormat f;
    f.setRenderableType(QSurfaceFormat::OpenGL);
    f.setProfile(QSurfaceFormat::CompatibilityProfile);
    f.setRedBufferSize(8);
    f.setGreenBufferSize(8);
    f.setBlueBufferSize(8);
    f.setDepthBufferSize(32);
    f.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    return f;
}

}  // namespace tk3d
