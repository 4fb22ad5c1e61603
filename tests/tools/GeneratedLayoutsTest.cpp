// Layouts of the generator read back through the reader: joined track
// meets, the demo has what it promises and matches the file in examples/,
// and the random layouts follow their parameters and their seed.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <set>

#include "DemoLayout.h"
#include "RandomLayout.h"
#include "layoutfile/GlobalState.h"
#include "layoutfile/LoadLayout.h"
#include "layoutfile/RailList.h"
#include "tracks/Schiene.h"
#include "tracks/Turntables.h"

namespace tk3d::gen {
namespace {

constexpr double kPi = 3.14159265358979323846;

struct TJoints {
    int Joined = 0;
    std::vector<const TAnschlussPunkt*> Open;
};

class GeneratedLayouts : public testing::Test {
protected:
    void SetUp() override { ResetGlobalState(); }
    void TearDown() override { ResetGlobalState(); }

    static std::unique_ptr<TRailList> Load(const std::vector<uint8_t>& bytes) {
        return LoadLayoutFromMemory(bytes, "generated.tkl");
    }

    static std::vector<TSchiene*> Pieces(const TRailList& doc) {
        std::vector<TSchiene*> pieces;
        for (int i = 0; i < doc.Count(); ++i)
            if (auto* piece = dynamic_cast<TSchiene*>(doc.Items(i))) pieces.push_back(piece);
        return pieces;
    }

    // Every pair of joined points lies at one place and height, the track
    // leaving them in opposite directions; the open points are collected.
    static TJoints CheckJoints(const TRailList& doc) {
        TJoints joints;
        for (const TSchiene* piece : Pieces(doc)) {
            for (int p = 0; p < piece->ConnectionCount(); ++p) {
                const TAnschlussPunkt& point = piece->Point(p);
                if (!point.fPartner) {
                    joints.Open.push_back(&point);
                    continue;
                }
                ++joints.Joined;
                const TAnschlussPunkt& other = *point.fPartner;
                const TExtPoint a = point.AbsolutePosition(), b = other.AbsolutePosition();
                EXPECT_LT(std::hypot(a.X - b.X, a.Y - b.Y), 1e-6) << "at " << a.X << ", " << a.Y;
                EXPECT_NEAR(point.fHeight, other.fHeight, 1e-6) << "at " << a.X << ", " << a.Y;
                EXPECT_NEAR(std::remainder(point.fDirection - other.fDirection - kPi, 2 * kPi), 0, 1e-9)
                    << "at " << a.X << ", " << a.Y;
            }
        }
        return joints;
    }
};

TEST_F(GeneratedLayouts, DemoTrackIsClosedAndEndsAtBufferStops) {
    const auto doc = Load(DemoLayoutFile());
    const TJoints joints = CheckJoints(*doc);
    EXPECT_GT(joints.Joined, 200);
    // Plain track ends only at a buffer stop (a short block) or at the
    // turntable's free tracks: the oval closes and no piece is left loose.
    std::vector<TExtPoint> buffers;
    for (const TSchiene* piece : Pieces(*doc))
        if (piece->IsBlockTrack())
            for (int p = 0; p < piece->ConnectionCount(); ++p)
                buffers.push_back(piece->Point(p).AbsolutePosition());
    for (const TAnschlussPunkt* point : joints.Open) {
        if (point->fOwner->IsBlockTrack() || dynamic_cast<const TTurntable*>(point->fOwner)) continue;
        const TExtPoint at = point->AbsolutePosition();
        const bool atBuffer = std::any_of(buffers.begin(), buffers.end(), [&](const TExtPoint& b) {
            return std::hypot(b.X - at.X, b.Y - at.Y) < 1e-6;
        });
        EXPECT_TRUE(atBuffer) << "loose end at " << at.X << ", " << at.Y;
    }
}

TEST_F(GeneratedLayouts, DemoShowsStationTurnoutsBranchAndTurntable) {
    const auto doc = Load(DemoLayoutFile());
    EXPECT_TRUE(GlobalSettings.ShowTies());
    EXPECT_TRUE(GlobalSettings.ShowBallast());
    int turnouts = 0, turntables = 0, rising = 0, ballasted = 0;
    for (const TSchiene* piece : Pieces(*doc)) {
        turnouts += piece->ConnectionCount() == 3;
        turntables += dynamic_cast<const TTurntable*>(piece) != nullptr;
        rising += piece->IsTwoEnded() && piece->Point(1).fHeight > piece->Point(0).fHeight;
        ballasted += piece->HasTrackFlag(TSchiene::kBallastFlag) && piece->HasTrackFlag(TSchiene::kTieFlag);
    }
    EXPECT_EQ(turnouts, 7);  // station 2, crossover 2, sidings 2, branch 1
    EXPECT_EQ(turntables, 1);
    EXPECT_GE(rising, 5);
    EXPECT_GT(ballasted, 100);
    int32_t top = 0, bottom = 0;
    doc->GetHeightRange(top, bottom);
    EXPECT_EQ(bottom, 0);
    EXPECT_EQ(top, 90 + 12);  // the upper level and the buffer stops on it
}

// The demo in examples/ is what the generator writes now: regenerate it
// with examples/make-demo.sh when this fails.
TEST_F(GeneratedLayouts, ExampleFileIsTheGeneratedDemo) {
    std::ifstream in(TK3D_SOURCE_DIR "/examples/demo.tkl", std::ios::binary);
    ASSERT_TRUE(in) << "examples/demo.tkl is missing";
    const std::vector<uint8_t> stored{std::istreambuf_iterator<char>(in), {}};
    EXPECT_TRUE(stored == DemoLayoutFile());
}

TEST_F(GeneratedLayouts, RandomTrackIsJoinedWhereItMeets) {
    TRandomLayoutParams params;
    params.Pieces = 2000;
    params.Turnouts = 0.15;
    params.Crossings = 0.05;
    params.Slopes = 0.5;
    params.Blocks = 0.2;
    const auto doc = Load(RandomLayoutFile(params));
    ASSERT_EQ(doc->Count(), params.Pieces);
    const TJoints joints = CheckJoints(*doc);
    // Runs of 40 pieces, each joined to the one before.
    EXPECT_EQ(joints.Joined, 2 * (params.Pieces - params.Pieces / 40));
}

// As the planner's files do, pieces carry their routes: one per rail line,
// from the point at its start to the point at its end; turntables none.
TEST_F(GeneratedLayouts, PiecesStoreTheirRoutes) {
    TRandomLayoutParams params;
    params.Pieces = 600;
    params.Turnouts = 0.2;
    params.Crossings = 0.1;
    const auto random = Load(RandomLayoutFile(params));
    const auto demo = Load(DemoLayoutFile());
    for (const TRailList* doc : {random.get(), demo.get()}) {
        for (const TSchiene* piece : Pieces(*doc)) {
            if (dynamic_cast<const TTurntable*>(piece)) {
                EXPECT_EQ(piece->fStates, nullptr);
                continue;
            }
            ASSERT_NE(piece->fStates, nullptr);
            ASSERT_EQ(piece->fStates->Count(), piece->Lines.Count());
            for (int i = 0; i < piece->fStates->Count(); ++i) {
                const TTrackState& state = *piece->fStates->Items(i);
                ASSERT_NE(state.fFrom, nullptr);
                ASSERT_NE(state.fTo, nullptr);
                ASSERT_EQ(state.fLines.Lines.size(), 1u);
                const TGeradeLinie& line = *state.fLines.Lines[0];
                EXPECT_LT(PointDistance(line.fStart, state.fFrom->fPosition), 1e-6);
                EXPECT_LT(PointDistance(line.fEnd, state.fTo->fPosition), 1e-6);
            }
        }
    }
}

TEST_F(GeneratedLayouts, RandomLayoutsFollowTheirParameters) {
    TRandomLayoutParams params;
    params.Pieces = 4000;
    params.Curves = 0.3;
    params.Turnouts = 0.1;
    params.Crossings = 0.05;
    params.Layers = 5;
    params.Labels = 0.25;
    params.Blocks = 0.5;
    params.Slopes = 0;
    const auto doc = Load(RandomLayoutFile(params));
    int turnouts = 0, crossings = 0, labelled = 0, blocks = 0;
    std::set<int32_t> layers;
    for (const TSchiene* piece : Pieces(*doc)) {
        turnouts += piece->ConnectionCount() == 3;
        crossings += piece->ConnectionCount() == 4;
        labelled += piece->Labels.Count() == 2;
        blocks += piece->IsBlockTrack();
        layers.insert(piece->Layer);
        for (int p = 0; p < piece->ConnectionCount(); ++p) EXPECT_EQ(piece->Point(p).fHeight, 0);
    }
    // Shares within a few standard deviations.
    EXPECT_NEAR(turnouts, 400, 80);
    EXPECT_NEAR(crossings, 200, 60);
    EXPECT_NEAR(labelled, 1000, 120);
    EXPECT_NEAR(blocks, 2000, 700);  // decided per run of 40
    EXPECT_EQ(layers, (std::set<int32_t>{0, 1, 2, 3, 4}));
    // Every layer used is visible, so every piece is drawn with its ballast.
    for (int32_t layer : layers) EXPECT_TRUE(GlobalSettings.VisibleLayers().Contains(layer));
}

TEST_F(GeneratedLayouts, SameSeedSameBytesOtherSeedOtherLayout) {
    TRandomLayoutParams params;
    params.Pieces = 300;
    params.Seed = 42;
    const std::vector<uint8_t> first = RandomLayoutFile(params);
    EXPECT_TRUE(first == RandomLayoutFile(params));
    params.Seed = 43;
    EXPECT_FALSE(first == RandomLayoutFile(params));
    EXPECT_TRUE(DemoLayoutFile() == DemoLayoutFile());
}

TEST(RandomLayoutParams, RejectsWhatCannotBeLaid) {
    const struct {
        const char* name;
        void (*change)(TRandomLayoutParams&);
    } cases[] = {
        {"no pieces", [](TRandomLayoutParams& p) { p.Pieces = 0; }},
        {"too many pieces", [](TRandomLayoutParams& p) { p.Pieces = kMaxRandomPieces + 1; }},
        {"negative share", [](TRandomLayoutParams& p) { p.Slopes = -0.1; }},
        {"share above 1", [](TRandomLayoutParams& p) { p.Labels = 1.5; }},
        {"NaN share", [](TRandomLayoutParams& p) { p.Blocks = std::nan(""); }},
        {"kinds above 1",
         [](TRandomLayoutParams& p) { p.Curves = 0.6, p.Turnouts = 0.3, p.Crossings = 0.2; }},
        {"no layers", [](TRandomLayoutParams& p) { p.Layers = 0; }},
        {"too many layers", [](TRandomLayoutParams& p) { p.Layers = 257; }},
    };
    EXPECT_EQ(CheckParams({}), "");
    for (const auto& c : cases) {
        TRandomLayoutParams p;
        c.change(p);
        EXPECT_NE(CheckParams(p), "") << c.name;
        EXPECT_THROW(RandomPlan(p), std::invalid_argument) << c.name;
    }
}

}  // namespace
}  // namespace tk3d::gen
