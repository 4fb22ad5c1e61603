// Completing the track states of a piece after loading: closing gaps in the
// routes of three-point pieces, and building routes for pieces stored
// without any.
#include <algorithm>
#include <cmath>
#include <optional>
#include <set>
#include <vector>

#include "tracks/RailLines.h"
#include "tracks/Schiene.h"

namespace tk3d {

namespace {

// Real pieces have a handful of rail lines; the searches below are
// quadratic in them, so a piece with more is left as it is.
constexpr size_t kMaxRouteLines = 256;
// Distances that join line ends to each other and to connection points.
constexpr double kJoinDistance = 5;
constexpr double kGapDistance = 2;
constexpr double kGapLineDistance = 1;

bool Near(const TExtPoint& a, const TExtPoint& b, double distance) { return PointDistance(a, b) <= distance; }

std::vector<TGeradeSchienenLinie*> RailLinesOf(const TLinienColl& lines) {
    std::vector<TGeradeSchienenLinie*> out;
    lines.ForEach([&](TGeradeLinie& line) {
        if (auto* rail = dynamic_cast<TGeradeSchienenLinie*>(&line)) out.push_back(rail);
    });
    return out;
}

// Every piece asks this after loading: counted without building the list.
size_t RailLineCount(const TLinienColl& lines) {
    size_t n = 0;
    lines.ForEach([&](TGeradeLinie& line) { n += dynamic_cast<TGeradeSchienenLinie*>(&line) ? 1 : 0; });
    return n;
}

int IndexOf(const TLinienColl& lines, const TGeradeLinie* line) {
    for (int i = 0; i < lines.Count(); ++i)
        if (lines.Items(i) == line) return i;
    return -1;
}

const TBogenSchienenLinie* AsCurve(const TGeradeLinie* line) {
    return dynamic_cast<const TBogenSchienenLinie*>(line);
}

// Where a walk over the line begins and ends, and its direction there.
TExtPoint EntryPoint(const TGeradeLinie& line, bool backward) { return backward ? line.fEnd : line.fStart; }
TExtPoint ExitPoint(const TGeradeLinie& line, bool backward) { return backward ? line.fStart : line.fEnd; }

double EntryDirection(const TGeradeLinie& line, bool backward) {
    double d = DirectionAngle(line.fStart, line.fEnd);
    if (const TBogenSchienenLinie* arc = AsCurve(&line)) d = arc->fStartAngle + (backward ? arc->fSweep : 0);
    if (backward) AddAngleSigned(d, kPi);
    return d;
}

double ExitDirection(const TGeradeLinie& line, bool backward) {
    double d = DirectionAngle(line.fStart, line.fEnd);
    if (const TBogenSchienenLinie* arc = AsCurve(&line)) d = arc->fStartAngle + (backward ? 0 : arc->fSweep);
    if (backward) AddAngleSigned(d, kPi);
    return d;
}

bool SameWay(double a, double b) {
    double d = a;
    AddAngleSigned(d, -b);
    return std::fabs(d) < kPi / 2;
}

void SetBackward(TGeradeLinie& line, bool backward) {
    line.fSegmentFlags = backward ? (line.fSegmentFlags | kSegmentBackward)
                                  : (line.fSegmentFlags & uint8_t(~kSegmentBackward));
}

// The first rail line whose ends lie within 1 mm of a and b, in either order.
TGeradeSchienenLinie* LineJoining(const std::vector<TGeradeSchienenLinie*>& rails, const TExtPoint& a,
                                  const TExtPoint& b) {
    for (TGeradeSchienenLinie* line : rails) {
        const bool forward = Near(line->fStart, a, kGapLineDistance) && Near(line->fEnd, b, kGapLineDistance);
        const bool reverse = Near(line->fStart, b, kGapLineDistance) && Near(line->fEnd, a, kGapLineDistance);
        if (forward || reverse) return line;
    }
    return nullptr;
}

// A copy of a straight rail line for the same piece.
std::unique_ptr<TGeradeSchienenLinie> CopyRailLine(const TGeradeSchienenLinie& line) {
    auto copy = std::make_unique<TGeradeSchienenLinie>();
    copy->fOwner = line.fOwner;
    copy->fVersion = line.fVersion;
    copy->fSegmentFlags = line.fSegmentFlags;
    copy->fStart = line.fStart;
    copy->fEnd = line.fEnd;
    copy->fOutline = line.fOutline;
    copy->fOuterOutline = line.fOuterOutline;
    copy->fEdgeFlags = line.fEdgeFlags;
    copy->fWidth = line.fWidth;
    copy->fLineGauge = line.fLineGauge;
    copy->fOuterHalfWidth = line.fOuterHalfWidth;
    copy->fLineFlags = line.fLineFlags;
    copy->fBaseLength = line.fBaseLength;
    copy->fHeightOffset = line.fHeightOffset;
    if (line.fClearance1) copy->fClearance1 = line.fClearance1->ClonePoints();
    if (line.fClearance2) copy->fClearance2 = line.fClearance2->ClonePoints();
    copy->Recalc();
    return copy;
}

class TStateBuilder {
public:
    explicit TStateBuilder(TSchiene& piece) : fPiece(piece) {}

    // Closes the gap between a route's first (last) line and its start
    // (end) point with a rail line that spans it.
    void CloseGaps() {
        const auto rails = RailLinesOf(fPiece.Lines);
        fPiece.fStates->ForEach([&](TTrackState& state) {
            std::vector<TGeradeLinie*>& lines = state.fLines.Lines;
            if (lines.empty() || !lines.front() || !lines.back()) return;
            if (state.fFrom) {
                const TExtPoint start = EntryPoint(*lines.front(), lines.front()->IsBackward());
                if (PointDistance(start, state.fFrom->fPosition) >= kGapDistance)
                    if (TGeradeSchienenLinie* gap = LineJoining(rails, start, state.fFrom->fPosition))
                        lines.insert(lines.begin(), gap);
            }
            if (state.fTo) {
                const TExtPoint end = ExitPoint(*lines.back(), lines.back()->IsBackward());
                if (PointDistance(end, state.fTo->fPosition) >= kGapDistance)
                    if (TGeradeSchienenLinie* gap = LineJoining(rails, end, state.fTo->fPosition))
                        lines.push_back(gap);
            }
        });
    }

    // Splits straight lines where a curve branches off between their ends.
    void SplitAtBranches() {
        for (TGeradeSchienenLinie* rail : RailLinesOf(fPiece.Lines)) {
            const TBogenSchienenLinie* curve = AsCurve(rail);
            if (!curve) continue;
            for (const TExtPoint& e : {curve->fStart, curve->fEnd}) SplitAt(e);
        }
    }

    // Builds routes until every point and line belongs to one; false (and
    // no states) when that cannot be done.
    bool BuildRoutes() {
        fPoints.clear();
        fPiece.fConnections.ForEach([&](TAnschlussPunkt& p) { fPoints.push_back(&p); });
        fLines = RailLinesOf(fPiece.Lines);
        fStates = std::make_unique<TStateList>();
        fShared.clear();
        while (!fPoints.empty() || !fLines.empty()) {
            std::optional<TRoute> route = StartRoute();
            if (!route || !Extend(*route)) {
                fPiece.fStates.reset();
                return false;
            }
            Finish(*route);
        }
        if (fStates->Count() == 0) {
            fPiece.fStates.reset();
            return false;
        }
        fPiece.fStates = std::move(fStates);
        return true;
    }

private:
    struct TStep {
        TGeradeSchienenLinie* line;
        bool backward;
        bool shared;
    };
    // A walk from a point over lines; after it met a line of an earlier
    // route (walked against that route's sense) it is turned round when done.
    struct TRoute {
        TAnschlussPunkt* start = nullptr;
        TAnschlussPunkt* end = nullptr;
        std::vector<TStep> steps;
        bool turned = false;
    };

    void SplitAt(const TExtPoint& e) {
        bool atPoint = false;
        fPiece.fConnections.ForEach(
            [&](const TAnschlussPunkt& p) { atPoint = atPoint || Near(e, p.fPosition, kJoinDistance); });
        if (atPoint) return;
        for (TGeradeSchienenLinie* line : RailLinesOf(fPiece.Lines)) {
            if (AsCurve(line)) continue;
            if (Near(e, line->fStart, kJoinDistance) || Near(e, line->fEnd, kJoinDistance)) return;
            if (!PointNearSegment(e, line->fStart, line->fEnd, kJoinDistance)) continue;
            std::unique_ptr<TGeradeSchienenLinie> tail = CopyRailLine(*line);
            const TExtPoint end = line->fEnd;
            line->SetEndPoints(line->fStart, e);
            line->fEdgeFlags &= uint8_t(~kEdgeEnd);
            tail->SetEndPoints(e, end);
            tail->fEdgeFlags &= uint8_t(~kEdgeStart);
            fPiece.Lines.ADD(std::move(tail));
            return;
        }
    }

    std::optional<TRoute> StartRoute() const {
        for (TAnschlussPunkt* p : fPoints) {
            for (TGeradeSchienenLinie* line : fLines) {
                if (Near(line->fStart, p->fPosition, kJoinDistance)) return Begin(p, line, false);
                if (Near(line->fEnd, p->fPosition, kJoinDistance)) return Begin(p, line, true);
            }
        }
        if (fLines.empty()) return std::nullopt;
        TGeradeSchienenLinie* first = fLines.front();
        for (bool backward : {false, true}) {
            const TExtPoint at = EntryPoint(*first, backward);
            TAnschlussPunkt* found = nullptr;
            fPiece.fConnections.ForEach([&](TAnschlussPunkt& p) {
                if (!found && Near(at, p.fPosition, kJoinDistance)) found = &p;
            });
            if (found) return Begin(found, first, backward);
        }
        return std::nullopt;
    }

    static TRoute Begin(TAnschlussPunkt* point, TGeradeSchienenLinie* line, bool backward) {
        TRoute r;
        r.start = point;
        r.steps.push_back({line, backward, false});
        return r;
    }

    bool InRoute(const TRoute& route, const TGeradeSchienenLinie* line) const {
        return std::any_of(route.steps.begin(), route.steps.end(),
                           [&](const TStep& s) { return s.line == line; });
    }

    bool Extend(TRoute& route) {
        // Every step adds a line the route does not hold yet.
        for (int guard = 0; guard <= fPiece.Lines.Count(); ++guard) {
            const TStep& last = route.steps.back();
            const TExtPoint at = ExitPoint(*last.line, last.backward);
            const double direction = ExitDirection(*last.line, last.backward);
            fPiece.fConnections.ForEach([&](TAnschlussPunkt& p) {
                if (!route.end && &p != route.start && Near(at, p.fPosition, kJoinDistance)) route.end = &p;
            });
            if (route.end) return true;
            std::optional<TStep> next = NextLine(route, at, direction);
            if (!next) return false;
            route.turned = route.turned || next->shared;
            route.steps.push_back(*next);
        }
        return false;
    }

    std::optional<TStep> NextLine(const TRoute& route, const TExtPoint& at, double direction) const {
        for (TGeradeSchienenLinie* line : fLines) {
            if (InRoute(route, line)) continue;
            for (bool backward : {false, true})
                if (Near(EntryPoint(*line, backward), at, kJoinDistance) &&
                    SameWay(EntryDirection(*line, backward), direction))
                    return TStep{line, backward, false};
        }
        // A line of an earlier route can be shared only in that route's
        // sense: this route is then turned round to run the same way.
        for (TGeradeSchienenLinie* line : fShared) {
            if (InRoute(route, line)) continue;
            if (Near(EntryPoint(*line, true), at, kJoinDistance) &&
                SameWay(EntryDirection(*line, true), direction))
                return TStep{line, true, true};
        }
        return std::nullopt;
    }

    void Finish(TRoute& route) {
        if (route.turned) {
            std::reverse(route.steps.begin(), route.steps.end());
            for (TStep& s : route.steps) s.backward = !s.backward;
            std::swap(route.start, route.end);
        }
        auto state = std::make_unique<TTrackState>();
        state->fStateVersion = TTrackState::kWrittenVersion;
        state->fStateOwner = &fPiece;
        state->fFrom = route.start;
        state->fTo = route.end;
        state->fFromIndex = PointIndex(route.start);
        state->fToIndex = PointIndex(route.end);
        for (const TStep& s : route.steps) {
            if (!s.shared) {
                SetBackward(*s.line, s.backward);
                std::erase(fLines, s.line);
                fShared.push_back(s.line);
            }
            state->fLines.Lines.push_back(s.line);
            state->fLines.Values.push_back(IndexOf(fPiece.Lines, s.line));
        }
        std::erase(fPoints, route.start);
        std::erase(fPoints, route.end);
        fStates->Add(std::move(state));
    }

    int PointIndex(const TAnschlussPunkt* p) const {
        for (int i = 0; i < fPiece.ConnectionCount(); ++i)
            if (&fPiece.Point(i) == p) return i;
        return -1;
    }

    TSchiene& fPiece;
    std::vector<TAnschlussPunkt*> fPoints;
    std::vector<TGeradeSchienenLinie*> fLines;
    std::vector<TGeradeSchienenLinie*> fShared;
    std::unique_ptr<TStateList> fStates;
};

}  // namespace

bool TSchiene::EnsureTrackState() {
    // Points and lines are kept in the piece's own frame, so the routes are
    // found there without moving the piece.
    if (fStates && fStates->Count() > 0) {
        if (ConnectionCount() == 3) {
            const size_t rails = RailLineCount(Lines);
            if (rails > 0 && rails <= kMaxRouteLines) TStateBuilder(*this).CloseGaps();
        }
        return true;
    }
    const size_t rails = RailLineCount(Lines);
    fStates.reset();
    if (rails == 0 || rails > kMaxRouteLines || ConnectionCount() > 4) return false;
    TStateBuilder builder(*this);
    builder.SplitAtBranches();
    return builder.BuildRoutes();
}

}  // namespace tk3d
