// The document section of `tk3d-cli info`: list sizes, classes, extents.
#include <map>
#include <string>

#include "InfoSections.h"
#include "layoutfile/ClassRegistry.h"
#include "layoutfile/RailList.h"

namespace tk3d::cli {
namespace {

void WriteRect(TJsonWriter& json, std::string_view key, const TRect& r) {
    json.Key(key).BeginObject();
    json.Field("left", r.Left);
    json.Field("top", r.Top);
    json.Field("right", r.Right);
    json.Field("bottom", r.Bottom);
    json.EndObject();
}

}  // namespace

void WriteDocumentJson(TJsonWriter& json, const TRailList& doc) {
    int32_t objects = 0, catenary = 0;
    std::map<std::string, int32_t> classes;
    doc.ForEach([&](const TBasicRailObject& obj) {
        ++objects;
        ++classes[StreamClassName(obj)];
    });
    doc.ForEachCatenary([&](const TBasicRailObject& obj) {
        ++catenary;
        ++classes[StreamClassName(obj)];
    });

    json.Key("document").BeginObject();
    json.Field("version", doc.Version);
    json.Field("currency", doc.Currency);
    json.Field("objects", objects);
    json.Field("catenary", catenary);
    json.Key("classes").BeginObject();
    for (const auto& [name, count] : classes) json.Field(name, count);
    json.EndObject();
    json.EndObject();

    json.Key("bounds").BeginObject();
    WriteRect(json, "exact", doc.GetBounds(false));
    WriteRect(json, "fromOrigin", doc.GetBounds(true));
    json.EndObject();

    int32_t top = 0, bottom = 0;
    doc.GetHeightRange(top, bottom);
    json.Key("heightRange").BeginObject();
    json.Field("top", top);
    json.Field("bottom", bottom);
    json.EndObject();
}

}  // namespace tk3d::cli
