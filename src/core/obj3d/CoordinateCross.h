// The coordinate cross of the 3D view: three coloured axes through the
// centre of rotation and their labels at a fixed pixel distance.
#pragma once
#include "obj3d/GL.h"

namespace tk3d {

// The three axis lines (X red, Y blue, Z green, 30 m each way).
void RecordCrossAxes(GL& gl);
// The labels at the current ViewScale; the Z labels only with showZ.
void RecordCrossLabels(GL& gl, bool showZ);

}  // namespace tk3d
