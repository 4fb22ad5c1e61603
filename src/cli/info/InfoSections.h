// The sections of `tk3d-cli info`; each writes its keys into the open
// top-level object.
#pragma once
#include "Json.h"

namespace tk3d {
class TGlobalSettings;
class TRailList;
}  // namespace tk3d

namespace tk3d::cli {

// "settings": every field of the record that the viewer reads.
void WriteSettingsJson(TJsonWriter& json, const TGlobalSettings& settings);
// "layerNames" (non-empty names by layer number) and "layerData".
void WriteLayersJson(TJsonWriter& json);
// "document", "bounds" and "heightRange".
void WriteDocumentJson(TJsonWriter& json, const TRailList& doc);
// "scene": counts of the compiled scene (triangles, lines, points, texts) and its box.
void WriteSceneJson(TJsonWriter& json, TRailList& doc);

}  // namespace tk3d::cli
