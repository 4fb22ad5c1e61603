#include <string>

#include "InfoSections.h"
#include "layoutfile/GlobalState.h"
#include "layoutfile/LayerData.h"

namespace tk3d::cli {
namespace {

void Font(TJsonWriter& json, std::string_view key, const TLogFontW& font) {
    json.Key(key).BeginObject();
    json.Field("face", FaceName(font));
    json.Field("height", font.lfHeight);
    json.Field("weight", font.lfWeight);
    json.Field("italic", font.lfItalic != 0);
    json.EndObject();
}

void Pen(TJsonWriter& json, std::string_view key, const TLogPen& pen) {
    json.Key(key).BeginObject();
    json.Field("style", pen.lopnStyle);
    json.Field("width", pen.lopnWidth.X);
    json.Field("color", pen.lopnColor);
    json.EndObject();
}

}  // namespace

void WriteSettingsJson(TJsonWriter& json, const TGlobalSettings& s) {
    json.Key("settings").BeginObject();
    json.Field("InchUnits", s.InchUnits());
    json.Field("ShowArtNr", s.ShowArtNr());
    json.Field("ArtNrWithoutPrefix", s.ArtNrWithoutPrefix());
    json.Field("ShowDescription", s.ShowDescription());
    json.Field("TextBackgroundDefault", s.TextBackgroundDefault());
    json.Field("ShowHeights", s.ShowHeights());
    json.Field("ShowBallast", s.ShowBallast());
    json.Field("OutlinesInRect", s.OutlinesInRect());
    json.Field("BoardWidth", s.BoardWidth());
    json.Field("BoardDepth", s.BoardDepth());
    json.Field("ArtNrColor", s.ArtNrColor());
    json.Field("DescriptionColor", s.DescriptionColor());
    json.Field("HeightColor", s.HeightColor());
    json.Field("PageNoColor", s.PageNoColor());
    json.Field("VisibleLayers", s.VisibleLayers().Layers());
    Font(json, "ArtNrFont", s.ArtNrFont());
    Font(json, "DescriptionFont", s.DescriptionFont());
    Font(json, "HeightFont", s.HeightFont());
    Font(json, "PageNoFont", s.PageNoFont());
    Pen(json, "GridPen", s.GridPen());
    Pen(json, "SlopePen", s.SlopePen());
    json.Field("ShowTies", s.ShowTies());
    Pen(json, "ClearancePen", s.ClearancePen());
    json.Field("PrintScale", s.PrintScale());
    json.Field("ShowElementTexts", s.ShowElementTexts());
    Font(json, "TextInElementsFont", s.TextInElementsFont());
    json.Field("TextInElementsColor", s.TextInElementsColor());
    json.Field("ShowCatenary", s.ShowCatenary());
    json.Field("CatenaryTolerance", s.CatenaryTolerance());
    json.Field("ShowParamLabels", s.ShowParamLabels());
    Font(json, "ParamLabelFont", s.ParamLabelFont());
    json.Field("OverlapX", s.OverlapX());
    json.Field("OverlapY", s.OverlapY());
    json.Field("ActiveLayers", s.ActiveLayers().Layers());
    json.EndObject();
}

void WriteLayersJson(TJsonWriter& json) {
    json.Key("layerNames").BeginObject();
    for (size_t n = 0; n < LayerNames.size(); ++n)
        if (!LayerNames[n].empty()) json.Field(std::to_string(n), LayerNames[n]);
    json.EndObject();

    json.Key("layerData").BeginArray();
    const TLayerDataList& list = LayerDataList();
    for (int i = 0; i < list.Count(); ++i) {
        const TLayerData& d = list[i];
        json.BeginObject();
        json.Field("layer", d.fLayer);
        json.Field("version", d.fVersion);
        json.Field("lineColor", d.flineColor);
        json.Field("lineWidth", d.fLineWidth);
        json.Field("fillColor", d.fFillColor);
        json.Field("doFill", d.fDoFill);
        json.Field("height", d.fHoehe);
        json.Field("tieColor", d.fTieColor);
        json.EndObject();
    }
    json.EndArray();
}

}  // namespace tk3d::cli
