#include "layoutfile/GlobalState.h"

#include "layoutfile/LayerData.h"
#include "obj3d/FontCache.h"
#include "objects/Geometry.h"

namespace tk3d {
namespace {

const TGlobalSettings kDefaultSettings = TGlobalSettings::Defaults();

TPlannerPresentation DefaultPlannerPresentation() {
    TPlannerPresentation p;
    // The label font of the default record stands in until the planner's
    // settings say otherwise.
    p.DefTextFont = p.HelixFont = p.MassFont = kDefaultSettings.ArtNrFont();
    return p;
}

}  // namespace

TGlobalSettings GlobalSettings = kDefaultSettings;
const TGlobalSettings& DefaultSettings = kDefaultSettings;
std::array<std::string, 256> LayerNames;
double ViewScale = 1.0;
TPlannerPresentation PlannerPresentation = DefaultPlannerPresentation();

TLayerDataList& LayerDataList() {
    static TLayerDataList list;
    return list;
}

void ResetGlobalState() {
    GlobalSettings = DefaultSettings;
    LayerNames.fill(std::string());
    LayerDataList().Clear();
    ViewScale = 1.0;
    PlannerPresentation = DefaultPlannerPresentation();
    FontCache().Clear();
    ResetNumberFormat();
}

}  // namespace tk3d
