// Fixture helpers for tracks: connection points, track states, rail lines
// and track pieces of every version, turntables and platforms; and, for
// generated layouts, whole pieces of the current version from a few
// parameters (a straight, a curve, a turnout, a crossing, a turntable).
// Written from the format description, independently of the reader.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "WriteObjects.h"

namespace tk3dw {

namespace ids {
constexpr int16_t AnschlussPunkt = 10001;
constexpr int16_t AnschlussColl = 10002;
constexpr int16_t Schiene = 10007;
constexpr int16_t GeradeSchienenLinie = 10009;
constexpr int16_t BogenSchienenLinie = 10010;
constexpr int16_t TrackState = 10037;
constexpr int16_t Turntable = 10039;
constexpr int16_t Platform = 10040;
constexpr int16_t StateList = 11002;
constexpr int16_t LineList = 11003;
}  // namespace ids

// A connection point in the layout of its version (11 is current).
struct WPoint {
    uint16_t version = 11;
    double x = 0, y = 0;
    double direction = 0;  // radians, the way the track leaves the piece
    int32_t partnerObject = -1, partnerPoint = -1;
    uint32_t color = 0;
    int32_t attrWidth = 0, attrLength = 10;
    double height = 0;
    bool showHeight = false;
    uint8_t attrByte = 0;
    int32_t labelX = 0, labelY = -20;
    uint32_t valueB = 0x00FFFFFF;
    uint8_t coupling = 0;          // from version 9
    uint8_t flags = 0;             // from version 10
    uint32_t valueA = 0x000000FF;  // from version 11
};
void WritePoint(TLayoutWriter& w, const WPoint& p, const WFormat& f = {});

struct WState {
    int32_t version = 1;
    int32_t from = -1, to = -1;
    std::vector<int32_t> lines;
};
void WriteState(TLayoutWriter& w, const WState& s, const WFormat& f = {});
// A framed TStateList.
void WriteStateList(TLayoutWriter& w, const std::vector<WState>& states, const WFormat& f = {});

// A straight or curved rail line in the layout of its version (8 is current).
struct WRailLine {
    enum Kind { Straight, Curve } kind = Straight;
    uint16_t version = 8;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    uint8_t segmentFlags = 0;
    // Outlines as stored (X, Y for four corners); the reader recomputes them.
    std::array<int32_t, 8> outline{};
    std::array<int32_t, 8> outerOutline{};
    double width = 30;
    uint8_t edgeFlags = 3;
    int32_t outerHalfWidth = 15;
    double baseLength = 0;
    double heightOffset = 0;                                          // from version 5
    std::vector<std::pair<int32_t, int32_t>> clearance1, clearance2;  // from version 6
    uint8_t lineFlags = 0;                                            // from version 7
    double gauge = 0;                                                 // from version 8
    double sweep = 0, radius = 0, startAngle = 0;                     // curves
    size_t trailing = 0;                                              // extra bytes inside the frame
};
void WriteRailLine(TLayoutWriter& w, const WRailLine& l, const WFormat& f = {});

// Rail lines with their length as laid: a straight from (x1, y1) to
// (x2, y2), and an arc turning left from (x, y) in the direction
// startAngle (radians) by sweep about a centre at the given radius.
WRailLine StraightRail(double x1, double y1, double x2, double y2, double width = 30);
WRailLine CurveRail(double x, double y, double startAngle, double radius, double sweep, double width = 30);

// A track piece of any version (the object version of WBasic), or a
// turntable or platform with the same layout.
struct WTrack : WRailObject {
    std::vector<WPoint> points;
    std::vector<WRailLine> rails;  // after the plain `lines`
    double trackWidth = 30;
    double slope = 0;
    int32_t ballastWidth = 10;
    bool ballast = true;
    uint32_t fillColor = 0x00C0C0C0;
    bool oldPieceFlag = true;
    bool ties = true;
    uint32_t tieColor = 0x00004080;
    // Written as a framed TStateList; none writes an empty frame.
    std::optional<std::vector<WState>> states;
    bool clearance = false;
    int32_t ballastHeight = 5;
    int32_t lengthDivisor = 1;
    bool noTies = false;
    double gauge = 0;
    size_t unknownTrackBytes = 0;  // appended inside the track section's end
    int16_t classId = ids::Schiene;
};
void WriteTrack(TLayoutWriter& w, const WTrack& t, const WFormat& f = {});
WObjectWriter TrackWriter(WTrack t);

// Where a generated piece lies: its start point, the direction of travel
// there (radians), the height of its start and how much higher its far end
// lies (two-ended pieces only).
struct WPlacement {
    double x = 0, y = 0;
    double angle = 0;
    double height = 0;
    double rise = 0;
};

// The look of a generated piece.
struct WTrackStyle {
    double width = 30;  // band width W (and the piece's track width)
    double gauge = 0;   // 0: from the width
    int32_t ballastWidth = 10;
    int32_t ballastHeight = 5;
    bool ballast = true;
    bool ties = true;
    bool noTies = false;
    bool block = false;  // coupled ends: drawn as a solid block
    uint32_t fillColor = 0x00C0C0C0;
    uint32_t tieColor = 0x00004080;
    uint32_t lineColor = 0x00000000;
    int32_t layer = 0;
};

// Pieces of the current version. Point 0 lies at the placement; a curve
// with a negative sweep turns right; a turnout's point 1 ends its straight
// route and point 2 its diverging one; a crossing joins points 0-1 and 2-3.
WTrack StraightTrack(double length, const WPlacement& at, const WTrackStyle& style = {});
WTrack CurveTrack(double radius, double sweep, const WPlacement& at, const WTrackStyle& style = {});
WTrack TurnoutTrack(double length, double radius, double sweep, const WPlacement& at,
                    const WTrackStyle& style = {});
WTrack CrossingTrack(double length, double crossingAngle, const WPlacement& at,
                     const WTrackStyle& style = {});
// A turntable: a pit circle, a bridge across it and `tracks` points
// around it, every one at the placement's height.
WTrack TurntableTrack(double radius, int tracks, const WPlacement& at, const WTrackStyle& style = {});

// The placement that continues a piece at one of its points.
WPlacement ContinueAt(const WTrack& t, size_t point);
// Records the partners of two pieces that meet, by their document indices.
void Connect(WTrack& a, int32_t indexA, int32_t pointA, WTrack& b, int32_t indexB, int32_t pointB);

}  // namespace tk3dw
