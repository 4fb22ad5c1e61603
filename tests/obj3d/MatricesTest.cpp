#include <gtest/gtest.h>

#include <cmath>

#include "obj3d/Matrices.h"
#include "obj3d/PrintMargins.h"

namespace tk3d {
namespace {

void ExpectNear(const TDPoint& a, const TDPoint& b) {
    EXPECT_NEAR(a.X, b.X, 1e-12);
    EXPECT_NEAR(a.Y, b.Y, 1e-12);
    EXPECT_NEAR(a.Z, b.Z, 1e-12);
}

TEST(Matrices, RotationsTurnCounterClockwiseAndAgreeWithGL) {
    TMatrix3 m;
    TDPoint out;
    RotationMatrixZ(m, M_PI / 2);
    TransformPoint3(m, {1, 0, 0}, out);
    ExpectNear(out, {0, 1, 0});
    RotationMatrixX(m, M_PI / 2);
    TransformPoint3(m, {0, 1, 0}, out);
    ExpectNear(out, {0, 0, 1});
    RotationMatrixY(m, M_PI / 2);
    TransformPoint3(m, {0, 0, 1}, out);
    ExpectNear(out, {1, 0, 0});
    ClearMatrix3(m);
    TransformPoint3(m, {1, 2, 3}, out);
    ExpectNear(out, {0, 0, 0});

    // The GL rotation about an axis matches the 3x3 one.
    const TDPoint p{0.3, -1.2, 2.5};
    for (int axis = 0; axis < 3; ++axis) {
        TMatrix3 r;
        if (axis == 0) RotationMatrixX(r, 0.7);
        if (axis == 1) RotationMatrixY(r, 0.7);
        if (axis == 2) RotationMatrixZ(r, 0.7);
        TransformPoint3(r, p, out);
        const TMatrix4 g = TMatrix4::Rotation(0.7 * 180 / M_PI, axis == 0, axis == 1, axis == 2);
        ExpectNear(g.TransformPoint(p), out);
    }
}

TEST(Matrices, NormalsStayPerpendicularUnderScaling) {
    const TMatrix4 m = TMatrix4::Scaling(4, 1, 1) * TMatrix4::Rotation(30, 0, 0, 1);
    // Surface x + y = 0 with normal (1, 1, 0): tangent (1, -1, 0).
    const TDPoint t = m.TransformVector({1, -1, 0});
    const TDPoint n = m.TransformNormal({1, 1, 0});
    EXPECT_NEAR(t.X * n.X + t.Y * n.Y + t.Z * n.Z, 0, 1e-12);
    // A mirror keeps front normals pointing to the same side of the surface.
    const TDPoint mirrored = TMatrix4::Scaling(-1, 1, 1).TransformNormal({0, 0, 1});
    EXPECT_GT(mirrored.Z, 0);
}

TEST(PrintMargins, TenthsOfMillimetresFromDeviceValues) {
    TPrinterMetrics p;
    p.LogPixelsX = p.LogPixelsY = 600;
    p.PhysicalOffsetX = 100;
    p.PhysicalOffsetY = 120;
    p.PhysicalWidth = 5100;
    p.HorzRes = 4800;
    p.PhysicalHeight = 6600;
    p.VertRes = 6360;
    EXPECT_EQ(PrintMarginLeft(p), 42);
    EXPECT_EQ(PrintMarginTop(p), 51);
    EXPECT_EQ(PrintMarginRight(p), 85);
    EXPECT_EQ(PrintMarginBottom(p), 51);
    p.LogPixelsX = 0;
    EXPECT_EQ(PrintMarginLeft(p), 0);
}

}  // namespace
}  // namespace tk3d
