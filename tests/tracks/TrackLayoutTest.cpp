// The sectional-track fixture layout read as a whole: pieces joined,
// routes completed, and the settings switches changing what is drawn.
#include <gtest/gtest.h>

#include "TrackLayout.h"
#include "TrackTestSupport.h"
#include "layoutfile/LoadLayout.h"
#include "layoutfile/RailList.h"
#include "obj3d/DocumentScene.h"
#include "tracks/Turntables.h"

namespace tk3d {
namespace {

using namespace tracktest;

class TrackLayout : public TrackTest {
protected:
    std::unique_ptr<TRailList> Load(bool ties, bool ballast) {
        return LoadLayoutFromMemory(tk3dw::TrackLayoutFile(ties, ballast), "tracks.tkl");
    }
    static size_t TieVertices(const TCompiledScene& s) {
        size_t n = 0;
        for (const TTriangleBatch& b : s.Triangles)
            for (const TTriangleVertex& v : b.Vertices)
                if (v.Color[0] == 0x80 && v.Color[1] == 0x40 && v.Color[2] == 0) ++n;
        return n;
    }
};

TEST_F(TrackLayout, PiecesAreJoinedAndRouted) {
    tk3dw::WTrackLayoutIndex index;
    tk3dw::TrackLayoutDocument(&index);
    auto doc = Load(false, false);
    ASSERT_EQ(doc->Count(), index.count);
    int joined = 0, open = 0;
    for (int i = 0; i < doc->Count(); ++i) {
        auto* piece = dynamic_cast<TSchiene*>(doc->Items(i));
        if (!piece) continue;
        for (int p = 0; p < piece->ConnectionCount(); ++p) {
            const TAnschlussPunkt& point = piece->Point(p);
            if (!point.fPartner) {
                ++open;
                continue;
            }
            ++joined;
            EXPECT_EQ(point.fPartner->fPartner, &point);
            // Joined points meet in the layout.
            const TExtPoint a = point.AbsolutePosition(), b = point.fPartner->AbsolutePosition();
            EXPECT_NEAR(a.X, b.X, 1e-6) << i << " " << p;
            EXPECT_NEAR(a.Y, b.Y, 1e-6) << i << " " << p;
            EXPECT_NEAR(point.fHeight, point.fPartner->fHeight, 1e-9) << i << " " << p;
        }
    }
    EXPECT_EQ(joined, 2 * (18 + 3 + 1));  // the oval, the branch with its table, the block track
    EXPECT_EQ(open, 11 + 4 + 2);          // the table's free tracks, the crossing, the block's ends

    auto& turnout = dynamic_cast<TSchiene&>(*doc->Items(index.turnout));
    ASSERT_NE(turnout.fStates, nullptr);
    EXPECT_EQ(turnout.fStates->Count(), 2);
    EXPECT_EQ(dynamic_cast<TSchiene&>(*doc->Items(index.crossing)).fStates->Count(), 2);
    auto* table = dynamic_cast<TTurntable*>(doc->Items(index.turntable));
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->fStates, nullptr);
    EXPECT_TRUE(dynamic_cast<TSchiene&>(*doc->Items(index.block)).IsBlockTrack());

    int32_t top = 0, bottom = 0;
    doc->GetHeightRange(top, bottom);
    EXPECT_EQ(top, 30);
    EXPECT_EQ(bottom, 0);
}

TEST_F(TrackLayout, TiesAndBallastFollowTheSettings) {
    auto plain = Load(false, false);
    const TCompiledScene flat = CompileDocument(*plain, true);
    EXPECT_EQ(TieVertices(flat), 0u);
    GlobalSettings.SetShowTies(true);  // as the toolbar button does before a rebuild
    const TCompiledScene tied = CompileDocument(*plain, true);
    EXPECT_GT(TieVertices(tied), 6u * 300);
    EXPECT_GT(tied.LineCount(), flat.LineCount());

    auto bedded = Load(false, true);
    const TCompiledScene ballast = CompileDocument(*bedded, true);
    EXPECT_GT(ballast.TriangleCount(), flat.TriangleCount());
    // The bed lies 5 mm below the band.
    EXPECT_EQ(ballast.Box.Min.Z, -5);
    EXPECT_EQ(flat.Box.Min.Z, 0);
    // A hidden layer draws nothing and shows no bed.
    GlobalSettings.SetVisibleLayers({});
    EXPECT_EQ(CompileDocument(*bedded, true).TriangleCount(), 0);
}

}  // namespace
}  // namespace tk3d
