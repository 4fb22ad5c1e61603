#include "DemoLayout.h"

#include <cmath>

namespace tk3d::gen {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kLongest = 250;  // sectional straights are at most this long

// The oval lies right of and below the origin, as on the planner's board:
// its straights run east along the bottom from (kWest, kSouth) and back
// west along the top; the outer track lies kSpacing outside the inner one.
constexpr double kWest = 1400, kSouth = -2000;
constexpr double kStraights = 2600;
constexpr double kOuterRadius = 700;
constexpr double kSpacing = 64;
constexpr int kCurvesPerHalf = 6;
// Station track, sidings and branch lie this far beside their track.
constexpr double kLoopSpacing = 110;
constexpr double kStationLength = 900;
constexpr double kUpperLevel = 90;
// Where things lie along the straights.
constexpr double kBeforeStation = 300;  // from the west end of the bottom straight
constexpr double kBeforeSidings = 300;  // likewise, on the inner track
constexpr double kBeforeBranch = 250;   // from the east end of the top straight
constexpr double kBranchToCrossover = 500;
constexpr double kClimbBeyondOval = 300;  // the branch climbs until this far west of the straights
constexpr double kTurntableRadius = 150;
constexpr int kTurntableTracks = 24;

constexpr TTurnoutShape kTurnout;

tk3dw::WTrackStyle MainStyle() {
    tk3dw::WTrackStyle s;
    s.fillColor = 0x00A8A8A8;
    s.tieColor = 0x00204060;
    return s;
}

// The branch and the engine yard are ballasted in a warmer colour.
tk3dw::WTrackStyle BranchStyle() {
    tk3dw::WTrackStyle s = MainStyle();
    s.fillColor = 0x0090A8B8;
    return s;
}

TTrackEnd LayStraight(TTrackPlan& plan, TTrackEnd from, double length, const tk3dw::WTrackStyle& style,
                      double rise = 0) {
    const int pieces = std::max(1, int(std::ceil(length / kLongest)));
    for (int i = 0; i < pieces; ++i)
        from = plan.Lay(tk3dw::StraightTrack(length / pieces, plan.Beyond(from, rise / pieces), style), from);
    return from;
}

TTrackEnd LayCurves(TTrackPlan& plan, TTrackEnd from, double radius, double sweep, int pieces,
                    const tk3dw::WTrackStyle& style) {
    for (int i = 0; i < pieces; ++i)
        from = plan.Lay(tk3dw::CurveTrack(radius, sweep / pieces, plan.Beyond(from), style), from);
    return from;
}

// The straight that takes a track from a turnout's branch to a parallel
// track `offset` to its side, between the branch's curve and the curve back.
double Diagonal(double offset) {
    const double a = kTurnout.Angle;
    return (offset - 2 * kTurnout.Radius * (1 - std::cos(a))) / std::sin(a);
}

// How far along the track that move to the side takes.
double SideStep(double offset) {
    const double a = kTurnout.Angle;
    return 2 * kTurnout.Radius * std::sin(a) + Diagonal(offset) * std::cos(a);
}

// From a turnout's branch (diverging to `side`) over the diagonal and the
// curve back to a track parallel to the turnout's, `offset` away.
TTrackEnd LayToParallel(TTrackPlan& plan, TTrackEnd branch, int side, double offset,
                        const tk3dw::WTrackStyle& style) {
    const TTrackEnd diagonal = LayStraight(plan, branch, Diagonal(offset), style);
    return LayCurves(plan, diagonal, kTurnout.Radius, -side * kTurnout.Angle, 1, style);
}

// A buffer stop: a short solid block at the end of a track.
void LayBuffer(TTrackPlan& plan, TTrackEnd end) {
    tk3dw::WTrackStyle s;
    s.block = true;
    s.ties = false;
    s.ballast = false;
    s.width = 36;
    s.fillColor = 0x000000B0;
    plan.Lay(tk3dw::StraightTrack(25, plan.Beyond(end), s));
}

// A platform: a wide solid block without ties, not joined to any track.
void LayPlatform(TTrackPlan& plan, const tk3dw::WPlacement& at, double length, double width) {
    tk3dw::WTrackStyle s;
    s.block = true;
    s.ties = false;
    s.ballast = false;
    s.width = width;
    s.fillColor = 0x00C8D8E0;
    plan.Lay(tk3dw::StraightTrack(length, at, s));
}

// The bottom straight of the outer track with the station: a turnout at
// each end of a loop on the outside, and an island platform between.
TTrackEnd LayStation(TTrackPlan& plan, TTrackEnd from) {
    const tk3dw::WTrackStyle style = MainStyle();
    const double loop = 2 * SideStep(kLoopSpacing) + kStationLength;
    const tk3dw::WPlacement entry = plan.Beyond(from);
    const TTrackEnd facing = plan.Lay(FacingTurnout(kTurnout, entry, -1, style), from, 0, 1);
    TTrackEnd main = LayStraight(plan, facing, loop - 2 * kTurnout.Length, style);
    const TTrackEnd trailing = plan.Lay(TrailingTurnout(kTurnout, plan.Beyond(main), -1, style), main, 1, 0);

    TTrackEnd station = LayToParallel(plan, {facing.Piece, 2}, -1, kLoopSpacing, style);
    const tk3dw::WPlacement platformAt = plan.Beyond(station);
    station = LayStraight(plan, station, kStationLength, style);
    station = LayCurves(plan, station, kTurnout.Radius, kTurnout.Angle, 1, style);
    station = LayStraight(plan, station, Diagonal(kLoopSpacing), style);
    plan.Close(station, {trailing.Piece, 2});

    // The platform lies midway between the main and the station track.
    tk3dw::WPlacement at = platformAt;
    at.x += 50;
    at.y += kLoopSpacing / 2;
    LayPlatform(plan, at, kStationLength - 100, 50);
    return trailing;
}

// Two goods sidings inside the oval, off the inner track's bottom straight.
TTrackEnd LaySidings(TTrackPlan& plan, TTrackEnd from) {
    const tk3dw::WTrackStyle style = MainStyle();
    const TTrackEnd turnout = plan.Lay(FacingTurnout(kTurnout, plan.Beyond(from), 1, style), from, 0, 1);
    TTrackEnd siding = LayToParallel(plan, {turnout.Piece, 2}, 1, kLoopSpacing, style);
    siding = LayStraight(plan, siding, 200, style);
    const TTrackEnd second = plan.Lay(FacingTurnout(kTurnout, plan.Beyond(siding), 1, style), siding, 0, 1);
    LayBuffer(plan, LayStraight(plan, second, 800, style));
    const TTrackEnd upper = LayToParallel(plan, {second.Piece, 2}, 1, kLoopSpacing, style);
    LayBuffer(plan, LayStraight(plan, upper, 600, style));
    return turnout;
}

// The branch: it leaves the outer track's top straight to the north, runs
// west behind the oval while it climbs to the upper level, and ends at a
// turntable with engine stalls fanning out to the west and north.
void LayBranch(TTrackPlan& plan, TTrackEnd branchPoint) {
    const tk3dw::WTrackStyle style = BranchStyle();
    TTrackEnd end = LayToParallel(plan, branchPoint, -1, kLoopSpacing, style);
    const double climb = plan.Beyond(end).x - (kWest - kClimbBeyondOval);
    end = LayStraight(plan, end, climb, style, kUpperLevel);
    end = LayStraight(plan, end, 250, style);

    tk3dw::WPlacement centre = plan.Beyond(end);
    centre.x += kTurntableRadius * std::cos(centre.angle);
    centre.y += kTurntableRadius * std::sin(centre.angle);
    const TTrackEnd table = plan.Lay(tk3dw::TurntableTrack(kTurntableRadius, kTurntableTracks, centre, style),
                                     end, kTurntableTracks / 2, 0);
    for (int k : {0, 22, 20, 18}) LayBuffer(plan, LayStraight(plan, {table.Piece, k}, 300, style));
}

}  // namespace

TTrackPlan DemoPlan() {
    TTrackPlan plan;
    const tk3dw::WTrackStyle style = MainStyle();
    const double innerRadius = kOuterRadius - kSpacing;

    // Outer track, counter-clockwise from the west end of the bottom straight.
    const TTrackEnd outerStart =
        plan.Lay(tk3dw::StraightTrack(kBeforeStation, {.x = kWest, .y = kSouth}, style));
    TTrackEnd outer = LayStation(plan, outerStart);
    outer = LayStraight(plan, outer,
                        kStraights - kBeforeStation - 2 * SideStep(kLoopSpacing) - kStationLength, style);
    outer = LayCurves(plan, outer, kOuterRadius, kPi, kCurvesPerHalf, style);
    // Top straight, westwards: the branch turnout, then the crossover.
    outer = LayStraight(plan, outer, kBeforeBranch, style);
    const TTrackEnd branch = plan.Lay(FacingTurnout(kTurnout, plan.Beyond(outer), -1, style), outer, 0, 1);
    outer = LayStraight(plan, branch, kBranchToCrossover, style);
    const double crossoverAt = kStraights - kBeforeBranch - kTurnout.Length - kBranchToCrossover;
    const TTrackEnd crossover = plan.Lay(FacingTurnout(kTurnout, plan.Beyond(outer), 1, style), outer, 0, 1);
    outer = LayStraight(plan, crossover, crossoverAt - kTurnout.Length, style);
    outer = LayCurves(plan, outer, kOuterRadius, kPi, kCurvesPerHalf, style);
    plan.Close(outer, {outerStart.Piece, 0});

    // Inner track, the same way round.
    const TTrackEnd innerStart =
        plan.Lay(tk3dw::StraightTrack(kBeforeSidings, {.x = kWest, .y = kSouth + kSpacing}, style));
    TTrackEnd inner = LaySidings(plan, innerStart);
    inner = LayStraight(plan, inner, kStraights - kBeforeSidings - kTurnout.Length, style);
    inner = LayCurves(plan, inner, innerRadius, kPi, kCurvesPerHalf, style);
    // The crossover's second turnout takes the diagonal from the outer track.
    const double beforeCrossover = kStraights - crossoverAt + SideStep(kSpacing) - kTurnout.Length;
    inner = LayStraight(plan, inner, beforeCrossover, style);
    inner = plan.Lay(TrailingTurnout(kTurnout, plan.Beyond(inner), -1, style), inner, 1, 0);
    plan.Close(LayStraight(plan, {crossover.Piece, 2}, Diagonal(kSpacing), style), {inner.Piece, 2});
    inner = LayStraight(plan, inner, kStraights - beforeCrossover - kTurnout.Length, style);
    inner = LayCurves(plan, inner, innerRadius, kPi, kCurvesPerHalf, style);
    plan.Close(inner, {innerStart.Piece, 0});

    LayBranch(plan, {branch.Piece, 2});
    return plan;
}

std::vector<uint8_t> DemoLayoutFile() {
    const TPlanLook look{.ShowTies = true, .ShowBallast = true, .Layers = 1, .LayerNames = {{0, "Gleise"}}};
    return PlanFile(DemoPlan(), look);
}

}  // namespace tk3d::gen
