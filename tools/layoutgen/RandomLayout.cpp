#include "RandomLayout.h"

#include <cmath>
#include <stdexcept>

#include "SplitMix.h"

namespace tk3d::gen {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDegree = kPi / 180;
// Each run of track stays near the middle of its own square.
constexpr int32_t kRunLength = 40;
constexpr double kCell = 4000;
// Slopes climb and fall at this grade between the board and the highest level.
constexpr double kGrade = 0.03;
constexpr double kHighest = 150;

constexpr double kStraightLengths[] = {100, 150, 200, 230};
constexpr double kCurveRadii[] = {360, 420, 500, 600};
constexpr double kCurveSweeps[] = {15 * kDegree, 30 * kDegree};
constexpr double kCrossingAngles[] = {15 * kDegree, 30 * kDegree};
constexpr TTurnoutShape kTurnout;

bool IsShare(double v) { return v >= 0 && v <= 1; }

enum class TPieceKind { Straight, Curve, Turnout, Crossing };

class TRunLayer {
public:
    TRunLayer(const TRandomLayoutParams& params, TTrackPlan& plan)
        : fParams(params), fPlan(plan), fRng(params.Seed) {}

    void LayRun(int32_t run, int32_t pieces, int32_t gridSide) {
        fCentreX = (run % gridSide + 0.5) * kCell;
        fCentreY = -(run / gridSide + 0.5) * kCell;
        fStyle = {};
        fStyle.block = fRng.Chance(fParams.Blocks);
        if (fStyle.block) fStyle.fillColor = 0x00A0A0A0;
        tk3dw::WPlacement at{.x = fCentreX + fRng.Range(-kCell / 4, kCell / 4),
                             .y = fCentreY + fRng.Range(-kCell / 4, kCell / 4),
                             .angle = fRng.Range(-kPi, kPi),
                             .height = fRng.Chance(fParams.Slopes) ? fRng.Range(0, kHighest) : 0};
        TTrackEnd end;
        for (int32_t i = 0; i < pieces; ++i) {
            if (end.Piece >= 0) at = fPlan.Beyond(end);
            end = LayPiece(at, end);
        }
    }

private:
    TPieceKind ChooseKind() {
        const double r = fRng.Uniform();
        if (r < fParams.Turnouts) return TPieceKind::Turnout;
        if (r < fParams.Turnouts + fParams.Crossings) return TPieceKind::Crossing;
        if (r < fParams.Turnouts + fParams.Crossings + fParams.Curves) return TPieceKind::Curve;
        return TPieceKind::Straight;
    }

    // Turns towards the middle of the square when the track heads away
    // from it, otherwise either way.
    int TurnSide(const tk3dw::WPlacement& at) {
        const double dx = fCentreX - at.x, dy = fCentreY - at.y;
        const double off = std::remainder(std::atan2(dy, dx) - at.angle, 2 * kPi);
        if (std::hypot(dx, dy) > kCell / 4 && std::fabs(off) > kPi / 3) return off > 0 ? 1 : -1;
        return fRng.Chance(0.5) ? 1 : -1;
    }

    // How much a piece of this length rises or falls, keeping the track
    // between the board and the highest level.
    double Rise(const tk3dw::WPlacement& at, double length) {
        if (!fRng.Chance(fParams.Slopes)) return 0;
        const double rise = kGrade * length;
        if (at.height + rise > kHighest) return -rise;
        if (at.height - rise < 0) return rise;
        return fRng.Chance(0.5) ? rise : -rise;
    }

    TTrackEnd LayPiece(tk3dw::WPlacement at, TTrackEnd from) {
        tk3dw::WTrack piece;
        int32_t exit = 1;
        switch (ChooseKind()) {
            case TPieceKind::Straight: {
                const double length = fRng.Pick(kStraightLengths);
                at.rise = Rise(at, length);
                piece = tk3dw::StraightTrack(length, at, fStyle);
                break;
            }
            case TPieceKind::Curve: {
                const double radius = fRng.Pick(kCurveRadii), sweep = fRng.Pick(kCurveSweeps);
                at.rise = Rise(at, radius * sweep);
                piece = tk3dw::CurveTrack(radius, TurnSide(at) * sweep, at, fStyle);
                break;
            }
            case TPieceKind::Turnout:
                piece = FacingTurnout(kTurnout, at, fRng.Chance(0.5) ? 1 : -1, fStyle);
                // Now and then the run goes on along the branch.
                if (fRng.Chance(0.3)) exit = 2;
                break;
            case TPieceKind::Crossing:
                piece = tk3dw::CrossingTrack(230, fRng.Pick(kCrossingAngles), at, fStyle);
                break;
        }
        piece.layer = int32_t(fRng.Below(uint32_t(fParams.Layers)));
        if (fRng.Chance(fParams.Labels)) Label(piece);
        return fPlan.Lay(std::move(piece), from, 0, exit);
    }

    void Label(tk3dw::WTrack& piece) {
        const std::string number = "G" + std::to_string(1000 + fPlan.Count());
        piece.text1 = number;
        piece.text2 = "Gleis " + number;
        piece.labels.push_back({.text = number, .kind = 1, .align = 4113});
        piece.labels.push_back({.text = piece.text2, .offsetY = 53, .kind = 0, .align = 17});
    }

    const TRandomLayoutParams& fParams;
    TTrackPlan& fPlan;
    TSplitMix fRng;
    tk3dw::WTrackStyle fStyle;
    double fCentreX = 0, fCentreY = 0;
};

}  // namespace

std::string CheckParams(const TRandomLayoutParams& p) {
    if (p.Pieces < 1 || p.Pieces > kMaxRandomPieces)
        return "the number of pieces must lie between 1 and " + std::to_string(kMaxRandomPieces);
    for (double share : {p.Curves, p.Turnouts, p.Crossings, p.Slopes, p.Labels, p.Blocks})
        if (!IsShare(share)) return "every share must lie between 0 and 1";
    if (p.Curves + p.Turnouts + p.Crossings > 1)
        return "curves, turnouts and crossings add up to more than 1";
    if (p.Layers < 1 || p.Layers > 256) return "the number of layers must lie between 1 and 256";
    return {};
}

TTrackPlan RandomPlan(const TRandomLayoutParams& params) {
    if (const std::string problem = CheckParams(params); !problem.empty())
        throw std::invalid_argument(problem);
    TTrackPlan plan;
    const int32_t runs = (params.Pieces + kRunLength - 1) / kRunLength;
    const auto side = int32_t(std::ceil(std::sqrt(double(runs))));
    TRunLayer layer(params, plan);
    for (int32_t run = 0; run < runs; ++run)
        layer.LayRun(run, std::min(kRunLength, params.Pieces - run * kRunLength), side);
    return plan;
}

std::vector<uint8_t> RandomLayoutFile(const TRandomLayoutParams& params) {
    const TTrackPlan plan = RandomPlan(params);
    TPlanLook look;
    look.ShowTies = params.ShowTies;
    look.ShowBallast = params.ShowBallast;
    look.Layers = params.Layers;
    for (int32_t n = 0; n < params.Layers; ++n) look.LayerNames[n] = "Ebene " + std::to_string(n);
    return PlanFile(plan, look);
}

}  // namespace tk3d::gen
