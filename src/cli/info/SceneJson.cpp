// "scene": what the 3D view would draw of the document (with landscape):
// counts of the compiled batches and the scene's box in millimetres.
#include "InfoSections.h"
#include "layoutfile/RailList.h"
#include "obj3d/DocumentScene.h"

namespace tk3d::cli {

namespace {

void WritePoint(TJsonWriter& json, const char* key, const TDPoint& p) {
    json.Key(key).BeginArray();
    json.Value(p.X).Value(p.Y).Value(p.Z);
    json.EndArray();
}

}  // namespace

void WriteSceneJson(TJsonWriter& json, TRailList& doc) {
    const TCompiledScene scene = CompileDocument(doc, true);
    json.Key("scene").BeginObject();
    json.Field("landscape", true);
    json.Field("triangles", scene.TriangleCount());
    json.Field("lines", scene.LineCount());
    json.Field("points", scene.PointCount());
    json.Field("texts", scene.TextCount());
    if (scene.Box.IsEmpty()) {
        json.Key("box").Null();
    } else {
        json.Key("box").BeginObject();
        WritePoint(json, "min", scene.Box.Min);
        WritePoint(json, "max", scene.Box.Max);
        json.EndObject();
    }
    json.EndObject();
}

}  // namespace tk3d::cli
