#include "TrackLayout.h"

#include <cmath>
#include <iterator>

namespace tk3dw {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRadius = 360;
constexpr double kStraight = 200;
// Layouts lie right of and below the origin, as on the planner's board.
constexpr double kLeft = 500, kTop = -1300;

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

std::vector<uint8_t> FileWithSwitches(const WDocument& d, bool showTies, bool showBallast) {
    WRecord record = DefaultRecord();
    record.Byte(504, showTies ? 1 : 0);
    record.Byte(9, showBallast ? 1 : 0);
    TLayoutWriter w;
    WriteVersionedHeader(w, 608);
    WriteCurrentSettings(w, record);
    WriteDocument(w, d);
    return w.bytes;
}

// Pieces of the current version with every optional part in use.
WDocument CurrentPieces() {
    WTrack straight = StraightTrack(100, {.height = 5, .rise = 10});
    straight.rails[0].clearance1 = {{0, 40}, {100, 40}};
    straight.rails[0].heightOffset = 2;
    straight.clearance = true;
    straight.points[1].showHeight = true;
    WTrack curve = CurveTrack(360, -kPi / 6, ContinueAt(straight, 1));
    curve.rails[0].gauge = 9;
    Connect(straight, 0, 1, curve, 1, 0);
    WTrack turnout = TurnoutTrack(200, 400, 0.3, {.x = 0, .y = -200});
    turnout.states =
        std::vector<WState>{{.from = 0, .to = 1, .lines = {0}}, {.from = 0, .to = 2, .lines = {1}}};
    WTrackStyle block;
    block.block = true;
    block.width = 40;
    WTrack table = TurntableTrack(100, 6, {.x = 500, .y = -300, .height = 20});
    table.lines.clear();  // the pit circle's thousands of segments would slow the sweeps
    WTrack platform = CrossingTrack(120, kPi / 2, {.x = 700, .y = -300});
    platform.classId = ids::Platform;
    WDocument d;
    for (WTrack* t : {&straight, &curve, &turnout}) d.objects.push_back(TrackWriter(*t));
    d.objects.push_back(TrackWriter(StraightTrack(100, {.x = 0, .y = -400}, block)));
    d.objects.push_back(TrackWriter(CurveTrack(300, kPi / 8, {.x = 100, .y = -400}, block)));
    for (WTrack* t : {&table, &platform}) d.objects.push_back(TrackWriter(*t));
    return d;
}

// The same kinds of piece in the layouts of older versions.
WDocument OldPieces(bool is32) {
    WDocument d;
    const uint16_t objectVersions[] = {2563, 2565, 2569, 2574, 2583, 2600, 41002, 41006};
    for (size_t i = 0; i < std::size(objectVersions); ++i) {
        const uint16_t v = objectVersions[i];
        if (!is32 && v > 2597) break;
        WTrack t = i % 2 ? CurveTrack(300, kPi / 8, {.y = -100.0 * double(i)})
                         : StraightTrack(150, {.y = -100.0 * double(i)});
        t.version = v;
        t.rails[0].version = uint16_t(1 + i % 8);
        for (WPoint& p : t.points) p.version = uint16_t(1 + (i + 3) % 11);
        t.fillPoints = {{.brush = 0}, {.x = 3, .brush = 1}};
        if (v > 2582) t.states = std::vector<WState>{{.from = 0, .to = 1, .lines = {0}}};
        d.objects.push_back(TrackWriter(std::move(t)));
    }
    return d;
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
    int32_t last = add(StraightTrack(kStraight, {.x = kLeft, .y = kTop}));
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
    Connect(pieces[size_t(at.rising + 1)], at.rising + 1, 1, pieces[size_t(at.turntable)], at.turntable,
            kTracks / 2);

    at.crossing = add(CrossingTrack(240, kPi / 3, {.x = kLeft + 180, .y = kTop + 300}));

    WTrackStyle block;
    block.block = true;
    block.width = 40;  // the grooves lie 9 and 16 mm from the middle
    block.fillColor = 0x00A0A0A0;
    at.block = add(StraightTrack(300, {.x = kLeft, .y = kTop + 1000}, block));
    add(CurveTrack(400, kPi / 4, next(at.block, 1), block));
    Connect(pieces[size_t(at.block)], at.block, 1, pieces[size_t(at.block + 1)], at.block + 1, 0);

    // The ramp lies beside the rising straights, at their middle height.
    WPlacement rampAt = next(at.turnout, 2);
    rampAt.x += 60 * std::sin(rampAt.angle);
    rampAt.y -= 60 * std::cos(rampAt.angle);
    WDocument d;
    for (WTrack& t : pieces) d.objects.push_back(TrackWriter(std::move(t)));
    at.ramp = int32_t(d.objects.size());
    d.objects.push_back(RailObjectWriter(Ramp(rampAt, 2 * kStraight, 40, 15), ids::Rampe));
    at.count = int32_t(d.objects.size());
    if (index) *index = at;
    return d;
}

std::vector<WNamedLayout> TrackSeedLayouts() {
    return {{"tracks-oval", TrackLayoutFile(true, true)},
            {"tracks-current", FileWithSwitches(CurrentPieces(), true, true)},
            {"tracks-old", LayoutFile(OldPieces(true), {.ansi = true})},
            {"tracks-16bit", LayoutFile(OldPieces(false), {.is32 = false})}};
}

std::vector<uint8_t> TrackLayoutFile(bool showTies, bool showBallast) {
    return FileWithSwitches(TrackLayoutDocument(), showTies, showBallast);
}

}  // namespace tk3dw
