#include "tracks/RailLines.h"

#include <algorithm>
#include <cmath>

#include "layoutfile/GlobalState.h"
#include "layoutfile/Stream.h"
#include "tracks/Schiene.h"
#include "tracks/TrackHelpers.h"

namespace tk3d {

namespace {

void ReadPoints(TCLStream& stream, std::array<TPoint, 4>& points, bool wide) {
    for (TPoint& p : points) {
        p.X = wide ? stream.ReadInteger() : stream.ReadSmallInt();
        p.Y = wide ? stream.ReadInteger() : stream.ReadSmallInt();
    }
}

std::array<TPoint, 4> Rounded(const std::array<TExtPoint, 4>& points) {
    std::array<TPoint, 4> r;
    for (size_t i = 0; i < 4; ++i) r[i] = RoundPoint(points[i]);
    return r;
}

TExtPoint Offset(const TExtPoint& p, double dx, double dy) { return {p.X + dx, p.Y + dy}; }

}  // namespace

void TGeradeSchienenLinie::Load(TCLStream& stream) {
    TGeradeLinie::Load(stream);
    const uint16_t v = fVersion;
    const bool wide = v >= 4;
    ReadPoints(stream, fOutline, wide);
    ReadPoints(stream, fOuterOutline, wide);
    fWidth = ReadFiniteOrZero(stream);
    fEdgeFlags = stream.ReadByte();
    if (wide) {
        fOuterHalfWidth = stream.ReadInteger();
        fBaseLength = ReadFiniteOrZero(stream);
        fHeightOffset = v >= 5 ? ReadFiniteOrZero(stream) : 0;
    } else {
        fOuterHalfWidth = v == 1 ? RoundToInt(fWidth) : stream.ReadSmallInt();
        if (v < 3)
            ComputeBaseLength();
        else
            fBaseLength = ReadFiniteOrZero(stream);
        fHeightOffset = 0;
    }
    if (v >= 6) {
        ReadClearance(stream, fClearance1);
        ReadClearance(stream, fClearance2);
    }
    if (v >= 7) fLineFlags = stream.ReadByte();
    if (v >= 8) fLineGauge = ReadFiniteOrZero(stream);
    fLineFlags &= uint8_t(~1u);
}

void TGeradeSchienenLinie::ReadClearance(TCLStream& stream, std::unique_ptr<TPointArrayClass>& list) {
    const int32_t count = stream.ReadCount(8);
    list.reset();
    if (count == 0) return;
    list = std::make_unique<TPointArrayClass>();
    for (int32_t i = 0; i < count; ++i) {
        TPoint p;
        p.X = stream.ReadInteger();
        p.Y = stream.ReadInteger();
        list->AddPoint(p);
    }
}

void TGeradeSchienenLinie::SetEndPoints(const TExtPoint& start, const TExtPoint& end) {
    TGeradeLinie::SetEndPoints(start, end);
    ComputeBaseLength();
}

void TGeradeSchienenLinie::ComputeBaseLength() { fBaseLength = PointDistance(fStart, fEnd); }

double TGeradeSchienenLinie::Length() const { return fEdgeFlags == kEdgeNoLength ? 0 : fBaseLength; }

double TGeradeSchienenLinie::RailGauge() const {
    if (std::fabs(fLineGauge) > 1e-16) return fLineGauge;
    if (const TSchiene* piece = Piece(); piece && piece->fGauge != 0) return piece->fGauge;
    return fWidth / 30 * 16.5;
}

const TSchiene* TGeradeSchienenLinie::Piece() const { return dynamic_cast<const TSchiene*>(fOwner); }

std::array<TExtPoint, 4> TGeradeSchienenLinie::OuterOutlineFor(double halfWidth) const {
    const double alpha = DirectionAngle(fStart, fEnd);
    const double ox = -halfWidth * std::sin(alpha), oy = halfWidth * std::cos(alpha);
    return {Offset(fStart, ox, oy), Offset(fStart, -ox, -oy), Offset(fEnd, -ox, -oy), Offset(fEnd, ox, oy)};
}

void TGeradeSchienenLinie::Recalc() {
    const double alpha = DirectionAngle(fStart, fEnd);
    const double lx = -fWidth / 2 * std::sin(alpha), ly = fWidth / 2 * std::cos(alpha);
    fOutlineExt = {Offset(fStart, lx, ly), Offset(fStart, -lx, -ly), Offset(fEnd, -lx, -ly),
                   Offset(fEnd, lx, ly)};
    fOutline = Rounded(fOutlineExt);
    fOuterOutlineExt = OuterOutlineFor(fOuterHalfWidth);
    fOuterOutline = Rounded(fOuterOutlineExt);
}

TRect TGeradeSchienenLinie::OuterOutlineRect() const {
    // An outer outline narrower than the band is taken just wider than it.
    const std::array<TPoint, 4> points =
        fWidth > fOuterHalfWidth ? Rounded(OuterOutlineFor(RoundToInt(fWidth) + 1.0)) : fOuterOutline;
    TRect r = EmptyUnionRect();
    for (const TPoint& p : points) WidenByPoint(r, p);
    return r;
}

void TGeradeSchienenLinie::AddClearances(TRect& r) const {
    const TSchiene* piece = Piece();
    if (!piece || !piece->HasTrackFlag(TSchiene::kClearanceFlag) || !GlobalSettings.OutlinesInRect()) return;
    for (const auto* list : {fClearance1.get(), fClearance2.get()}) {
        if (!list) continue;
        for (const TPoint& p : list->Items()) {
            r.Left = std::min(r.Left, p.X);
            r.Right = std::max(r.Right, SatAdd(p.X, 1));
            r.Top = std::max(r.Top, p.Y);
            r.Bottom = std::min(r.Bottom, SatAdd(p.Y, -1));
        }
    }
}

TRect TGeradeSchienenLinie::GetMyRect() const {
    TRect r = EmptyUnionRect();
    const bool outerHoldsBand = fWidth <= 2.0 * fOuterHalfWidth;
    if (outerHoldsBand) r = OuterOutlineRect();
    if (!outerHoldsBand || fEdgeFlags != (kEdgeStart | kEdgeEnd))
        for (const TPoint& p : fOutline) WidenByPoint(r, p);
    AddClearances(r);
    return r;
}

void TBogenSchienenLinie::Load(TCLStream& stream) {
    TGeradeSchienenLinie::Load(stream);
    fSweep = ReadFiniteOrZero(stream);
    fRadius = ReadFiniteOrZero(stream);
    fStartAngle = ReadFiniteOrZero(stream);
    if (fVersion < 3) ComputeBaseLength();
}

TExtPoint TBogenSchienenLinie::Centre() const {
    return {fStart.X - fRadius * std::sin(fStartAngle), fStart.Y + fRadius * std::cos(fStartAngle)};
}

std::array<TExtPoint, 4> TBogenSchienenLinie::OuterOutlineFor(double halfWidth) const {
    const double t0 = fStartAngle, t1 = fStartAngle + fSweep;
    const double x0 = -halfWidth * std::sin(t0), y0 = halfWidth * std::cos(t0);
    const double x1 = -halfWidth * std::sin(t1), y1 = halfWidth * std::cos(t1);
    return {Offset(fStart, x0, y0), Offset(fStart, -x0, -y0), Offset(fEnd, x1, y1), Offset(fEnd, -x1, -y1)};
}

void TBogenSchienenLinie::Recalc() {
    fOutlineExt = {fStart, fEnd, Centre(), TExtPoint{fRadius - fWidth / 2, fRadius + fWidth / 2}};
    fOutline = Rounded(fOutlineExt);
    fOuterOutlineExt = OuterOutlineFor(fOuterHalfWidth);
    fOuterOutline = Rounded(fOuterOutlineExt);
}

TRect TBogenSchienenLinie::GetMyRect() const {
    TRect r = OuterOutlineRect();
    // The centre line's extremes at the quarter turns the arc passes.
    constexpr double kQuarter = kPi / 2;
    double p0 = fStartAngle;
    AddAngleSigned(p0, -kQuarter);
    if (p0 < 0) p0 += 2 * kPi;
    const double p1 = p0 + fSweep;
    const TPoint c = fOutline[2];
    // Four quarter turns reach every extreme; a longer sweep adds nothing.
    int k = int(std::ceil(p0 / kQuarter));
    for (int steps = 0; steps < 4 && k * kQuarter < p1; ++k, ++steps) {
        const double angle = k * kQuarter;
        if (k % 2 == 0) {
            const int32_t x = RoundToInt(c.X + fRadius * std::cos(angle));
            r.Left = std::min(r.Left, x);
            r.Right = std::max(r.Right, x);
        } else {
            const int32_t y = RoundToInt(c.Y + fRadius * std::sin(angle));
            r.Top = std::max(r.Top, y);
            r.Bottom = std::min(r.Bottom, y);
        }
    }
    return r;
}

}  // namespace tk3d
