#include "obj3d/CoordinateCross.h"

#include "layoutfile/GlobalState.h"
#include "obj3d/GLTools.h"

namespace tk3d {

void RecordCrossAxes(GL& gl) {
    gl.LineWidth(1);
    gl.Begin(GL::LINES);
    SetGLColor(gl, 0x0000FF);
    gl.Vertex(30000, 0, 0);
    gl.Vertex(-30000, 0, 0);
    SetGLColor(gl, 0xFF0000);
    gl.Vertex(0, 30000, 0);
    gl.Vertex(0, -30000, 0);
    SetGLColor(gl, 0x00FF00);
    gl.Vertex(0, 0, 30000);
    gl.Vertex(0, 0, -30000);
    gl.End();
}

void RecordCrossLabels(GL& gl, bool showZ) {
    TLogFontW font;
    SetFaceName(font, "Arial");
    const double s = ViewScale > 0 ? ViewScale : 1;
    GLTextOut(gl, MakeFPoint(-70 / s, 0, 0), 0, font, "-X");
    GLTextOut(gl, MakeFPoint(50 / s, 0, 0), 0, font, "+X");
    GLTextOut(gl, MakeFPoint(0, -50 / s, 0), 0, font, "-Y");
    GLTextOut(gl, MakeFPoint(0, 70 / s, 0), 0, font, "+Y");
    if (showZ) {
        GLTextOut(gl, MakeFPoint(0, 0, 50 / s), 0, font, "+Z");
        GLTextOut(gl, MakeFPoint(0, 0, -70 / s), 0, font, "-Z");
    }
}

}  // namespace tk3d
