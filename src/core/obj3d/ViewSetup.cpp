#include "obj3d/ViewSetup.h"

#include <algorithm>
#include <cmath>

namespace tk3d {

namespace {

double Width(const TRect& r) { return double(int64_t(r.Right) - r.Left); }
double Height(const TRect& r) { return double(int64_t(r.Top) - r.Bottom); }

double ZoomFactor(const TViewParams& view) { return std::max<double>(view.Zoom, 1); }

}  // namespace

// The rectangle from the origin grows only towards +X and -Y, where the
// planner puts its layouts; uniting it with the exact bounds keeps objects
// at -X or +Y in the picture and changes nothing for the usual layouts.
TRect FrameRect(const TSceneExtent& e) {
    TRect r = NormalizedRect(e.FromOrigin);
    UnionRect(r, e.Exact);
    return r;
}

int32_t ClampViewSize(int32_t size) { return std::max(size, 1); }

double OverviewViewScale(const TViewParams& view, const TSceneExtent& extent) {
    const TRect frame = FrameRect(extent);
    const double w = Width(frame), h = Height(frame);
    const double dz = extent.Bottom - extent.Top;
    double d = std::sqrt(w * w + h * h + dz * dz);
    // A layout without extent still needs a finite, positive scale.
    if (!(d >= 1)) d = 1;
    return std::min(ClampViewSize(view.ViewWidth), ClampViewSize(view.ViewHeight)) / d;
}

double ZoomViewScale(const TViewParams& view) {
    const double pxPerMm = view.Screen.WidthMm > 0 ? view.Screen.WidthPx / view.Screen.WidthMm : 96 / 25.4;
    return pxPerMm / ZoomFactor(view);
}

double ViewScaleFor(const TViewParams& view, const TSceneExtent& extent) {
    return view.Overview ? OverviewViewScale(view, extent) : ZoomViewScale(view);
}

TOrtho ViewProjection(const TViewParams& view, const TSceneExtent& extent) {
    const double vw = ClampViewSize(view.ViewWidth), vh = ClampViewSize(view.ViewHeight);
    const TRect dr = FrameRect(extent);
    const double dw = Width(dr), dh = Height(dr);
    const double dz = std::max(extent.Top, 0.0) - std::min(extent.Bottom, 0.0);
    double depth = std::nearbyint(std::sqrt(dw * dw + dh * dh + dz * dz));
    if (!(depth >= 1)) depth = 1;

    TOrtho o;
    o.Near = -depth;
    o.Far = depth;
    if (!view.Overview) {
        const double z = ZoomFactor(view);
        const TScreenMetrics& s = view.Screen;
        const double mmPerPxX = s.WidthPx > 0 ? s.WidthMm / s.WidthPx : 25.4 / 96;
        const double mmPerPxY = s.HeightPx > 0 ? s.HeightMm / s.HeightPx : 25.4 / 96;
        const float hw = float(z * (mmPerPxX * vw) / 2);
        const float hh = float(z * (mmPerPxY * vh) / 2);
        o.Left = -hw;
        o.Right = hw;
        o.Bottom = -hh;
        o.Top = hh;
        return o;
    }
    const int64_t w = std::max<int64_t>(int64_t(Width(dr)), 1);
    const int64_t h = std::max<int64_t>(int64_t(Height(dr)), 1);
    double x0 = double(-(w / 2)), x1 = double(w - w / 2);
    double y0 = double(-(h / 2)), y1 = double(h - h / 2);
    const double a = double(w) / vw, b = double(h) / vh;
    if (std::abs(a) > std::abs(b)) {
        const double m = (vh * a - double(h)) / 2;
        y0 -= m;
        y1 += m;
    } else {
        const double m = (vw * b - double(w)) / 2;
        x0 -= m;
        x1 += m;
    }
    o.Left = x0;
    o.Right = x1;
    o.Bottom = y0;
    o.Top = y1;
    return o;
}

TViewMatrices SetupView(const TViewParams& view, const TSceneExtent& extent) {
    TViewMatrices out;
    out.Projection = ViewProjection(view, extent);
    out.View = TMatrix4::Translation(-view.ScrollX, view.ScrollY, 0) *
               TMatrix4::Rotation(view.RotX, 1, 0, 0) * TMatrix4::Rotation(view.RotY, 0, 1, 0) *
               TMatrix4::Rotation(view.RotZ, 0, 0, 1);
    const TRect frame = FrameRect(extent);
    out.Scene = out.View * TMatrix4::Translation(-(double(frame.Left) + frame.Right) / 2.0,
                                                 -(double(frame.Top) + frame.Bottom) / 2.0, 0);
    out.ViewScale = ViewScaleFor(view, extent);
    return out;
}

bool ShowZLabels(double rotX, double rotY, double rotZ) {
    auto turned = [](double a) { return a != 0 && a != 360; };
    return int(turned(rotX)) + int(turned(rotY)) + int(turned(rotZ)) >= 2;
}

}  // namespace tk3d
