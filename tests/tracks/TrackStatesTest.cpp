// Track states: stored routes resolved after loading, gaps closed, and
// routes built for pieces stored without any.
#include <gtest/gtest.h>

#include <cmath>

#include "TrackTestSupport.h"
#include "WriteTracks.h"
#include "layoutfile/LoadLayout.h"
#include "layoutfile/RailList.h"
#include "tracks/Turntables.h"

namespace tk3d {
namespace {

using tk3dw::WState;
using tk3dw::WTrack;
using namespace tracktest;

std::unique_ptr<TRailList> Load(const WTrack& t) {
    tk3dw::WDocument d;
    d.objects.push_back(tk3dw::TrackWriter(t));
    return LoadLayoutFromMemory(tk3dw::LayoutFile(d), "states.tkl");
}

TSchiene& First(const TRailList& doc) { return dynamic_cast<TSchiene&>(*doc.Items(0)); }

// What a state joins: point indices and, per line, its index and whether
// it is walked backwards.
struct TRoute {
    int from, to;
    std::vector<std::pair<int, bool>> lines;
    bool operator==(const TRoute&) const = default;
};

std::vector<TRoute> Routes(const TSchiene& piece) {
    std::vector<TRoute> out;
    if (!piece.fStates) return out;
    auto pointIndex = [&](const TAnschlussPunkt* p) {
        for (int i = 0; i < piece.ConnectionCount(); ++i)
            if (&piece.Point(i) == p) return i;
        return -1;
    };
    piece.fStates->ForEach([&](const TTrackState& s) {
        TRoute r{pointIndex(s.fFrom), pointIndex(s.fTo), {}};
        for (const TGeradeLinie* l : s.fLines.Lines) {
            int index = -1;
            for (int i = 0; i < piece.Lines.Count(); ++i)
                if (piece.Lines.Items(i) == l) index = i;
            r.lines.push_back({index, l && l->IsBackward()});
        }
        out.push_back(r);
    });
    return out;
}

TEST_F(TrackTest, StoredStatesAreResolvedAndCheckedAgainstThePiece) {
    WTrack t = tk3dw::TurnoutTrack(200, 400, 0.3, {});
    t.states =
        std::vector<WState>{{.from = 0, .to = 1, .lines = {0}}, {.from = -1, .to = 2, .lines = {1, -1}}};
    auto doc = Load(t);
    TSchiene& piece = First(*doc);
    ASSERT_EQ(piece.fStates->Count(), 2);
    const TTrackState& s = *piece.fStates->Items(1);
    EXPECT_EQ(s.fStateOwner, &piece);
    EXPECT_EQ(s.fFrom, nullptr);
    EXPECT_EQ(s.fTo, &piece.Point(2));
    EXPECT_EQ(s.fLines.Lines, (std::vector<TGeradeLinie*>{piece.Lines.Items(1), nullptr}));

    struct Case {
        WState state;
        const char* message;
    } cases[] = {{{.from = 3, .to = 1}, "Listenindex überschreitet das Maximum (3)"},
                 {{.from = 0, .to = 1, .lines = {0, 2}}, "Listenindex überschreitet das Maximum (2)"}};
    for (const Case& c : cases) {
        t.states = std::vector<WState>{c.state};
        try {
            Load(t);
            ADD_FAILURE() << c.message;
        } catch (const ETk3dError& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
}

TEST_F(TrackTest, GapsBeforeAndAfterARouteAreClosedOnThreePointPieces) {
    // A short lead-in line (0) from point 0 to where both routes begin.
    WTrack t = tk3dw::TurnoutTrack(200, 400, 0.3, {});
    t.rails = {tk3dw::StraightRail(0, 0, 10, 0), tk3dw::StraightRail(10, 0, 200, 0),
               tk3dw::CurveRail(10, 0, 0, 400, 0.3)};
    t.points[2].x = t.rails[2].x2;
    t.points[2].y = t.rails[2].y2;
    t.rails[1].segmentFlags = 0;
    t.states = std::vector<WState>{{.from = 0, .to = 1, .lines = {1}}, {.from = 0, .to = 2, .lines = {2}}};
    auto doc = Load(t);
    EXPECT_EQ(Routes(First(*doc)),
              (std::vector<TRoute>{{0, 1, {{0, false}, {1, false}}}, {0, 2, {{0, false}, {2, false}}}}));

    // Walked backwards, the line's start is the far end: the gap at point 0
    // is then closed at the back.
    t.rails[1].segmentFlags = 1;
    t.states = std::vector<WState>{{.from = 1, .to = 0, .lines = {1}}};
    doc = Load(t);
    EXPECT_EQ(Routes(First(*doc)), (std::vector<TRoute>{{1, 0, {{1, true}, {0, false}}}}));

    // Only pieces with three points close gaps.
    t.points.pop_back();
    t.states = std::vector<WState>{{.from = 0, .to = 1, .lines = {1}}};
    t.rails[1].segmentFlags = 0;
    doc = Load(t);
    EXPECT_EQ(Routes(First(*doc)), (std::vector<TRoute>{{0, 1, {{1, false}}}}));
}

TEST_F(TrackTest, RoutesAreBuiltForPiecesWithoutStates) {
    struct Case {
        const char* name;
        WTrack track;
        std::vector<TRoute> routes;
    } cases[] = {
        {"straight", tk3dw::StraightTrack(200, {}), {{0, 1, {{0, false}}}}},
        {"right curve (stored from its far end)", tk3dw::CurveTrack(360, -0.5, {}), {{0, 1, {{0, true}}}}},
        {"crossing", tk3dw::CrossingTrack(240, kPi / 3, {}), {{0, 1, {{0, false}}}, {2, 3, {{1, false}}}}},
        // The straight route first; the branch is then found from its own
        // end, walking the curve backwards.
        {"turnout", tk3dw::TurnoutTrack(200, 400, 0.3, {}), {{0, 1, {{0, false}}}, {2, 0, {{1, true}}}}},
    };
    for (const Case& c : cases) {
        auto doc = Load(c.track);
        TSchiene& piece = First(*doc);
        EXPECT_EQ(Routes(piece), c.routes) << c.name;
        EXPECT_TRUE(piece.EnsureTrackState()) << c.name;
    }
}

TEST_F(TrackTest, ABranchBetweenTheEndsSplitsTheStraightAndRoutesShareItsFirstPart) {
    WTrack t = tk3dw::TurnoutTrack(200, 300, 0.35, {});
    t.rails[1] = tk3dw::CurveRail(60, 0, 0, 300, 0.35);
    t.points[2].x = t.rails[1].x2;
    t.points[2].y = t.rails[1].y2;
    auto doc = Load(t);
    TSchiene& piece = First(*doc);
    ASSERT_EQ(piece.Lines.Count(), 3);
    const auto& head = static_cast<const TGeradeSchienenLinie&>(*piece.Lines.Items(0));
    const auto& tail = static_cast<const TGeradeSchienenLinie&>(*piece.Lines.Items(2));
    EXPECT_EQ(head.fEnd, (TExtPoint{60, 0}));
    EXPECT_EQ(head.fEdgeFlags, kEdgeStart);
    EXPECT_EQ(head.fBaseLength, 60);
    EXPECT_EQ(tail.fStart, (TExtPoint{60, 0}));
    EXPECT_EQ(tail.fEnd, (TExtPoint{200, 0}));
    EXPECT_EQ(tail.fEdgeFlags, kEdgeEnd);
    EXPECT_EQ(tail.fOutline[2], (TPoint{200, -15}));
    // The branch is found first; the straight route then meets the shared
    // head against its sense and is turned round to run from point 0.
    EXPECT_EQ(Routes(piece),
              (std::vector<TRoute>{{0, 2, {{0, false}, {1, false}}}, {0, 1, {{0, false}, {2, false}}}}));
}

TEST_F(TrackTest, PiecesThatCannotBeRoutedEndWithoutStates) {
    // A third point with no line at it.
    WTrack lonely = tk3dw::StraightTrack(200, {});
    lonely.points.push_back(lonely.points[1]);
    lonely.points[2].x = 500;
    auto doc = Load(lonely);
    EXPECT_EQ(First(*doc).fStates, nullptr);
    EXPECT_FALSE(First(*doc).EnsureTrackState());

    // More than four points, and no rail line at all: left alone.
    WTrack many = tk3dw::TurntableTrack(100, 5, {});
    many.classId = tk3dw::ids::Schiene;
    doc = Load(many);
    EXPECT_EQ(First(*doc).fStates, nullptr);
    WTrack bare = tk3dw::StraightTrack(200, {});
    bare.rails.clear();
    doc = Load(bare);
    EXPECT_EQ(First(*doc).fStates, nullptr);
}

TEST_F(TrackTest, TurntablesAndPlatformsKeepWhatTheyHold) {
    for (int16_t id : {tk3dw::ids::Turntable, tk3dw::ids::Platform}) {
        WTrack t = tk3dw::TurntableTrack(150, 24, {});
        t.classId = id;
        // A curve ending halfway along the bridge would split it on a piece
        // that builds routes.
        t.rails.push_back(tk3dw::CurveRail(0, -200, 0, 200, kPi / 2));
        auto doc = Load(t);
        TSchiene& piece = First(*doc);
        EXPECT_EQ(piece.ConnectionCount(), 24);
        EXPECT_EQ(piece.fStates, nullptr);
        EXPECT_EQ(piece.Lines.Count(), 3);
        EXPECT_EQ(piece.ObjectKind(), okTrack);
        EXPECT_TRUE(piece.IsTrack());
        if (id == tk3dw::ids::Turntable)
            EXPECT_NE(dynamic_cast<TTurntable*>(&piece), nullptr);
        else
            EXPECT_NE(dynamic_cast<TPlatform*>(&piece), nullptr);
    }
    WTrack stored = tk3dw::TurntableTrack(150, 3, {});
    stored.states = std::vector<WState>{{.from = 0, .to = 1, .lines = {1}}};
    auto doc = Load(stored);
    EXPECT_EQ(First(*doc).fStates->Count(), 1);
}

}  // namespace
}  // namespace tk3d
