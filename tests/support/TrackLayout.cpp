#include "TrackLayout.h"

#include <cmath>

namespace tk3dw {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRadius = 360;
constexpr double kStraight = 200;

WRailObject Ramp(const WPlacement& at, double length, double width, double height) {
    WRailObject r;
    r.x = at.x;
    r.y = at.y;
    r.height = height;
    r.color = 0x00008000;
    const double c = std::cos(at.angle), s = std::sin(at.angle);
    const double px[4] = {0, length * c, length * c - width * s, -width * s};
    const double py[4] = {0, length * s, length * s + width * c, width * c};
    for (int i = 0; i < 4; ++i)
        r.lines.push_back({.x1 = px[i], .y1 = py[i], .x2 = px[(i + 1) % 4], .y2 = py[(i + 1) % 4]});
    return r;
}

}  // namespace

WDocument TrackLayoutDocument(WTrackLayoutIndex* index) {
    std::vector<WTrack> pieces;
    auto add = [&](WTrack t) {
        pieces.push_back(std::move(t));
        return int32_t(pieces.size() - 1);
    };
    auto next = [&](int32_t i, size_t point) { return ContinueAt(pieces[size_t(i)], point); };
    WTrackLayoutIndex at;

    // The oval, counter-clockwise from the origin; the turnout's branch
    // leaves it to the right, outwards.
    int32_t last = add(StraightTrack(kStraight, {}));
    at.turnout = add(TurnoutTrack(kStraight, kRadius, -kPi / 12, next(last, 1)));
    last = add(StraightTrack(kStraight, next(at.turnout, 1)));
    at.firstCurve = last + 1;
    for (int i = 0; i < 6; ++i) last = add(CurveTrack(kRadius, kPi / 6, next(last, 1)));
    for (int i = 0; i < 3; ++i) last = add(StraightTrack(kStraight, next(last, 1)));
    for (int i = 0; i < 6; ++i) last = add(CurveTrack(kRadius, kPi / 6, next(last, 1)));
    for (int32_t i = 0; i < last; ++i) Connect(pieces[size_t(i)], i, 1, pieces[size_t(i + 1)], i + 1, 0);
    Connect(pieces[size_t(last)], last, 1, pieces[0], 0, 0);

    // The branch rises 15 mm per piece to a turntable at its height.
    WPlacement branch = next(at.turnout, 2);
    branch.rise = 15;
    at.rising = add(StraightTrack(kStraight, branch));
    WPlacement second = next(at.rising, 1);
    second.rise = 15;
    add(StraightTrack(kStraight, second));
    Connect(pieces[size_t(at.turnout)], at.turnout, 2, pieces[size_t(at.rising)], at.rising, 0);
    Connect(pieces[size_t(at.rising)], at.rising, 1, pieces[size_t(at.rising + 1)], at.rising + 1, 0);
    WPlacement table = next(at.rising + 1, 1);
    table.x += 150 * std::cos(table.angle);
    table.y += 150 * std::sin(table.angle);
    constexpr int kTracks = 12;
    at.turntable = add(TurntableTrack(150, kTracks, table));
    Connect(pieces[size_t(at.rising + 1)], at.rising + 1, 1, pieces[size_t(at.turntable)], at.turntable, kTracks / 2);

    at.crossing = add(CrossingTrack(240, kPi / 3, {.x = 180, .y = 300}));

    WTrackStyle block;
    block.block = true;
    block.fillColor = 0x00A0A0A0;
    at.block = add(StraightTrack(300, {.x = 0, .y = 1000}, block));
    add(CurveTrack(400, kPi / 4, next(at.block, 1), block));
    Connect(pieces[size_t(at.block)], at.block, 1, pieces[size_t(at.block + 1)], at.block + 1, 0);

    WDocument d;
    for (WTrack& t : pieces) d.objects.push_back(TrackWriter(std::move(t)));
    // The ramp lies beside the rising straights, at their middle height.
    WPlacement rampAt = next(at.turnout, 2);
    rampAt.x += 60 * std::sin(rampAt.angle);
    rampAt.y -= 60 * std::cos(rampAt.angle);
    at.ramp = int32_t(d.objects.size());
    d.objects.push_back(RailObjectWriter(Ramp(rampAt, 2 * kStraight, 40, 15), ids::Rampe));
    at.count = int32_t(d.objects.size());
    if (index) *index = at;
    return d;
}

std::vector<uint8_t> TrackLayoutFile(bool showTies, bool showBallast) {
    WRecord record = DefaultRecord();
    record.Byte(504, showTies ? 1 : 0);
    record.Byte(9, showBallast ? 1 : 0);
    TLayoutWriter w;
    WriteVersionedHeader(w, 608);
    WriteCurrentSettings(w, record);
    WriteDocument(w, TrackLayoutDocument());
    return w.bytes;
}

}  // namespace tk3dw
