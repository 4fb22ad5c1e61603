// Layer data: the entry and list layouts with their end positions, the rule
// of one entry per layer, and the layer range of GetLayerData.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "WriteSettings.h"
#include "layoutfile/LayerData.h"
#include "layoutfile/LayerSet.h"
#include "layoutfile/Stream.h"

namespace tk3d {
namespace {

using tk3dw::TLayoutWriter;
using tk3dw::WLayerData;

TLayoutWriter ListBytes(const std::vector<WLayerData>& entries) {
    TLayoutWriter w;
    tk3dw::WriteLayerDataList(w, entries);
    return w;
}

void ReadInto(TLayerDataList& list, const TLayoutWriter& w, int64_t expectedEnd = -1) {
    TMemoryStream stream(w.bytes);
    list.ReadFromStream(stream);
    EXPECT_EQ(stream.Position(), expectedEnd < 0 ? int64_t(w.bytes.size()) : expectedEnd);
}

void ExpectReadError(const TLayoutWriter& w) {
    TLayerDataList list;
    TMemoryStream stream(w.bytes);
    try {
        list.ReadFromStream(stream);
        ADD_FAILURE() << "no error";
    } catch (const EReadError& e) {
        EXPECT_STREQ(e.what(), "Stream-Lesefehler");
    }
}

TEST(LayerData, EntryVersionsAndTrailingBytes) {
    const WLayerData v1{.version = 1,
                        .layer = 2,
                        .lineColor = 0x11,
                        .lineWidth = 3,
                        .fillColor = 0x22,
                        .doFill = false,
                        .height = -7.25,
                        .tieColor = 0x99};
    WLayerData v3 = v1;
    v3.version = 3;
    v3.layer = 3;
    WLayerData longer = v3;
    longer.layer = 4;
    longer.trailing = 13;
    TLayoutWriter w = ListBytes({v1, v3, longer});
    EXPECT_EQ(w.bytes.size(), size_t(12 + 35 + 39 + 39 + 13));

    TLayerDataList list;
    ReadInto(list, w);
    ASSERT_EQ(list.Count(), 3);
    const TLayerData& a = list[0];
    EXPECT_EQ(a.fLayer, 2);
    EXPECT_EQ(a.flineColor, 0x11u);
    EXPECT_EQ(a.fLineWidth, 3);
    EXPECT_EQ(a.fFillColor, 0x22u);
    EXPECT_FALSE(a.fDoFill);
    EXPECT_EQ(a.fHoehe, -7.25);
    EXPECT_EQ(a.fTieColor, 0x004080u);  // version 1 has none: the default stays
    EXPECT_EQ(a.fVersion, 3);
    EXPECT_EQ(list[1].fTieColor, 0x99u);
    EXPECT_EQ(list[2].fLayer, 4);
}

TEST(LayerData, HeaderEndSkipsAppendedHeaderFields) {
    TLayoutWriter w;
    const size_t end = w.BeginEnd32();
    w.Integer(2);
    w.Integer(1);
    w.Zeros(6);  // a later writer's header field
    w.EndEnd32(end);
    tk3dw::WriteLayerData(w, {.layer = 8});
    TLayerDataList list;
    ReadInto(list, w);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list[0].fLayer, 8);
}

TEST(LayerData, FirstEntryOfALayerWins) {
    TLayerDataList list;
    ReadInto(list, ListBytes({{.layer = 4, .lineWidth = 1}, {.layer = 4, .lineWidth = 2}}));
    ReadInto(list, ListBytes({{.layer = 4, .lineWidth = 3}, {.layer = 5, .lineWidth = 4}}));
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list[0].fLineWidth, 1);
    EXPECT_EQ(list[1].fLayer, 5);
}

TEST(LayerData, AddReplacesTheEntryOfTheSameLayer) {
    TLayerDataList list;
    list.GetLayerData(4)->fLineWidth = 1;
    list.GetLayerData(6);
    auto newer = std::make_unique<TLayerData>(4);
    newer->fLineWidth = 2;
    list.Add(std::move(newer));
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list[0].fLayer, 6);
    EXPECT_EQ(list.GetLayerData(4)->fLineWidth, 2);
    list.DeleteLayerData(4);
    EXPECT_FALSE(list.HasLayerData(4));
    EXPECT_EQ(list.Count(), 1);
}

TEST(LayerData, GetLayerDataOnlyForLayers0To255) {
    TLayerDataList list;
    EXPECT_EQ(list.GetLayerData(256), nullptr);
    EXPECT_EQ(list.GetLayerData(-1), nullptr);
    EXPECT_EQ(list.Count(), 0);
    TLayerData* entry = list.GetLayerData(12);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(entry->fFillColor, 0xC0C0C0u);
    EXPECT_TRUE(entry->fDoFill);
    EXPECT_EQ(list.GetLayerData(12), entry);
    EXPECT_EQ(list.GetLayerData(255)->fLayer, 255);
}

TEST(LayerData, AssignCopiesEntriesButNotTheirFormatVersion) {
    TLayerDataList source;
    TLayerData* a = source.GetLayerData(1);
    a->fVersion = 9;
    a->fHoehe = 3.5;
    source.GetLayerData(2);
    TLayerDataList copy;
    copy.GetLayerData(7);
    copy.Assign(source);
    ASSERT_EQ(copy.Count(), 2);
    EXPECT_EQ(copy[0].fHoehe, 3.5);
    EXPECT_EQ(copy[0].fVersion, 3);
    EXPECT_NE(&copy[0], a);
    EXPECT_FALSE(copy.HasLayerData(7));
}

TEST(LayerData, NonFiniteHeightBecomesZero) {
    TLayerDataList list;
    ReadInto(list, ListBytes({{.layer = 1, .height = std::numeric_limits<double>::quiet_NaN()},
                              {.layer = 2, .height = -std::numeric_limits<double>::infinity()}}));
    EXPECT_EQ(list[0].fHoehe, 0.0);
    EXPECT_EQ(list[1].fHoehe, 0.0);
}

// Bad end positions and counts: a backward end would re-read the same bytes.
TEST(LayerData, HostileEndsAndCounts) {
    const TLayoutWriter good = ListBytes({{.layer = 1}, {.layer = 2}});
    const size_t headerEnd = 0, firstEntryEnd = 12, count = 8;
    struct TCase {
        const char* name;
        size_t at;
        int32_t value;
    };
    for (const TCase& c : {
             TCase{"header end backward", headerEnd, 4},
             TCase{"header end beyond file", headerEnd, 10000},
             TCase{"header end negative", headerEnd, -1},
             TCase{"entry end backward", firstEntryEnd, 12},
             TCase{"entry end inside its fields", firstEntryEnd, 12 + 30},
             TCase{"entry end beyond file", firstEntryEnd, 0x7FFFFFFF},
             TCase{"count negative", count, -1},
             TCase{"count beyond the bytes", count, 3},
             TCase{"count huge", count, 0x7FFFFFFF},
         }) {
        SCOPED_TRACE(c.name);
        TLayoutWriter w = good;
        w.PatchInteger(c.at, c.value);
        ExpectReadError(w);
    }
    for (size_t cut = 0; cut < good.bytes.size(); ++cut) {
        TLayoutWriter w;
        w.bytes.assign(good.bytes.begin(), good.bytes.begin() + long(cut));
        ExpectReadError(w);
    }
}

TEST(LayerSet, NumbersOutside0To255AreInNoSet) {
    TLayerSet set;
    for (int n : {-1, 256, 300}) set.Add(n);
    EXPECT_TRUE(set.IsEmpty());
    set.bits.fill(0xFF);
    EXPECT_FALSE(set.Contains(-1));
    EXPECT_FALSE(set.Contains(300));
    EXPECT_TRUE(set.Contains(255));
}

}  // namespace
}  // namespace tk3d
