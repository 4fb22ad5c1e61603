// The printer's unprintable margins from its device values, in tenths of a
// millimetre. Pure functions, so that printing code and tests share them.
#pragma once
#include <cstdint>

namespace tk3d {

// The device capabilities the margins are computed from (pixels and dpi).
struct TPrinterMetrics {
    int32_t PhysicalOffsetX = 0;
    int32_t PhysicalOffsetY = 0;
    int32_t PhysicalWidth = 0;
    int32_t PhysicalHeight = 0;
    int32_t HorzRes = 0;  // printable width in pixels
    int32_t VertRes = 0;
    int32_t LogPixelsX = 0;  // dots per inch
    int32_t LogPixelsY = 0;
};

// A device reporting 0 dpi has no meaningful margin: those give 0.
int32_t PrintMarginLeft(const TPrinterMetrics& p);
int32_t PrintMarginTop(const TPrinterMetrics& p);
int32_t PrintMarginRight(const TPrinterMetrics& p);
int32_t PrintMarginBottom(const TPrinterMetrics& p);

}  // namespace tk3d
