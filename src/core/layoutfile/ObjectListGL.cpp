// 3D drawing of the whole layout into one recording.
#include "layoutfile/GlobalState.h"
#include "layoutfile/TKObjectList.h"
#include "obj3d/GL.h"

namespace tk3d {

void TTKObjectList::PaintGL(GL& gl, int mode) const {
    if ((mode & 1) == 0) return;
    const TLayerSet visible = GlobalSettings.VisibleLayers();
    ForEach([&](TBasicRailObject& obj) {
        if (visible.Contains(obj.Layer)) obj.PaintGL(gl);
    });
    if (GlobalSettings.ShowCatenary()) ForEachCatenary([&](TBasicRailObject& obj) { obj.PaintGL(gl); });
    if ((mode & 2) == 0) return;
    ForEach([&](TBasicRailObject& obj) {
        if (obj.ObjectKind() != okModule) return;
        const float x = float(obj.Position.X), y = float(obj.Position.Y);
        gl.Translatef(x, y, 0);
        obj.PaintTerrainGL(gl);
        gl.Translatef(-x, -y, 0);
    });
}

}  // namespace tk3d
