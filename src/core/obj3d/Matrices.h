// Matrices of the drawing code: the 3x3 rotations that turn library shapes
// (row vector times matrix) and the 4x4 matrices of the GL matrix stack
// (column-major, as OpenGL stores them).
#pragma once
#include <array>

#include "obj3d/Records3D.h"

namespace tk3d {

// Row-major: out[j] = x*M[0][j] + y*M[1][j] + z*M[2][j].
using TMatrix3 = std::array<std::array<double, 3>, 3>;

void ClearMatrix3(TMatrix3& m);
// Counter-clockwise about the named axis in a right-handed system.
void RotationMatrixX(TMatrix3& m, double angle);
void RotationMatrixY(TMatrix3& m, double angle);
void RotationMatrixZ(TMatrix3& m, double angle);
void TransformPoint3(const TMatrix3& m, const TDPoint& p, TDPoint& out);

// Column-major 4x4: element (row r, column c) is at [c * 4 + r].
struct TMatrix4 {
    std::array<double, 16> m{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

    static TMatrix4 Identity() { return {}; }
    static TMatrix4 Translation(double x, double y, double z);
    // As glRotate: angle in degrees about the axis (x, y, z); a zero axis
    // gives the identity.
    static TMatrix4 Rotation(double degrees, double x, double y, double z);
    static TMatrix4 Scaling(double x, double y, double z);
    // As glOrtho.
    static TMatrix4 Ortho(double left, double right, double bottom, double top, double nearVal,
                          double farVal);

    double operator()(int row, int col) const { return m[size_t(col * 4 + row)]; }
    double& operator()(int row, int col) { return m[size_t(col * 4 + row)]; }

    // this * other (other is applied first, as glMultMatrix does).
    TMatrix4 operator*(const TMatrix4& other) const;
    // Point (w = 1), then divided by the resulting w when it is not 0.
    TDPoint TransformPoint(const TDPoint& p) const;
    // Homogeneous point (x, y, z, 1) without the division.
    std::array<double, 4> TransformHomogeneous(const TDPoint& p) const;
    // Direction (w = 0).
    TDPoint TransformVector(const TDPoint& v) const;
    // Direction of a normal under this matrix (the cofactors of the upper
    // 3x3, i.e. the inverse transpose up to a positive factor for proper
    // transformations).
    TDPoint TransformNormal(const TDPoint& n) const;

    bool operator==(const TMatrix4&) const = default;
};

}  // namespace tk3d
