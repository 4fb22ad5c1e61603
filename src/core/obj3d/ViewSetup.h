// The view maths of the 3D view as pure functions: view scale, overview
// fit and 1:N zoom projections, scrolling and the three rotations. Hosts
// (window, off-screen, command line) compute their matrices here.
#pragma once
#include <cstdint>

#include "obj3d/Matrices.h"
#include "platform/WinTypes.h"

namespace tk3d {

// Size of the physical screen a 1:N zoom refers to.
struct TScreenMetrics {
    double WidthPx = 96;
    double WidthMm = 25.4;
    double HeightPx = 96;
    double HeightMm = 25.4;
    // A screen of the given resolution in dots per inch.
    static TScreenMetrics FromDpi(double dpi) { return {dpi, 25.4, dpi, 25.4}; }
};

// What a frame needs of the document, computed once per scene (bounds and
// height range are expensive and must not be recomputed per frame).
struct TSceneExtent {
    TRect Exact;       // bounds without labels; may be the empty union rectangle
    TRect FromOrigin;  // bounds with labels from the origin (Left = Top = 0)
    double Top = 0;    // height range
    double Bottom = 0;
};

struct TViewParams {
    int32_t ViewWidth = 1;  // pixels of the drawing area
    int32_t ViewHeight = 1;
    bool Overview = true;
    int32_t Zoom = 10;  // 1:Zoom when not in overview
    TScreenMetrics Screen;
    double ScrollX = 0;  // scroll bar positions, millimetres
    double ScrollY = 0;
    double RotX = 0;  // slider angles, degrees
    double RotY = 0;
    double RotZ = 0;
};

struct TOrtho {
    double Left = -1, Right = 1, Bottom = -1, Top = 1, Near = -1, Far = 1;
    TMatrix4 Matrix() const { return TMatrix4::Ortho(Left, Right, Bottom, Top, Near, Far); }
};

struct TViewMatrices {
    TOrtho Projection;
    TMatrix4 View;         // scroll and rotations: the coordinate cross is drawn with it
    TMatrix4 Scene;        // View, then the centring of the layout on the centre of rotation
    double ViewScale = 1;  // pixels per millimetre
};

// View sizes below one pixel count as one.
int32_t ClampViewSize(int32_t size);
// Pixels per millimetre: the overview fits the diagonal of the layout's
// box into the smaller side; a zoom of 1:z shows true scale on the screen.
double OverviewViewScale(const TViewParams& view, const TSceneExtent& extent);
double ZoomViewScale(const TViewParams& view);
double ViewScaleFor(const TViewParams& view, const TSceneExtent& extent);

// The rectangle a frame is fitted to and centred on: the rectangle from the
// origin united with the exact bounds.
TRect FrameRect(const TSceneExtent& extent);

// The projection of a frame. The overview fits the frame rectangle, the
// same one the scene is centred on, so a layout far from the origin stays in
// the window; empty layouts get a 1 mm extent and every depth is at least 1.
TOrtho ViewProjection(const TViewParams& view, const TSceneExtent& extent);
TViewMatrices SetupView(const TViewParams& view, const TSceneExtent& extent);

// The Z axis labels show only when at least two sliders are turned.
bool ShowZLabels(double rotX, double rotY, double rotZ);

}  // namespace tk3d
