#include "WriteTracks.h"

#include <cmath>

namespace tk3dw {

namespace {

constexpr double kPi = 3.14159265358979323846;

void WritePointCurrent(TLayoutWriter& w, const WPoint& p) {
    w.Extended(p.x);
    w.Extended(p.y);
    w.Extended(p.direction);
    w.Integer(p.partnerPoint);
    w.Integer(p.partnerObject);
    w.Cardinal(p.color);
    w.Integer(p.attrWidth);
    w.Integer(p.attrLength);
    w.Extended(p.height);
    w.Bool(p.showHeight);
    w.Byte(p.attrByte);
    w.Integer(p.labelX);
    w.Integer(p.labelY);
    w.Cardinal(p.valueB);
    if (p.version > 8) w.Byte(p.coupling);
    if (p.version > 9) w.Byte(p.flags);
    if (p.version > 10) w.Cardinal(p.valueA);
}

void WritePointOld(TLayoutWriter& w, const WPoint& p) {
    w.Extended(p.x);
    w.Extended(p.y);
    w.Extended(p.direction);
    w.SmallInt(int16_t(p.partnerPoint));
    w.SmallInt(int16_t(p.partnerObject));
    if (p.version >= 2) {
        w.Cardinal(p.color);
        w.SmallInt(int16_t(p.attrWidth));
        w.SmallInt(int16_t(p.attrLength));
    }
    if (p.version >= 3) w.Extended(p.height);
    if (p.version >= 4) w.Bool(p.showHeight);
    if (p.version >= 5) w.Byte(p.attrByte);
    if (p.version >= 6) {
        w.SmallInt(int16_t(p.labelX));
        w.SmallInt(int16_t(p.labelY));
    }
}

void WriteCoordinates(TLayoutWriter& w, const std::array<int32_t, 8>& c, bool wide) {
    for (int32_t v : c) {
        if (wide)
            w.Integer(v);
        else
            w.SmallInt(int16_t(v));
    }
}

void WriteClearance(TLayoutWriter& w, const std::vector<std::pair<int32_t, int32_t>>& points) {
    w.Integer(int32_t(points.size()));
    for (const auto& [x, y] : points) {
        w.Integer(x);
        w.Integer(y);
    }
}

void WriteTrackSection(TLayoutWriter& w, const WTrack& t, const WFormat& f) {
    const int v = t.version;
    const bool sectionEnd = v > 41001;
    const size_t end = sectionEnd ? w.BeginEnd64() : 0;
    WriteCollectionHeader(w, int32_t(t.points.size()), f);
    for (const WPoint& p : t.points) WritePoint(w, p, f);
    w.Extended(t.trackWidth);
    if (v >= 2571)
        w.Extended(t.slope);
    else if (v >= 2564)
        w.SmallInt(int16_t(t.slope));
    if (v >= 2567) {
        if (v >= 2573)
            w.Integer(t.ballastWidth);
        else
            w.SmallInt(int16_t(t.ballastWidth));
        w.Bool(t.ballast);
    }
    if (v >= 2569) w.Cardinal(t.fillColor);
    if (v >= 2573) w.Bool(t.oldPieceFlag);
    if (v >= 2574) {
        w.Bool(t.ties);
        w.Cardinal(t.tieColor);
    }
    if (v > 2582) {
        if (t.states)
            WriteStateList(w, *t.states, f);
        else
            w.NullFrame();
    }
    if (v > 2592) w.Bool(t.clearance);
    if (v > 2599) w.Integer(t.ballastHeight);
    if (v > 2600) {
        w.Integer(t.lengthDivisor);
        w.Bool(t.noTies);
    }
    if (v == 41006)
        w.Zeros(4);
    else if (v > 41006)
        w.Extended(t.gauge);
    if (sectionEnd) {
        w.Zeros(t.unknownTrackBytes);
        w.EndEnd64(end);
    }
}

struct WVec {
    double x, y;
};
WVec Dir(double angle) { return {std::cos(angle), std::sin(angle)}; }

// The parts every generated piece shares.
WTrack GeneratedPiece(const WPlacement& at, const WTrackStyle& style) {
    WTrack t;
    t.x = at.x;
    t.y = at.y;
    t.angle = at.angle;
    t.layer = style.layer;
    t.color = style.lineColor;
    t.trackWidth = style.width;
    t.gauge = style.gauge;
    t.ballastWidth = style.ballastWidth;
    t.ballastHeight = style.ballastHeight;
    t.ballast = style.ballast;
    t.ties = style.ties;
    t.noTies = style.noTies;
    t.fillColor = style.fillColor;
    t.tieColor = style.tieColor;
    return t;
}

WPoint End(double x, double y, double direction, double height) {
    WPoint p;
    p.x = x;
    p.y = y;
    p.direction = direction;
    p.height = height;
    return p;
}

void MakeBlock(WTrack& t, const WTrackStyle& style) {
    if (!style.block) return;
    for (size_t i = 0; i < t.points.size(); ++i) t.points[i].coupling = i % 2 == 0 ? 1 : 2;
}

// A rail line of the curve turning by sweep (negative: right) from (x, y)
// heading `angle`, and the end point with its direction of travel.
WRailLine TurningRail(double x, double y, double angle, double radius, double sweep, double width,
                      WPoint& end) {
    if (sweep >= 0) {
        WRailLine l = CurveRail(x, y, angle, radius, sweep, width);
        end = End(l.x2, l.y2, angle + sweep, 0);
        return l;
    }
    // An arc always turns left: a right turn is stored from its far end.
    const double cx = x + radius * std::sin(angle), cy = y - radius * std::cos(angle);
    const double heading = angle + sweep;
    end = End(cx - radius * std::sin(heading), cy + radius * std::cos(heading), heading, 0);
    return CurveRail(end.x, end.y, heading + kPi, radius, -sweep, width);
}

}  // namespace

void WritePoint(TLayoutWriter& w, const WPoint& p, const WFormat& f) {
    const size_t frame = w.BeginFrame(ids::AnschlussPunkt, f.is32);
    w.Word(p.version);
    if (p.version >= 8)
        WritePointCurrent(w, p);
    else
        WritePointOld(w, p);
    w.EndFrame(frame);
}

void WriteState(TLayoutWriter& w, const WState& s, const WFormat& f) {
    const size_t frame = w.BeginFrame(ids::TrackState, f.is32);
    w.Integer(s.version);
    w.Integer(s.from);
    w.Integer(s.to);
    w.Integer(int32_t(s.lines.size()));
    for (int32_t line : s.lines) w.Integer(line);
    w.EndFrame(frame);
}

void WriteStateList(TLayoutWriter& w, const std::vector<WState>& states, const WFormat& f) {
    const size_t frame = w.BeginFrame(ids::StateList, f.is32);
    WriteCollectionHeader(w, int32_t(states.size()), f);
    for (const WState& s : states) WriteState(w, s, f);
    w.EndFrame(frame);
}

void WriteRailLine(TLayoutWriter& w, const WRailLine& l, const WFormat& f) {
    const bool curve = l.kind == WRailLine::Curve;
    const size_t frame = w.BeginFrame(curve ? ids::BogenSchienenLinie : ids::GeradeSchienenLinie, f.is32);
    const int v = l.version;
    w.Word(l.version);
    w.Extended(l.x1);
    w.Extended(l.y1);
    w.Extended(l.x2);
    w.Extended(l.y2);
    w.Byte(l.segmentFlags);
    const bool wide = v >= 4;
    WriteCoordinates(w, l.outline, wide);
    WriteCoordinates(w, l.outerOutline, wide);
    w.Extended(l.width);
    w.Byte(l.edgeFlags);
    if (wide) {
        w.Integer(l.outerHalfWidth);
        w.Extended(l.baseLength);
        if (v >= 5) w.Extended(l.heightOffset);
    } else {
        if (v != 1) w.SmallInt(int16_t(l.outerHalfWidth));
        if (v == 3) w.Extended(l.baseLength);
    }
    if (v >= 6) {
        WriteClearance(w, l.clearance1);
        WriteClearance(w, l.clearance2);
    }
    if (v >= 7) w.Byte(l.lineFlags);
    if (v >= 8) w.Extended(l.gauge);
    if (curve) {
        w.Extended(l.sweep);
        w.Extended(l.radius);
        w.Extended(l.startAngle);
    }
    w.Zeros(l.trailing);
    w.EndFrame(frame);
}

WRailLine StraightRail(double x1, double y1, double x2, double y2, double width) {
    WRailLine l;
    l.x1 = x1, l.y1 = y1, l.x2 = x2, l.y2 = y2;
    l.width = width;
    l.outerHalfWidth = int32_t(std::lround(width / 2));
    l.baseLength = std::hypot(x2 - x1, y2 - y1);
    return l;
}

WRailLine CurveRail(double x, double y, double startAngle, double radius, double sweep, double width) {
    WRailLine l;
    l.kind = WRailLine::Curve;
    const double cx = x - radius * std::sin(startAngle), cy = y + radius * std::cos(startAngle);
    l.x1 = x, l.y1 = y;
    l.x2 = cx + radius * std::sin(startAngle + sweep);
    l.y2 = cy - radius * std::cos(startAngle + sweep);
    l.width = width;
    l.outerHalfWidth = int32_t(std::lround(width / 2));
    l.baseLength = radius;
    l.sweep = sweep, l.radius = radius, l.startAngle = startAngle;
    return l;
}

void WriteTrack(TLayoutWriter& w, const WTrack& t, const WFormat& f) {
    WRailObject o = t;
    for (const WRailLine& l : t.rails)
        o.moreLines.push_back([l](TLayoutWriter& lw, const WFormat& lf) { WriteRailLine(lw, l, lf); });
    const size_t frame = w.BeginFrame(t.classId, f.is32);
    WriteBasicSection(w, o, f);
    WriteRailObjectSection(w, o, f);
    WriteTrackSection(w, t, f);
    w.EndFrame(frame);
}

WObjectWriter TrackWriter(WTrack t) {
    return [t = std::move(t)](TLayoutWriter& w, const WFormat& f) { WriteTrack(w, t, f); };
}

WTrack StraightTrack(double length, const WPlacement& at, const WTrackStyle& style) {
    WTrack t = GeneratedPiece(at, style);
    const WVec d = Dir(at.angle);
    t.rails.push_back(StraightRail(0, 0, length * d.x, length * d.y, style.width));
    t.points = {End(0, 0, at.angle + kPi, at.height),
                End(length * d.x, length * d.y, at.angle, at.height + at.rise)};
    MakeBlock(t, style);
    return t;
}

WTrack CurveTrack(double radius, double sweep, const WPlacement& at, const WTrackStyle& style) {
    WTrack t = GeneratedPiece(at, style);
    WPoint end;
    t.rails.push_back(TurningRail(0, 0, at.angle, radius, sweep, style.width, end));
    end.height = at.height + at.rise;
    t.points = {End(0, 0, at.angle + kPi, at.height), end};
    MakeBlock(t, style);
    return t;
}

WTrack TurnoutTrack(double length, double radius, double sweep, const WPlacement& at,
                    const WTrackStyle& style) {
    WTrack t = GeneratedPiece(at, style);
    const WVec d = Dir(at.angle);
    t.rails.push_back(StraightRail(0, 0, length * d.x, length * d.y, style.width));
    WPoint branch;
    WRailLine curve = TurningRail(0, 0, at.angle, radius, sweep, style.width, branch);
    // The curve leaves the straight without an edge of its own there.
    curve.edgeFlags = sweep >= 0 ? 2 : 1;
    t.rails.push_back(curve);
    branch.height = at.height;
    t.points = {End(0, 0, at.angle + kPi, at.height), End(length * d.x, length * d.y, at.angle, at.height),
                branch};
    MakeBlock(t, style);
    return t;
}

WTrack CrossingTrack(double length, double crossingAngle, const WPlacement& at, const WTrackStyle& style) {
    WTrack t = GeneratedPiece(at, style);
    const WVec u = Dir(at.angle), v = Dir(at.angle + crossingAngle);
    const double h = length / 2;
    const double mx = h * u.x, my = h * u.y;
    t.rails.push_back(StraightRail(0, 0, length * u.x, length * u.y, style.width));
    t.rails.push_back(StraightRail(mx - h * v.x, my - h * v.y, mx + h * v.x, my + h * v.y, style.width));
    t.points = {End(0, 0, at.angle + kPi, at.height), End(length * u.x, length * u.y, at.angle, at.height),
                End(mx - h * v.x, my - h * v.y, at.angle + crossingAngle + kPi, at.height),
                End(mx + h * v.x, my + h * v.y, at.angle + crossingAngle, at.height)};
    MakeBlock(t, style);
    return t;
}

WTrack TurntableTrack(double radius, int tracks, const WPlacement& at, const WTrackStyle& style) {
    WTrack t = GeneratedPiece(at, style);
    t.classId = ids::Turntable;
    WLine pit{.kind = WLine::Circle, .radius = radius};
    t.lines.push_back(pit);
    const WVec d = Dir(at.angle);
    t.rails.push_back(StraightRail(-radius * d.x, -radius * d.y, radius * d.x, radius * d.y, style.width));
    for (int k = 0; k < tracks; ++k) {
        const double a = at.angle + 2 * kPi * k / tracks;
        t.points.push_back(End(radius * std::cos(a), radius * std::sin(a), a, at.height));
    }
    MakeBlock(t, style);
    return t;
}

WPlacement ContinueAt(const WTrack& t, size_t point) {
    const WPoint& p = t.points.at(point);
    return {t.x + p.x, t.y + p.y, p.direction, p.height, 0};
}

void Connect(WTrack& a, int32_t indexA, int32_t pointA, WTrack& b, int32_t indexB, int32_t pointB) {
    a.points.at(size_t(pointA)).partnerObject = indexB;
    a.points.at(size_t(pointA)).partnerPoint = pointB;
    b.points.at(size_t(pointB)).partnerObject = indexA;
    b.points.at(size_t(pointB)).partnerPoint = pointA;
}

}  // namespace tk3dw
