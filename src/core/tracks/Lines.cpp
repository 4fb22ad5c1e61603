#include "tracks/Lines.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "layoutfile/Stream.h"

namespace tk3d {

namespace {

TExtPoint ReadExtPoint(TCLStream& stream) {
    TExtPoint p;
    p.X = stream.ReadExtended();
    p.Y = stream.ReadExtended();
    return p;
}

double Mirrored(double axisX, double a, double b, double x) { return 2 * axisX - a - b - x; }

}  // namespace

void TGeradeLinie::Load(TCLStream& stream) {
    fVersion = stream.ReadWord();
    fStart = ReadExtPoint(stream);
    fEnd = ReadExtPoint(stream);
    fSegmentFlags = stream.ReadByte();
}

void TGeradeLinie::SetEndPoints(const TExtPoint& start, const TExtPoint& end) {
    fStart = start;
    fEnd = end;
    Recalc();
}

TRect TGeradeLinie::GetMyRect() const {
    TRect r{RoundToInt(fStart.X), RoundToInt(fStart.Y), RoundToInt(fEnd.X), RoundToInt(fEnd.Y)};
    if (r.Left == r.Right) {
        r.Left = SatAdd(r.Left, -1);
        r.Right = SatAdd(r.Right, 1);
    }
    if (r.Top == r.Bottom) {
        r.Top = SatAdd(r.Top, 1);
        r.Bottom = SatAdd(r.Bottom, -1);
    }
    return r;
}

void TGeradeLinie::Rotate(const TExtPoint& centre, double angle) {
    RotatePoint(fStart, centre, angle);
    RotatePoint(fEnd, centre, angle);
    Recalc();
}

void TGeradeLinie::Mirror(double axisX, double a, double b) {
    fStart.X = Mirrored(axisX, a, b, fStart.X);
    fEnd.X = Mirrored(axisX, a, b, fEnd.X);
    Recalc();
}

void TGeradeLinie::Scale(double factor) {
    fStart = {fStart.X * factor, fStart.Y * factor};
    fEnd = {fEnd.X * factor, fEnd.Y * factor};
}

void TBogenLinie::Load(TCLStream& stream) {
    TGeradeLinie::Load(stream);
    fSweep = stream.ReadExtended();
    fRadius = stream.ReadExtended();
    fStartAngle = stream.ReadExtended();
}

TExtPoint TBogenLinie::Centre() const {
    return {fStart.X - fRadius * std::sin(fStartAngle), fStart.Y + fRadius * std::cos(fStartAngle)};
}

TRect TBogenLinie::GetMyRect() const {
    TRect r = TGeradeLinie::GetMyRect();
    if (!(fSweep > kPi / 2)) return r;
    // The end points are not in order; sort them first or the samples below
    // could leave an end point outside.
    r = NormalizedRect(r);
    const TExtPoint c = Centre();
    constexpr double kStep = 0.17453292519943295;  // 10 degrees
    // Samples beyond a full turn repeat earlier ones, so a huge sweep from a
    // file costs no more than a circle.
    constexpr int kMaxSamples = 37;
    double phi = 0;
    for (int k = 0; phi < fSweep && k < kMaxSamples; ++k, phi += kStep) {
        const int32_t x = RoundToInt(c.X + fRadius * std::sin(fStartAngle + phi));
        const int32_t y = RoundToInt(c.Y - fRadius * std::cos(fStartAngle + phi));
        r.Left = std::min(r.Left, x);
        r.Right = std::max(r.Right, x);
        r.Top = std::max(r.Top, y);
        r.Bottom = std::min(r.Bottom, y);
    }
    return r;
}

void TBogenLinie::Rotate(const TExtPoint& centre, double angle) {
    AddAngleSigned(fStartAngle, angle);
    TGeradeLinie::Rotate(centre, angle);
}

void TBogenLinie::Mirror(double axisX, double a, double b) {
    TGeradeLinie::Mirror(axisX, a, b);
    // Read from its other end the mirrored arc turns left again.
    std::swap(fStart, fEnd);
    double d = fStartAngle;
    AddAngleSigned(d, fSweep + kPi);
    fStartAngle = kPi - d;
    Recalc();
}

void TBogenLinie::Scale(double factor) {
    TGeradeLinie::Scale(factor);
    fRadius *= factor;
}

TRect TKreisLinie::GetMyRect() const {
    const double x = fStart.X, y = fStart.Y, r = fRadius;
    return {SatAdd(RoundToInt(x - r), -5), SatAdd(RoundToInt(y + r), 5), SatAdd(RoundToInt(x + r), 5),
            SatAdd(RoundToInt(y - r), -5)};
}

void TKreisLinie::Mirror(double axisX, double a, double b) { fStart.X = Mirrored(axisX, a, b, fStart.X); }

}  // namespace tk3d
