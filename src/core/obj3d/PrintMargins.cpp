#include "obj3d/PrintMargins.h"

#include "objects/Geometry.h"

namespace tk3d {

namespace {

int32_t TenthsOfMm(int64_t pixels, int32_t dpi) {
    if (dpi <= 0) return 0;
    return RoundToInt(double(pixels) / double(dpi) * 254.0);
}

}  // namespace

int32_t PrintMarginLeft(const TPrinterMetrics& p) { return TenthsOfMm(p.PhysicalOffsetX, p.LogPixelsX); }

int32_t PrintMarginTop(const TPrinterMetrics& p) { return TenthsOfMm(p.PhysicalOffsetY, p.LogPixelsY); }

int32_t PrintMarginRight(const TPrinterMetrics& p) {
    return TenthsOfMm(int64_t(p.PhysicalWidth) - p.HorzRes - p.PhysicalOffsetX, p.LogPixelsX);
}

int32_t PrintMarginBottom(const TPrinterMetrics& p) {
    return TenthsOfMm(int64_t(p.PhysicalHeight) - p.VertRes - p.PhysicalOffsetY, p.LogPixelsY);
}

}  // namespace tk3d
