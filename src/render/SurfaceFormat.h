// The surface format of the window's 3D view: a compatibility-profile
// OpenGL context with 24-bit colour, double buffering and a 32-bit depth
// buffer (Qt falls back to the deepest the driver offers). Set it as the
// default format before the QApplication exists.
#pragma once
#include <QSurfaceFormat>

namespace tk3d {

QSurfaceFormat ViewSurfaceFormat();

}  // namespace tk3d
