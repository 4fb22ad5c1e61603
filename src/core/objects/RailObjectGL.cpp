// The common 3D drawing frame of placeable objects.
#include "layoutfile/GlobalState.h"
#include "obj3d/GL.h"
#include "obj3d/GLTools.h"
#include "objects/RailObject.h"

namespace tk3d {

namespace {

// Pops the matrix also when drawing fails half-way.
class TMatrixGuard {
public:
    explicit TMatrixGuard(GL& gl) : fGL(gl) { fGL.PushMatrix(); }
    ~TMatrixGuard() { fGL.PopMatrix(); }
    TMatrixGuard(const TMatrixGuard&) = delete;
    TMatrixGuard& operator=(const TMatrixGuard&) = delete;

private:
    GL& fGL;
};

}  // namespace

void TRailObject::PaintGL(GL& gl) {
    SetGLColor(gl, Color);
    gl.LineWidth(LineWidth < 1 ? 1.0 : LineWidth * ViewScale);
    if (Lines.Count() == 0 && Shapes.Empty()) return;
    TMatrixGuard matrix(gl);
    gl.Translated(Position.X, Position.Y, 0);
    if (IsTrack() || Shapes.Empty()) Lines.ForEach([&](const TGeradeLinie& line) { line.PaintGL(gl); });
    gl.Translated(0, 0, ShapeHeight());
    Shapes.DrawAll(gl);
}

}  // namespace tk3d
