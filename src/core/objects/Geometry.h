// Planar geometry, angles, unit conversion and number formatting shared by
// every layout object. Angles are radians unless a name says degrees;
// lengths are millimetres.
#pragma once
#include <cstdint>
#include <string>

#include "platform/WinTypes.h"

namespace tk3d {

// The exact plan geometry of layout objects (two 80-bit floats in a file).
struct TExtPoint {
    double X = 0;
    double Y = 0;
    bool operator==(const TExtPoint&) const = default;
};

inline TExtPoint MakeExtPoint(double x, double y) { return {x, y}; }

// Checked float-to-integer conversions: NaN gives 0 and values beyond the
// target range saturate, so hostile numbers never reach undefined casts.
// Rounding goes to the nearest value, halves to the even neighbour.
int32_t RoundToInt(double x);
int64_t RoundToInt64(double x);
int32_t TruncToInt(double x);
// The integer point nearest to p (components rounded as above).
TPoint RoundPoint(const TExtPoint& p);

// Separators of the locale-dependent number formats. The application takes
// them from the process locale; tests set them explicitly.
struct TNumberFormat {
    std::string ThousandSeparator;
    std::string DecimalSeparator = ".";
    std::string CurrencyString;

    // From the C library's current numeric and monetary locale.
    static TNumberFormat FromCLocale();
};
const TNumberFormat& NumberFormat();
void SetNumberFormat(const TNumberFormat& format);
// Back to FromCLocale() (part of the process-wide reset).
void ResetNumberFormat();

// "%.<decimals>f" with the locale's decimal separator.
std::string FormatFixed(double x, int decimals);
// "%.<decimals>n": as FormatFixed, with thousands grouped by the separator.
std::string FormatNumber(double x, int decimals);

// Unit conversion by the inch flag of the global settings.
double ToInchTenths(double x);
double ToInches(double x);
std::string LengthUnitSuffix();
std::string FormatLength(double x);
// A length for dimension and length labels: metres or feet and inches on
// large layouts, millimetres or inches on small ones.
std::string FormatDimension(double x);

// Exchanges pure black and pure white (the high byte does not count).
TColorRef SwapBlackWhite(TColorRef colour);

constexpr double kPi = 3.14159265358979323846;
inline double RadToDeg(double x) { return x * 57.295779513082320877; }
inline double DegToRad(double x) { return x * 0.017453292519943295769; }

// Into [0, 2pi]; 2pi itself stays 2pi. Non-finite input gives NaN.
double NormalizeAngle(double x);
// a := a + delta brought into (-pi, pi].
void AddAngleSigned(double& a, double delta);
bool SameAngle(double a, double b);
double SlopeToAngle(double s);
double AngleToSlope(double a);

// 0 for values within 1e-12 of zero.
double SnapZero(double x);
TExtPoint SnapPoint(const TExtPoint& p);
// Direction from a to b in (-pi, pi], with pi/2 or 3pi/2 for (nearly)
// vertical directions.
double DirectionAngle(const TExtPoint& a, const TExtPoint& b);
double PointDistance(const TExtPoint& a, const TExtPoint& b);
double PointDistance(const TPoint& a, const TPoint& b);

// Rotation about a centre by angle; a point within 0.01 of the centre's
// vertical line counts as lying on it.
void RotatePoint(double& x, double& y, const TExtPoint& centre, double angle);
void RotatePoint(double& x, double& y, const TPoint& centre, double angle);
void RotatePoint(TExtPoint& p, const TExtPoint& centre, double angle);
void RotatePoint(int32_t& x, int32_t& y, const TPoint& centre, double angle);
// Replaces rect (Top >= Bottom) by the bounds of its rotated corners.
void RotateRectBounds(TRect& rect, const TPoint& centre, double angle);

// Whether p lies within width of the segment ab (inside its widened box).
bool PointNearSegment(const TExtPoint& p, const TExtPoint& a, const TExtPoint& b, double width);
bool PointNearSegment(const TPoint& p, const TPoint& a, const TPoint& b, double width);

}  // namespace tk3d
