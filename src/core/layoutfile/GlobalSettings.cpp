#include "layoutfile/GlobalSettings.h"

#include "layoutfile/Extended.h"

namespace tk3d {
namespace {

TLogFontW DefaultLabelFont() {
    TLogFontW f;
    f.lfHeight = -45;
    SetFaceName(f, "Arial");
    return f;
}

}  // namespace

TGlobalSettings TGlobalSettings::Defaults() {
    TGlobalSettings s;
    uint8_t* r = s.raw;
    s.SetShowArtNr(true);
    r[4] = 1;
    r[5] = 1;
    r[10] = 1;
    s.SetOutlinesInRect(true);
    s.SetBoardWidth(4000);
    s.SetBoardDepth(2000);
    r[21] = 6;
    EncodeExtended(1000.0, r + 22);
    s.Set<int32_t>(32, 1);
    TLayerSet layer0;
    layer0.Add(0);
    s.SetVisibleLayers(layer0);
    s.SetActiveLayers(layer0);
    s.Set<int32_t>(84, 10);
    s.Set<int32_t>(88, 10);
    EncodeExtended(3.0, r + 92);
    const TLogFontW font = DefaultLabelFont();
    s.SetArtNrFont(font);
    s.SetDescriptionFont(font);
    s.SetHeightFont(font);
    s.SetPageNoFont(font);
    s.SetTextInElementsFont(font);
    s.SetParamLabelFont(font);
    r[505] = 1;
    s.Set<int32_t>(508, 255);
    r[512] = 1;
    s.SetPrintScale(10);
    s.Set<int32_t>(533, 255);
    s.Set<int32_t>(537, 0xFF00);
    s.Set<int32_t>(544, 0xFFFFFF);
    s.Set<int32_t>(548, 0xFFFFFF);
    s.Set<int32_t>(552, 0xFFFFFF);
    s.SetShowElementTexts(true);
    s.Set<int32_t>(654, 0xFFFFFF);
    s.SetShowCatenary(true);
    s.SetCatenaryTolerance(5);
    s.Set<int32_t>(761, 0xFFFFFF);
    s.Set<int32_t>(793, 100);
    s.Set<int32_t>(797, -1);
    for (int off : {801, 805, 809, 813}) s.Set<int32_t>(off, 10);
    s.SetOverlapX(10);
    s.SetOverlapY(10);
    return s;
}

}  // namespace tk3d
