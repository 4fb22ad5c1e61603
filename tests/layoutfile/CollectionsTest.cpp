// The streamable collections and the object list with its font table and
// catenary list.
#include <gtest/gtest.h>

#include "ReadBack.h"
#include "layoutfile/GlobalState.h"
#include "layoutfile/TKObjectList.h"
#include "obj3d/FontCache.h"
#include "obj3d/T3DList.h"
#include "objects/RailObject.h"

namespace tk3d {
namespace {

using tk3dtest::ReadFramed;

TEST(Collections, EmptyCollectionSizes) {
    for (bool is32 : {true, false}) {
        tk3dw::TLayoutWriter w;
        const size_t frame = w.BeginFrame(tk3dw::ids::RailCollection, is32);
        tk3dw::WriteCollectionHeader(w, 0, {.is32 = is32}, 7);
        w.EndFrame(frame);
        int64_t end = 0;
        auto c = ReadFramed<TRailCollection>(w, {.is32 = is32}, &end);
        EXPECT_EQ(end, is32 ? 2 + 4 + 12 : 2 + 6);
        EXPECT_EQ(c->Version, is32 ? 7 : 0);  // 16-bit collections store none
        EXPECT_EQ(c->Count(), 0);
    }
}

TEST(Collections, ItemsKeepTheirSlots) {
    tk3dw::TLayoutWriter w;
    const size_t frame = w.BeginFrame(tk3dw::ids::RailCollection);
    tk3dw::WriteCollectionHeader(w, 3);
    tk3dw::WriteLine(w, {.x2 = 1});
    w.NullFrame();
    tk3dw::WriteLabel(w, {.text = "x"});
    w.EndFrame(frame);
    auto c = ReadFramed<TRailCollection>(w);
    ASSERT_EQ(c->Count(), 3);
    EXPECT_NE(dynamic_cast<TGeradeLinie*>(c->Item(0)), nullptr);
    EXPECT_EQ(c->Item(1), nullptr);
    EXPECT_NE(dynamic_cast<TBeschriftung*>(c->Item(2)), nullptr);
    c->FreeItemIdx(5);  // ignored
    c->FreeItemIdx(0);
    EXPECT_EQ(c->Count(), 2);
}

TEST(Collections, NoFreeCollectionHoldsIntegers) {
    tk3dw::TLayoutWriter w;
    const size_t frame = w.BeginFrame(tk3dw::ids::NoFreeCollection);
    tk3dw::WriteCollectionHeader(w, 3);
    for (int32_t v : {5, -6, 70000}) w.Integer(v);
    w.EndFrame(frame);
    auto c = ReadFramed<TNoFreeCollection>(w);
    EXPECT_EQ(c->Values, (std::vector<int32_t>{5, -6, 70000}));
}

TEST(Collections, CountsTheFileCannotHoldFail) {
    // The capacity is no measure: a huge one with a small count reads fine.
    struct {
        int32_t capacity, count;
        bool ok;
    } cases[] = {{1 << 30, 1, true}, {1, -1, false}, {1, 3, false}, {1, 1 << 30, false}};
    for (const auto& c : cases) {
        tk3dw::TLayoutWriter w;
        const size_t frame = w.BeginFrame(tk3dw::ids::NoFreeCollection);
        w.Integer(12);
        w.Integer(c.capacity);
        w.Integer(c.count);
        w.Integer(9);
        w.Integer(9);  // room for two Integers only
        w.EndFrame(frame);
        if (c.ok)
            EXPECT_NO_THROW(ReadFramed<TNoFreeCollection>(w));
        else
            EXPECT_THROW(ReadFramed<TNoFreeCollection>(w), EReadError) << c.count;
    }
}

TEST(Collections, TypedCollectionsRequireTheirClass) {
    // A fill-point collection holding a label.
    tk3dw::TLayoutWriter w;
    const size_t frame = w.BeginFrame(tk3dw::ids::FuellColl);
    tk3dw::WriteCollectionHeader(w, 1);
    tk3dw::WriteLabel(w, {});
    w.EndFrame(frame);
    EXPECT_THROW(ReadFramed<TFuellColl>(w), EInvalidCast);
}

class ObjectListTest : public testing::Test {
protected:
    void SetUp() override { ResetGlobalState(); }
    void TearDown() override { ResetGlobalState(); }

    static std::unique_ptr<TTKObjectList> Read(const tk3dw::WDocument& d, int64_t* end = nullptr) {
        tk3dw::TLayoutWriter w;
        const size_t frame = w.BeginFrame(tk3dw::ids::TKObjectList);
        tk3dw::WriteObjectListSection(w, d);
        w.EndFrame(frame);
        return ReadFramed<TTKObjectList>(w, {}, end);
    }
    static tk3dw::WObjectWriter Object(int32_t number) {
        tk3dw::WRailObject o;
        o.number = number;
        o.labels = {{.text = "l", .kind = 3, .withFont = true, .fontKey = 1}};
        return tk3dw::RailObjectWriter(o);
    }
};

TEST_F(ObjectListTest, VersionsGateFontTableAndCatenary) {
    for (int32_t version : {4, 5, 6}) {
        tk3dw::WDocument d;
        d.version = version;
        d.objects = {Object(2)};
        d.fonts = {{.key = 1, .font = {.height = -20, .face = "Arial"}}};
        d.catenary = {Object(3)};
        auto list = Read(d);
        EXPECT_EQ(list->Version, version);
        EXPECT_EQ(list->Catenary.Count(), version > 5 ? 1 : 0);
        const TFontData& font = *list->Items(0)->Labels.Item(0).FontData;
        EXPECT_EQ(font.LogFont().lfHeight, version > 4 ? -20 : 0) << version;
        if (version > 5) {
            EXPECT_EQ(list->Catenary.Items(0)->Owner, list.get());
            EXPECT_EQ(list->Catenary.Items(0)->Number, 3);
        }
        EXPECT_EQ(list->Items(0)->Owner, list.get());
    }
}

TEST_F(ObjectListTest, FontTableEntries) {
    tk3dw::WDocument d;
    d.objects = {Object(2)};
    // Unsorted keys, an ANSI entry, a repeated key (the first entry counts).
    d.fonts = {{.key = 9, .font = {.height = 9}},
               {.version = 1, .key = 1, .font = {.height = -11, .face = "Times New Roman"}},
               {.key = 1, .font = {.height = 5}}};
    auto list = Read(d);
    const TLogFontW font = list->Items(0)->Labels.Item(0).FontData->LogFont();
    EXPECT_EQ(font.lfHeight, -11);
    EXPECT_EQ(FaceName(font), "Times New Roman");
}

TEST_F(ObjectListTest, HostileCountsFail) {
    tk3dw::WDocument d;
    d.fonts = {{.key = 1}};
    tk3dw::TLayoutWriter w;
    const size_t frame = w.BeginFrame(tk3dw::ids::TKObjectList);
    tk3dw::WriteObjectListSection(w, d);
    w.EndFrame(frame);
    // The font count follows the 12-byte collection header.
    for (int32_t count : {-1, 2, 1 << 28}) {
        tk3dw::TLayoutWriter bad = w;
        bad.PatchInteger(6 + 12, count);
        EXPECT_THROW(ReadFramed<TTKObjectList>(bad), EReadError) << count;
    }
}

TEST_F(ObjectListTest, CatenaryWithUnknownClassFails) {
    tk3dw::WDocument d;
    d.catenary = {[](tk3dw::TLayoutWriter& w, const tk3dw::WFormat&) {
        const size_t f = w.BeginFrame(10047);
        w.EndFrame(f);
    }};
    try {
        Read(d);
        FAIL();
    } catch (const TStreamEx& e) {
        EXPECT_STREQ(e.what(), "Unbekannter Objekttyp! [10047]");
    }
}

TEST_F(ObjectListTest, MainListHoldsLayoutObjectsOnly) {
    tk3dw::WDocument d;
    d.objects = {[](tk3dw::TLayoutWriter& w, const tk3dw::WFormat& f) { tk3dw::WriteLine(w, {}, f); }};
    EXPECT_THROW(Read(d), EInvalidCast);
}

TEST_F(ObjectListTest, ShapesHoldPrimitivesOnly) {
    tk3dw::WDocument d;
    tk3dw::WRailObject o;
    o.shapes = {[](tk3dw::TLayoutWriter& w) { tk3dw::WriteLabel(w, {}); }};
    d.objects = {tk3dw::RailObjectWriter(o)};
    EXPECT_THROW(Read(d), EInvalidCast);
    // Primitives are not registered yet: any other class ID is unknown.
    o.shapes = {[](tk3dw::TLayoutWriter& w) { w.SmallInt(10055); }};
    d.objects = {tk3dw::RailObjectWriter(o)};
    EXPECT_THROW(Read(d), TStreamEx);
}

TEST_F(ObjectListTest, Numbers) {
    TTKObjectList list;
    EXPECT_EQ(list.MaxNumber(), 1);
    EXPECT_EQ(list.NextFreeNumber(), 2);
    auto add = [&](int32_t number) {
        auto o = std::make_unique<TRailObject>();
        o->Number = number;
        list.TTypedCollection::ADD(std::move(o));
        list.Changed();
    };
    add(5);
    add(3);
    EXPECT_EQ(list.MaxNumber(), 5);
    EXPECT_EQ(list.NextFreeNumber(), 6);
    add(INT32_MAX);
    add(2);
    // The largest Integer is taken: the smallest free number from 2 up.
    EXPECT_EQ(list.NextFreeNumber(), 4);
    EXPECT_EQ(list.FindByNumber(3), list.Items(1));
    EXPECT_EQ(list.FindByNumber(4), nullptr);
    // Renumbering takes the free number first, then frees the old one.
    list.AssignNextFreeNumber(*list.Items(1));
    EXPECT_EQ(list.Items(1)->Number, 4);
    EXPECT_EQ(list.NextFreeNumber(), 3);
    EXPECT_EQ(list.FindByNumber(3), nullptr);
}

}  // namespace
}  // namespace tk3d
