// The process-wide state of the viewer, in one place: the settings records,
// layer names and layer data, the view scale. ResetGlobalState brings all of
// it back to the start-up state (tests call it between cases).
#pragma once
#include <array>
#include <string>

#include "layoutfile/GlobalSettings.h"

namespace tk3d {

class TLayerDataList;

extern TGlobalSettings GlobalSettings;
extern const TGlobalSettings& DefaultSettings;
// Exactly 256 entries; entry n names layer n (empty when unnamed).
extern std::array<std::string, 256> LayerNames;
TLayerDataList& LayerDataList();
// Pixels per millimetre of the view being drawn.
extern double ViewScale;

// Presentation defaults that layout files do not carry; the planner's
// settings fill them when a file of the 16-bit format is opened.
struct TPlannerPresentation {
    TLogPen BenchworkPen;
    TLogFontW DefTextFont;
    TColorRef DefTextColor = 0;
    TLogFontW HelixFont;
    TColorRef HelixColor = 0;
    TLogFontW MassFont;  // dimensions
    TColorRef MassColor = 0;
};
extern TPlannerPresentation PlannerPresentation;

void ResetGlobalState();

}  // namespace tk3d
