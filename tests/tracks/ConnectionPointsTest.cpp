// Connection points: both stream layouts, heights, coupling kinds and the
// partners resolved after the document is read.
#include <gtest/gtest.h>

#include <cmath>

#include "ReadBack.h"
#include "WriteTracks.h"
#include "layoutfile/GlobalState.h"
#include "layoutfile/LoadLayout.h"
#include "layoutfile/RailList.h"
#include "tracks/Schiene.h"

namespace tk3d {
namespace {

using tk3dtest::ReadFramed;
using tk3dw::WPoint;

class ConnectionPoints : public testing::Test {
protected:
    void SetUp() override { ResetGlobalState(); }
    void TearDown() override { ResetGlobalState(); }
};

std::unique_ptr<TAnschlussPunkt> Read(const WPoint& p, const tk3dw::WFormat& f = {}, int64_t* end = nullptr) {
    tk3dw::TLayoutWriter w;
    tk3dw::WritePoint(w, p, f);
    return ReadFramed<TAnschlussPunkt>(w, f, end);
}

WPoint Sample(uint16_t version) {
    return {.version = version,
            .x = 1.5,
            .y = -2,
            .direction = 0.25,
            .partnerObject = 3,
            .partnerPoint = 1,
            .color = 0x123456,
            .attrWidth = 7,
            .attrLength = 9,
            .height = 42.5,
            .showHeight = false,
            .attrByte = 5,
            .labelX = 11,
            .labelY = -13,
            .valueB = 0xABCDEF,
            .coupling = 2,
            .flags = 3,
            .valueA = 0x77};
}

TEST_F(ConnectionPoints, EveryVersionOfBothLayouts) {
    struct Case {
        uint16_t version;
        TColorRef color;
        int32_t attrWidth, attrLength;
        double height;
        bool showHeight;
        uint8_t attrByte;
        TPoint label;
        uint32_t valueB;
        uint8_t coupling, flags;
        uint32_t valueA;
    } cases[] = {
        {1, 0, 0, -1, 0, true, 0, {0, -20}, 0xFFFFFF, 0, 0, 0},
        {2, 0x123456, 7, 9, 0, true, 0, {0, -20}, 0xFFFFFF, 0, 0, 0},
        {3, 0x123456, 7, 9, 42.5, true, 0, {0, -20}, 0xFFFFFF, 0, 0, 0},
        {4, 0x123456, 7, 9, 42.5, false, 0, {0, -20}, 0xFFFFFF, 0, 0, 0},
        {5, 0x123456, 7, 9, 42.5, false, 5, {0, -20}, 0xFFFFFF, 0, 0, 0},
        {6, 0x123456, 7, 9, 42.5, false, 5, {11, -13}, 0xFFFFFF, 0, 0, 0},
        {7, 0x123456, 7, 9, 42.5, false, 5, {11, -13}, 0xFFFFFF, 0, 0, 0},
        {8, 0x123456, 7, 9, 42.5, false, 5, {11, -13}, 0xABCDEF, 0, 0, 0xFF},
        {9, 0x123456, 7, 9, 42.5, false, 5, {11, -13}, 0xABCDEF, 2, 0, 0xFF},
        {10, 0x123456, 7, 9, 42.5, false, 5, {11, -13}, 0xABCDEF, 2, 2, 0xFF},  // bit 0 cleared
        {11, 0x123456, 7, 9, 42.5, false, 5, {11, -13}, 0xABCDEF, 2, 2, 0x77},
    };
    for (const tk3dw::WFormat& f : {tk3dw::WFormat{}, tk3dw::WFormat{.is32 = false}}) {
        for (const Case& c : cases) {
            tk3dw::TLayoutWriter w;
            tk3dw::WritePoint(w, Sample(c.version), f);
            int64_t end = 0;
            auto p = ReadFramed<TAnschlussPunkt>(w, f, &end);
            const std::string at = "version " + std::to_string(c.version) + (f.is32 ? "" : " (16-bit)");
            EXPECT_EQ(end, int64_t(w.bytes.size())) << at;
            EXPECT_EQ(p->fVersion, c.version) << at;
            EXPECT_EQ(p->fPosition, (TExtPoint{1.5, -2})) << at;
            EXPECT_EQ(p->fDirection, 0.25) << at;
            EXPECT_EQ(p->fPartnerObject, 3) << at;
            EXPECT_EQ(p->fPartnerPoint, 1) << at;
            EXPECT_EQ(p->fPartner, nullptr) << at;
            EXPECT_EQ(p->fPointColor, c.color) << at;
            EXPECT_EQ(p->fAttrWidth, c.attrWidth) << at;
            EXPECT_EQ(p->fAttrLength, c.attrLength) << at;
            EXPECT_EQ(p->fHeight, c.height) << at;
            EXPECT_EQ(p->fShowHeight, c.showHeight) << at;
            EXPECT_EQ(p->fAttrByte, c.attrByte) << at;
            EXPECT_EQ(p->fLabelOffset, c.label) << at;
            EXPECT_EQ(p->fAttrValueB, c.valueB) << at;
            EXPECT_EQ(p->fCoupling, c.coupling) << at;
            EXPECT_EQ(p->fPointFlags, c.flags) << at;
            EXPECT_EQ(p->fAttrValueA, c.valueA) << at;
        }
    }
}

TEST_F(ConnectionPoints, OldInchLayoutsStoredTenthsOfTheHeight) {
    struct Case {
        uint16_t version;
        bool inch;
        double height;
    } cases[] = {{3, true, 12.3}, {6, true, 12.3}, {7, true, 123}, {11, true, 123}, {3, false, 123}};
    for (const Case& c : cases) {
        GlobalSettings.SetInchUnits(c.inch);
        WPoint p = Sample(c.version);
        p.height = 123;
        EXPECT_NEAR(Read(p)->fHeight, c.height, 1e-12) << c.version << " " << c.inch;
    }
}

TEST_F(ConnectionPoints, HeightsNearZeroOrNoNumberReadAsZero) {
    struct Case {
        double stored, read;
    } cases[] = {{5e-9, 0}, {-5e-9, 0}, {2e-8, 2e-8}, {std::nan(""), 0}, {HUGE_VAL, 0}, {-HUGE_VAL, 0}};
    for (const Case& c : cases) {
        WPoint p = Sample(11);
        p.height = c.stored;
        EXPECT_EQ(Read(p)->fHeight, c.read) << c.stored;
    }
}

TEST_F(ConnectionPoints, CouplingKindsMatchWhenComplementary) {
    struct Case {
        uint8_t a, b;
        bool match;
    } cases[] = {{0, 0, true},  {1, 2, true},  {2, 1, true},  {1, 1, false},
                 {2, 2, false}, {0, 2, false}, {1, 0, false}, {3, 1, false}};
    for (const Case& c : cases) {
        TAnschlussPunkt a, b;
        a.fCoupling = c.a;
        b.fCoupling = c.b;
        EXPECT_EQ(CouplingsMatch(a, b), c.match) << int(c.a) << " " << int(c.b);
    }
}

// Two-point pieces whose points name the given partners (object, point).
tk3dw::WTrack Piece(std::vector<std::pair<int32_t, int32_t>> partners, uint16_t pointVersion = 11) {
    tk3dw::WTrack t = tk3dw::StraightTrack(100, {});
    t.points.resize(partners.size());
    for (size_t i = 0; i < partners.size(); ++i) {
        t.points[i].version = pointVersion;
        t.points[i].partnerObject = partners[i].first;
        t.points[i].partnerPoint = partners[i].second;
    }
    return t;
}

std::unique_ptr<TRailList> Load(std::vector<tk3dw::WObjectWriter> objects) {
    tk3dw::WDocument d;
    d.objects = std::move(objects);
    return LoadLayoutFromMemory(tk3dw::LayoutFile(d), "points.tkl");
}

TSchiene& PieceAt(const TRailList& doc, int i) { return dynamic_cast<TSchiene&>(*doc.Items(i)); }

TEST_F(ConnectionPoints, PartnersAreResolvedOnlyToPointsOfTrackPieces) {
    auto doc = Load({
        tk3dw::TrackWriter(Piece({{1, 0}, {-1, 0}})),                            // 0: joined to piece 1; none
        tk3dw::TrackWriter(Piece({{0, 0}, {2, 0}})),                             // 1: mutual; a plain object
        tk3dw::RailObjectWriter({}),                                             // 2
        tk3dw::TrackWriter(Piece({{1, 5}, {-2, 0}, {99, 0}, {2, 0}, {0, -1}})),  // 3: nothing valid
    });
    TSchiene &a = PieceAt(*doc, 0), &b = PieceAt(*doc, 1), &c = PieceAt(*doc, 3);
    EXPECT_EQ(a.Point(0).fPartner, &b.Point(0));
    EXPECT_EQ(b.Point(0).fPartner, &a.Point(0));
    EXPECT_EQ(a.Point(1).fPartner, nullptr);  // a point index alone joins nothing
    EXPECT_EQ(b.Point(1).fPartner, nullptr);
    for (int i = 0; i < c.ConnectionCount(); ++i) EXPECT_EQ(c.Point(i).fPartner, nullptr) << i;
    EXPECT_EQ(a.Point(0).fOwner, &a);

    // Freeing one side leaves no dangling partner on the other.
    doc->FreeItemIdx(1);
    EXPECT_EQ(a.Point(0).fPartner, nullptr);
}

TEST_F(ConnectionPoints, OneSidedAndConflictingLinksStayMutual) {
    // Piece 0 names piece 1's point 0, which names nothing: the link holds.
    // Piece 2 then claims the same point: the later claim wins and the first
    // point is released.
    auto doc =
        Load({tk3dw::TrackWriter(Piece({{1, 0}, {-1, -1}})), tk3dw::TrackWriter(Piece({{-1, -1}, {-1, -1}})),
              tk3dw::TrackWriter(Piece({{1, 0}, {-1, -1}}))});
    TSchiene &a = PieceAt(*doc, 0), &b = PieceAt(*doc, 1), &c = PieceAt(*doc, 2);
    EXPECT_EQ(a.Point(0).fPartner, nullptr);
    EXPECT_EQ(b.Point(0).fPartner, &c.Point(0));
    EXPECT_EQ(c.Point(0).fPartner, &b.Point(0));
}

TEST_F(ConnectionPoints, VersionOnePointsTakeTheCurrentAttributes) {
    tk3dw::WTrack t = Piece({{-1, -1}, {-1, -1}}, 1);
    t.lineWidth = 3;
    t.trackWidth = 37.6;
    auto doc = Load({tk3dw::TrackWriter(t)});
    const TAnschlussPunkt& p = PieceAt(*doc, 0).Point(0);
    EXPECT_EQ(p.fVersion, 11);
    EXPECT_EQ(p.fAttrWidth, 3);
    EXPECT_EQ(p.fAttrLength, 38 / 2 - 5);
    EXPECT_EQ(p.fPointColor, 0u);
}

TEST_F(ConnectionPoints, TheCollectionHoldsPointsOnly) {
    for (int kind = 0; kind < 2; ++kind) {
        tk3dw::TLayoutWriter w;
        tk3dw::WriteCollectionHeader(w, 1);
        if (kind == 0)
            w.NullFrame();
        else
            tk3dw::WriteState(w, {});
        TMemoryStream s(w.bytes);
        TAnschlussColl points;
        EXPECT_THROW(points.Load(s), EInvalidCast) << kind;
    }
}

}  // namespace
}  // namespace tk3d
