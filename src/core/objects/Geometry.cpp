#include "objects/Geometry.h"

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "layoutfile/GlobalState.h"

namespace tk3d {

namespace {

constexpr double kTwoPi = 2 * kPi;
// Beyond this many turns the subtraction loops of the angle functions would
// run long (or forever for infinities); fmod gives the same class of result.
constexpr double kLoopLimit = 64 * kTwoPi;

template <class T>
T SaturatingRound(double x, double (*round)(double)) {
    if (std::isnan(x)) return 0;
    const double r = round(x);
    if (r >= double(std::numeric_limits<T>::max())) return std::numeric_limits<T>::max();
    if (r <= double(std::numeric_limits<T>::min())) return std::numeric_limits<T>::min();
    return T(r);
}

TNumberFormat& CurrentNumberFormat() {
    static TNumberFormat format = TNumberFormat::FromCLocale();
    return format;
}

std::string ReplaceDecimalPoint(std::string s) {
    const size_t dot = s.find('.');
    if (dot != std::string::npos) s.replace(dot, 1, NumberFormat().DecimalSeparator);
    return s;
}

}  // namespace

int32_t RoundToInt(double x) { return SaturatingRound<int32_t>(x, std::nearbyint); }
int64_t RoundToInt64(double x) { return SaturatingRound<int64_t>(x, std::nearbyint); }
int32_t TruncToInt(double x) { return SaturatingRound<int32_t>(x, std::trunc); }
TPoint RoundPoint(const TExtPoint& p) { return {RoundToInt(p.X), RoundToInt(p.Y)}; }

TNumberFormat TNumberFormat::FromCLocale() {
    TNumberFormat f;
    if (const lconv* lc = std::localeconv()) {
        f.ThousandSeparator = lc->thousands_sep ? lc->thousands_sep : "";
        f.DecimalSeparator = lc->decimal_point && *lc->decimal_point ? lc->decimal_point : ".";
        f.CurrencyString = lc->currency_symbol ? lc->currency_symbol : "";
    }
    return f;
}

const TNumberFormat& NumberFormat() { return CurrentNumberFormat(); }
void SetNumberFormat(const TNumberFormat& format) { CurrentNumberFormat() = format; }
void ResetNumberFormat() { CurrentNumberFormat() = TNumberFormat::FromCLocale(); }

std::string FormatFixed(double x, int decimals) {
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, x);
    return ReplaceDecimalPoint(buf);
}

std::string FormatNumber(double x, int decimals) {
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, x);
    std::string whole = buf, fraction;
    if (const size_t dot = whole.find('.'); dot != std::string::npos) {
        fraction = NumberFormat().DecimalSeparator + whole.substr(dot + 1);
        whole.resize(dot);
    }
    const size_t digitsStart = (!whole.empty() && whole[0] == '-') ? 1 : 0;
    const std::string& sep = NumberFormat().ThousandSeparator;
    // "inf" and "nan" stay as they are.
    if (!sep.empty() && whole.find_first_not_of("0123456789", digitsStart) == std::string::npos) {
        for (size_t i = whole.size(); i > digitsStart + 3;) {
            i -= 3;
            whole.insert(i, sep);
        }
    }
    return whole + fraction;
}

double ToInchTenths(double x) { return GlobalSettings.InchUnits() ? x / 2.54 : x; }
double ToInches(double x) { return GlobalSettings.InchUnits() ? x / 25.4 : x; }
std::string LengthUnitSuffix() { return GlobalSettings.InchUnits() ? "\"" : "mm"; }

std::string FormatLength(double x) {
    const bool inch = GlobalSettings.InchUnits();
    const std::string s = inch ? FormatFixed(ToInchTenths(x) / 10, 1) : FormatFixed(ToInchTenths(x), 0);
    if (s == "-0" || s == "-0" + NumberFormat().DecimalSeparator + "0") return "0";
    return s;
}

std::string FormatDimension(double x) {
    const bool inch = GlobalSettings.InchUnits();
    const int64_t board = std::max<int64_t>(GlobalSettings.BoardWidth(), GlobalSettings.BoardDepth());
    const bool large = board >= (inch ? 10161 : 10001);
    if (inch) {
        const double inches = x / 25.4;
        if (!large) return FormatNumber(inches, 1) + "\"";
        double feet = std::floor(inches / 12);
        double rest = inches - feet * 12;
        // Carry only when the rest as displayed reaches a whole foot, so that
        // 11.7 in stays 11.7 in and no negative rest is ever shown.
        char shown[64];
        std::snprintf(shown, sizeof shown, "%.1f", rest);
        if (std::strtod(shown, nullptr) >= 12) {
            feet += 1;
            rest = std::max(0.0, rest - 12);
        }
        return FormatNumber(feet, 0) + "'" + FormatFixed(rest, 1) + "\"";
    }
    if (!large) return FormatNumber(x, 0) + " mm";
    std::string s = FormatNumber(x / 1000, 3);
    while (!s.empty() && s.back() == '0') s.pop_back();
    const std::string& dec = NumberFormat().DecimalSeparator;
    if (!dec.empty() && s.size() >= dec.size() && s.compare(s.size() - dec.size(), dec.size(), dec) == 0)
        s.resize(s.size() - dec.size());
    return s + " m";
}

TColorRef SwapBlackWhite(TColorRef colour) {
    if ((colour & 0xFFFFFF) == 0) return 0xFFFFFF;
    if ((colour & 0xFFFFFF) == 0xFFFFFF) return 0;
    return colour;
}

double NormalizeAngle(double x) {
    if (!std::isfinite(x)) return std::numeric_limits<double>::quiet_NaN();
    if (std::fabs(x) > kLoopLimit) {
        x = std::fmod(x, kTwoPi);
        if (x < 0) x += kTwoPi;
        return x;
    }
    while (x > kTwoPi) x -= kTwoPi;
    while (x < 0) x += kTwoPi;
    return x;
}

void AddAngleSigned(double& a, double delta) {
    a += delta;
    if (!std::isfinite(a)) {
        a = std::numeric_limits<double>::quiet_NaN();
        return;
    }
    if (std::fabs(a) > kLoopLimit) a = std::fmod(a, kTwoPi);
    while (a >= kTwoPi) a -= kTwoPi;
    while (a < 0) a += kTwoPi;
    if (a > kPi) a -= kTwoPi;
}

bool SameAngle(double a, double b) {
    // A floating-point fault (NaN or infinite input) counts as equal.
    if (!std::isfinite(a) || !std::isfinite(b)) return true;
    double d = SnapZero(NormalizeAngle(b));
    AddAngleSigned(d, -SnapZero(NormalizeAngle(a)));
    d = SnapZero(d);
    if (std::fabs(d) < 1e-5) return true;
    d = SnapZero(d > 0 ? d - kTwoPi : d + kTwoPi);
    return std::fabs(d) < 1e-5;
}

double SlopeToAngle(double s) { return s != 0 ? std::atan(s / 1000) : 0; }
double AngleToSlope(double a) { return std::tan(a) * 1000; }

double SnapZero(double x) { return (x > -1e-12 && x < 1e-12) ? 0 : x; }
TExtPoint SnapPoint(const TExtPoint& p) { return {SnapZero(p.X), SnapZero(p.Y)}; }

double DirectionAngle(const TExtPoint& a, const TExtPoint& b) {
    double dx = SnapZero(b.X - a.X);
    double dy = SnapZero(b.Y - a.Y);
    if (std::isnan(dx)) dx = 0;
    if (std::isnan(dy)) dy = 0;
    if (std::fabs(dx) < 1e-7) return dy > 0 ? kPi / 2 : 3 * kPi / 2;
    return SnapZero(std::atan2(dy, dx));
}

double PointDistance(const TExtPoint& a, const TExtPoint& b) {
    const TExtPoint p = SnapPoint(a), q = SnapPoint(b);
    return SnapZero(std::hypot(q.Y - p.Y, q.X - p.X));
}

double PointDistance(const TPoint& a, const TPoint& b) {
    const double dx = double(int64_t(b.X) - a.X), dy = double(int64_t(b.Y) - a.Y);
    return std::sqrt(dx * dx + dy * dy);
}

void RotatePoint(double& x, double& y, const TExtPoint& centre, double angle) {
    const double dx = x - centre.X, dy = y - centre.Y;
    const double polar = std::fabs(dx) < 0.01 ? kPi / 2 : std::atan(dy / dx);
    const double s = std::sin(polar);
    const double radius = std::fabs(s) >= 0.01 ? dy / s : dx / std::cos(polar);
    x = centre.X + radius * std::cos(angle + polar);
    y = centre.Y + radius * std::sin(angle + polar);
}

void RotatePoint(double& x, double& y, const TPoint& centre, double angle) {
    RotatePoint(x, y, TExtPoint{double(centre.X), double(centre.Y)}, angle);
}

void RotatePoint(TExtPoint& p, const TExtPoint& centre, double angle) {
    RotatePoint(p.X, p.Y, centre, angle);
}

void RotatePoint(int32_t& x, int32_t& y, const TPoint& centre, double angle) {
    double fx = x, fy = y;
    RotatePoint(fx, fy, centre, angle);
    x = RoundToInt(fx);
    y = RoundToInt(fy);
}

void RotateRectBounds(TRect& rect, const TPoint& centre, double angle) {
    const double xs[4] = {double(rect.Left), double(rect.Left), double(rect.Right), double(rect.Right)};
    const double ys[4] = {double(rect.Top), double(rect.Bottom), double(rect.Top), double(rect.Bottom)};
    TRect out{INT32_MAX, INT32_MIN, INT32_MIN, INT32_MAX};
    for (int i = 0; i < 4; ++i) {
        double x = xs[i], y = ys[i];
        RotatePoint(x, y, centre, angle);
        const int32_t ix = RoundToInt(x), iy = RoundToInt(y);
        out.Left = std::min(out.Left, ix);
        out.Right = std::max(out.Right, ix);
        out.Top = std::max(out.Top, iy);
        out.Bottom = std::min(out.Bottom, iy);
    }
    rect = out;
}

bool PointNearSegment(const TExtPoint& p, const TExtPoint& a, const TExtPoint& b, double width) {
    const double h = width / 2;
    if (p.X < std::min(a.X, b.X) - h || p.X > std::max(a.X, b.X) + h) return false;
    if (p.Y < std::min(a.Y, b.Y) - h || p.Y > std::max(a.Y, b.Y) + h) return false;
    const double along = DirectionAngle(a, b);
    const double dist = PointDistance(a, p);
    const double projected = dist * std::cos(DirectionAngle(a, p) - along);
    const TExtPoint foot{a.X + projected * std::cos(along), a.Y + projected * std::sin(along)};
    return PointDistance(p, foot) <= width;
}

bool PointNearSegment(const TPoint& p, const TPoint& a, const TPoint& b, double width) {
    auto ext = [](const TPoint& q) { return TExtPoint{double(q.X), double(q.Y)}; };
    return PointNearSegment(ext(p), ext(a), ext(b), width);
}

}  // namespace tk3d
