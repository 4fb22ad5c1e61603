#include "TrackPlan.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace tk3d::gen {

namespace {

constexpr double kPi = 3.14159265358979323846;
// Joined ends of a plan meet exactly up to rounding; anything larger is a
// mistake in the plan's geometry.
constexpr double kMeetTolerance = 0.01;

tk3dw::WPoint& PointOf(tk3dw::WTrack& piece, int32_t point) { return piece.points.at(size_t(point)); }

// The routes through a piece as the planner stores them with every piece it
// lays: one per rail line, from the point at its start to the point at its
// end. Turntables and platforms have none.
std::vector<tk3dw::WState> Routes(const tk3dw::WTrack& piece) {
    const auto pointAt = [&](double x, double y) {
        for (size_t i = 0; i < piece.points.size(); ++i)
            if (std::hypot(piece.points[i].x - x, piece.points[i].y - y) < kMeetTolerance) return int32_t(i);
        return int32_t(-1);
    };
    std::vector<tk3dw::WState> routes;
    for (size_t k = 0; k < piece.rails.size(); ++k) {
        const tk3dw::WRailLine& rail = piece.rails[k];
        routes.push_back({.from = pointAt(rail.x1, rail.y1),
                          .to = pointAt(rail.x2, rail.y2),
                          .lines = {int32_t(piece.lines.size() + k)}});
    }
    return routes;
}

void SetLayers(tk3dw::WRecord& record, int offset, int32_t layers) {
    for (int n = 0; n < layers; ++n) record.bytes.at(size_t(offset + n / 8)) |= uint8_t(1 << (n % 8));
}

}  // namespace

TTrackEnd TTrackPlan::Lay(tk3dw::WTrack piece, TTrackEnd from, int32_t entry, int32_t exit) {
    if (piece.classId == tk3dw::ids::Schiene && !piece.states) piece.states = Routes(piece);
    fPieces.push_back(std::move(piece));
    const int32_t index = Count() - 1;
    if (from.Piece >= 0)
        tk3dw::Connect(Piece(from.Piece), from.Piece, from.Point, Piece(index), index, entry);
    return {index, exit};
}

tk3dw::WPlacement TTrackPlan::Beyond(TTrackEnd end, double rise) const {
    tk3dw::WPlacement at = tk3dw::ContinueAt(Piece(end.Piece), size_t(end.Point));
    at.rise = rise;
    return at;
}

void TTrackPlan::Close(TTrackEnd a, TTrackEnd b) {
    const tk3dw::WPlacement pa = Beyond(a), pb = Beyond(b);
    const double gap = std::hypot(pa.x - pb.x, pa.y - pb.y);
    const double kink = std::fabs(std::remainder(pa.angle - pb.angle - kPi, 2 * kPi));
    const double step = std::fabs(pa.height - pb.height);
    if (gap > kMeetTolerance || kink > 1e-6 || step > kMeetTolerance)
        throw std::logic_error("track ends " + std::to_string(a.Piece) + "/" + std::to_string(a.Point) +
                               " and " + std::to_string(b.Piece) + "/" + std::to_string(b.Point) +
                               " do not meet (gap " + std::to_string(gap) + " mm, kink " +
                               std::to_string(kink) + " rad, step " + std::to_string(step) + " mm)");
    tk3dw::Connect(Piece(a.Piece), a.Piece, a.Point, Piece(b.Piece), b.Piece, b.Point);
    PointOf(Piece(b.Piece), b.Point).height = PointOf(Piece(a.Piece), a.Point).height;
}

tk3dw::WTrack FacingTurnout(const TTurnoutShape& shape, const tk3dw::WPlacement& at, int side,
                            const tk3dw::WTrackStyle& style) {
    return tk3dw::TurnoutTrack(shape.Length, shape.Radius, side * shape.Angle, at, style);
}

tk3dw::WTrack TrailingTurnout(const TTurnoutShape& shape, const tk3dw::WPlacement& at, int side,
                              const tk3dw::WTrackStyle& style) {
    // The same turnout laid from its far end, facing back along the track:
    // its straight route ends where the track arrives.
    tk3dw::WPlacement start = at;
    start.x += shape.Length * std::cos(at.angle);
    start.y += shape.Length * std::sin(at.angle);
    start.angle = at.angle + kPi;
    start.rise = 0;
    return tk3dw::TurnoutTrack(shape.Length, shape.Radius, -side * shape.Angle, start, style);
}

std::vector<uint8_t> PlanFile(const TTrackPlan& plan, const TPlanLook& look,
                              const std::vector<tk3dw::WObjectWriter>& more) {
    tk3dw::WRecord record = tk3dw::DefaultRecord();
    record.Byte(504, look.ShowTies ? 1 : 0);
    record.Byte(9, look.ShowBallast ? 1 : 0);
    SetLayers(record, 52, look.Layers);
    SetLayers(record, 825, look.Layers);

    tk3dw::WDocument document;
    document.objects.reserve(size_t(plan.Count()) + more.size());
    for (int32_t i = 0; i < plan.Count(); ++i) {
        const tk3dw::WTrack& piece = plan.Piece(i);
        document.objects.push_back(
            [&piece](tk3dw::TLayoutWriter& w, const tk3dw::WFormat& f) { tk3dw::WriteTrack(w, piece, f); });
    }
    document.objects.insert(document.objects.end(), more.begin(), more.end());

    tk3dw::TLayoutWriter w;
    tk3dw::WriteVersionedHeader(w, 608);
    tk3dw::WriteCurrentSettings(w, record, look.LayerNames);
    tk3dw::WriteDocument(w, document);
    return std::move(w.bytes);
}

}  // namespace tk3d::gen
