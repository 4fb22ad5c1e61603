#include "obj3d/Matrices.h"

#include <cmath>

namespace tk3d {

void ClearMatrix3(TMatrix3& m) {
    for (auto& row : m) row.fill(0);
}

void RotationMatrixX(TMatrix3& m, double angle) {
    const double c = std::cos(angle), s = std::sin(angle);
    m = {{{1, 0, 0}, {0, c, s}, {0, -s, c}}};
}

void RotationMatrixY(TMatrix3& m, double angle) {
    const double c = std::cos(angle), s = std::sin(angle);
    m = {{{c, 0, -s}, {0, 1, 0}, {s, 0, c}}};
}

void RotationMatrixZ(TMatrix3& m, double angle) {
    const double c = std::cos(angle), s = std::sin(angle);
    m = {{{c, s, 0}, {-s, c, 0}, {0, 0, 1}}};
}

void TransformPoint3(const TMatrix3& m, const TDPoint& p, TDPoint& out) {
    const TDPoint in = p;  // out may alias p
    out.X = in.X * m[0][0] + in.Y * m[1][0] + in.Z * m[2][0];
    out.Y = in.X * m[0][1] + in.Y * m[1][1] + in.Z * m[2][1];
    out.Z = in.X * m[0][2] + in.Y * m[1][2] + in.Z * m[2][2];
}

TMatrix4 TMatrix4::Translation(double x, double y, double z) {
    TMatrix4 r;
    r(0, 3) = x;
    r(1, 3) = y;
    r(2, 3) = z;
    return r;
}

TMatrix4 TMatrix4::Rotation(double degrees, double x, double y, double z) {
    const double len = std::sqrt(x * x + y * y + z * z);
    TMatrix4 r;
    if (!(len > 0) || !std::isfinite(len)) return r;
    x /= len;
    y /= len;
    z /= len;
    const double a = degrees * M_PI / 180.0;
    const double c = std::cos(a), s = std::sin(a), t = 1 - c;
    r(0, 0) = x * x * t + c;
    r(0, 1) = x * y * t - z * s;
    r(0, 2) = x * z * t + y * s;
    r(1, 0) = y * x * t + z * s;
    r(1, 1) = y * y * t + c;
    r(1, 2) = y * z * t - x * s;
    r(2, 0) = x * z * t - y * s;
    r(2, 1) = y * z * t + x * s;
    r(2, 2) = z * z * t + c;
    return r;
}

TMatrix4 TMatrix4::Scaling(double x, double y, double z) {
    TMatrix4 r;
    r(0, 0) = x;
    r(1, 1) = y;
    r(2, 2) = z;
    return r;
}

TMatrix4 TMatrix4::Ortho(double left, double right, double bottom, double top, double nearVal,
                         double farVal) {
    TMatrix4 r;
    r(0, 0) = 2 / (right - left);
    r(1, 1) = 2 / (top - bottom);
    r(2, 2) = -2 / (farVal - nearVal);
    r(0, 3) = -(right + left) / (right - left);
    r(1, 3) = -(top + bottom) / (top - bottom);
    r(2, 3) = -(farVal + nearVal) / (farVal - nearVal);
    return r;
}

TMatrix4 TMatrix4::operator*(const TMatrix4& o) const {
    TMatrix4 r;
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 4; ++col) {
            double s = 0;
            for (int k = 0; k < 4; ++k) s += (*this)(row, k) * o(k, col);
            r(row, col) = s;
        }
    return r;
}

std::array<double, 4> TMatrix4::TransformHomogeneous(const TDPoint& p) const {
    std::array<double, 4> out{};
    for (int row = 0; row < 4; ++row)
        out[size_t(row)] =
            (*this)(row, 0) * p.X + (*this)(row, 1) * p.Y + (*this)(row, 2) * p.Z + (*this)(row, 3);
    return out;
}

TDPoint TMatrix4::TransformPoint(const TDPoint& p) const {
    const auto h = TransformHomogeneous(p);
    if (h[3] != 0 && h[3] != 1) return {h[0] / h[3], h[1] / h[3], h[2] / h[3]};
    return {h[0], h[1], h[2]};
}

TDPoint TMatrix4::TransformVector(const TDPoint& v) const {
    const TMatrix4& a = *this;
    return {a(0, 0) * v.X + a(0, 1) * v.Y + a(0, 2) * v.Z, a(1, 0) * v.X + a(1, 1) * v.Y + a(1, 2) * v.Z,
            a(2, 0) * v.X + a(2, 1) * v.Y + a(2, 2) * v.Z};
}

TDPoint TMatrix4::TransformNormal(const TDPoint& n) const {
    const TMatrix4& a = *this;
    // Cofactor matrix of the upper 3x3; its sign follows the determinant so
    // that a mirroring transformation still maps front normals to the front.
    const double c00 = a(1, 1) * a(2, 2) - a(1, 2) * a(2, 1);
    const double c01 = a(1, 2) * a(2, 0) - a(1, 0) * a(2, 2);
    const double c02 = a(1, 0) * a(2, 1) - a(1, 1) * a(2, 0);
    const double c10 = a(0, 2) * a(2, 1) - a(0, 1) * a(2, 2);
    const double c11 = a(0, 0) * a(2, 2) - a(0, 2) * a(2, 0);
    const double c12 = a(0, 1) * a(2, 0) - a(0, 0) * a(2, 1);
    const double c20 = a(0, 1) * a(1, 2) - a(0, 2) * a(1, 1);
    const double c21 = a(0, 2) * a(1, 0) - a(0, 0) * a(1, 2);
    const double c22 = a(0, 0) * a(1, 1) - a(0, 1) * a(1, 0);
    const double det = a(0, 0) * c00 + a(0, 1) * c01 + a(0, 2) * c02;
    const double sign = det < 0 ? -1.0 : 1.0;
    return {sign * (c00 * n.X + c01 * n.Y + c02 * n.Z), sign * (c10 * n.X + c11 * n.Y + c12 * n.Z),
            sign * (c20 * n.X + c21 * n.Y + c22 * n.Z)};
}

}  // namespace tk3d
