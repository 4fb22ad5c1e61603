// 3D drawing of the plain line segments: thin lines at the owner's height.
#include "obj3d/GL.h"
#include "obj3d/GLTools.h"
#include "objects/RailObject.h"
#include "tracks/Lines.h"

namespace tk3d {

namespace {

double OwnerHeight(const TRailObject* owner) { return owner ? owner->GetHeight() : 0.0; }

}  // namespace

void TGeradeLinie::PaintGL(GL& gl) const {
    const float z = float(OwnerHeight(fOwner));
    gl.Begin(GL::LINES);
    gl.Vertexf(float(fStart.X), float(fStart.Y), z);
    gl.Vertexf(float(fEnd.X), float(fEnd.Y), z);
    gl.End();
}

void TBogenLinie::PaintGL(GL& gl) const {
    DrawGLArc(gl, fStart, fRadius, fSweep, fStartAngle, OwnerHeight(fOwner));
}

void TKreisLinie::PaintGL(GL& gl) const {
    DrawGLArc(gl, {fStart.X, fStart.Y - fRadius}, fRadius, 2 * kPi, 0, OwnerHeight(fOwner));
}

}  // namespace tk3d
