// The basic and placeable object sections of every version, references
// resolved after loading, rectangles and height ranges.
#include <gtest/gtest.h>

#include <cmath>

#include "ReadBack.h"
#include "landscape/FillAreas.h"
#include "layoutfile/GlobalState.h"
#include "layoutfile/RailList.h"
#include "obj3d/FontCache.h"
#include "objects/RailObject.h"

namespace tk3d {
namespace {

using tk3dtest::ReadFramed;
using tk3dw::WRailObject;

class RailObjectTest : public testing::Test {
protected:
    void SetUp() override { ResetGlobalState(); }
    void TearDown() override { ResetGlobalState(); }

    static std::unique_ptr<TRailObject> Read(const WRailObject& o, const tk3dw::WFormat& f = {},
                                             int64_t* end = nullptr) {
        tk3dw::TLayoutWriter w;
        tk3dw::WriteRailObject(w, o, f);
        return ReadFramed<TRailObject>(w, f, end);
    }
    static std::unique_ptr<TRailList> ReadDocument(const tk3dw::WDocument& d) {
        tk3dw::TLayoutWriter w;
        tk3dw::WriteDocument(w, d);
        return ReadFramed<TRailList>(w);
    }
};

WRailObject Sample() {
    WRailObject o;
    o.labels = {{.text = "desc", .kind = 0}, {.text = "ART-1", .kind = 1}};
    o.stateFlags = 8 | 1024;
    o.layer = 7;
    o.text1 = "t1";
    o.text2 = "t2";
    o.value1 = 11;
    o.value2 = 2.5;
    o.textList = {{"a", 1}, {"b", 2}};
    o.color = 0x0000FF;
    o.lineWidth = 2;
    o.text3 = "t3";
    o.value3 = 4;
    o.x = 1000.25;
    o.y = -20;
    o.price = 9.95;
    o.number = 42;
    o.items = {{.artNr = "x", .description = "dx", .notes = {"n1", "n2"}, .count = 3}};
    o.lines = {{.x1 = 0, .y1 = 0, .x2 = 100, .y2 = 50}};
    o.angle = 0.5;
    o.textColor = 0x123456;
    o.fillPoints = {{.x = 3, .y = 4, .brush = 1}};
    o.fillAreas = {{.color = 0xFF, .coords = {0, 0, 10, 0, 10, 10}},
                   {.circle = true, .cx = 1, .cy = 2, .radius = 3}};
    o.links = {5};
    o.height = 120.6;
    o.dockedTo = 3;
    o.dockPos = 1.5;
    o.dockMode = 4;
    o.dockLine = 0;
    return o;
}

TEST_F(RailObjectTest, CurrentLayout) {
    auto o = Read(Sample());
    EXPECT_EQ(o->Version, 41007);
    ASSERT_EQ(o->Labels.Count(), 2u);
    EXPECT_EQ(o->ArtNrLabel()->Text, "ART-1");
    EXPECT_EQ(o->ArtNrLabel()->Owner, o.get());
    EXPECT_EQ(o->StateFlags, 8 | 1024);
    EXPECT_EQ(o->Layer, 7);
    EXPECT_EQ(o->Text1, "t1");
    EXPECT_EQ(o->Text2, "t2");
    EXPECT_EQ(o->Value1, 11);
    EXPECT_EQ(o->Value2, 2.5);
    ASSERT_EQ(o->TextList.size(), 2u);
    EXPECT_EQ(o->TextList[1].Text, "b");
    EXPECT_EQ(o->TextList[1].Value, 2);
    EXPECT_EQ(o->Color, 0xFFu);
    EXPECT_EQ(o->LineWidth, 2);
    EXPECT_EQ(o->Text3, "t3");
    EXPECT_EQ(o->Value3, 4);
    EXPECT_EQ(o->Position, (TExtPoint{1000.25, -20}));
    EXPECT_EQ(o->Price, 9.95);
    EXPECT_EQ(o->Number, 42);
    ASSERT_TRUE(o->CompiledItems);
    ASSERT_EQ(o->CompiledItems->size(), 1u);
    EXPECT_EQ((*o->CompiledItems)[0].Notes, (std::vector<std::string>{"n1", "n2"}));
    EXPECT_EQ((*o->CompiledItems)[0].Count, 3);
    ASSERT_EQ(o->Lines.Count(), 1);
    EXPECT_EQ(o->Lines.Items(0)->fEnd, (TExtPoint{100, 50}));
    EXPECT_EQ(o->Angle, 0.5);
    EXPECT_EQ(o->TextColor, 0x123456u);
    ASSERT_EQ(o->FillPoints->Count(), 1);
    EXPECT_EQ(o->FillPoints->Items(0)->fBrush, 1);
    ASSERT_EQ(o->FillAreas->Count(), 2);
    EXPECT_EQ(static_cast<TFuellPolygon*>(o->FillAreas->Item(0))->CornerCount(), 3);
    EXPECT_EQ(static_cast<TFuellKreis*>(o->FillAreas->Item(1))->fCircleRadius, 3);
    EXPECT_EQ(o->StoredLinks, (std::vector<int32_t>{5}));
    EXPECT_EQ(o->Height, 120.6);
    EXPECT_TRUE(o->Shapes.Empty());
    EXPECT_EQ(o->StoredDockedTo, 3);
    EXPECT_EQ(o->DockPos, 1.5);
    EXPECT_EQ(o->DockMode, 4);
    EXPECT_EQ(o->StoredDockLine, 0);
    EXPECT_EQ(o->DockedTo, nullptr);  // only AfterLoad resolves
}

TEST_F(RailObjectTest, BaseSectionEndSkipsUnknownFields) {
    WRailObject o = Sample();
    o.unknownBytes = 13;
    auto r = Read(o);
    EXPECT_EQ(r->Number, 42);
    EXPECT_EQ(r->Height, 120.6);
    EXPECT_EQ(r->StoredDockedTo, 3);
}

TEST_F(RailObjectTest, VersionsWithoutCompiledItemsOrSectionEnd) {
    for (uint16_t v : {2598, 2599, 41001}) {
        WRailObject o = Sample();
        o.version = v;
        auto r = Read(o);
        EXPECT_EQ(r->Number, 42) << v;
        EXPECT_EQ(r->CompiledItems != nullptr, v >= 2599) << v;
        EXPECT_EQ(r->StoredDockLine, 0) << v;
    }
}

TEST_F(RailObjectTest, BrokenSectionEndsFail) {
    // An end before the fields just read would re-read them; one beyond the
    // frame would leave it.
    for (int64_t shift : {int64_t(-40), int64_t(100000)}) {
        tk3dw::TLayoutWriter w;
        tk3dw::WriteRailObject(w, Sample());
        // The Int64 end follows class ID, frame end and version word.
        int64_t end;
        std::memcpy(&end, w.bytes.data() + 8, 8);
        w.PatchInt64(8, end + shift);
        EXPECT_THROW(ReadFramed<TRailObject>(w), EReadError) << shift;
    }
}

// The older layouts, field by field, in 16-bit form where the reader must
// consume exactly what was written.
TEST_F(RailObjectTest, OldLayouts) {
    struct {
        uint16_t version;
        int32_t number, lineWidth, layer;
        bool links, height, shapes, catalogue, docking, dockLine;
    } cases[] = {
        {1, 0, 0, 0, false, false, false, false, false, false},
        {3, 42, 2, 0, false, false, false, false, false, false},
        {2565, 42, 2, 7, false, false, false, false, false, false},
        {2573, 42, 2, 7, false, false, false, false, false, false},
        {2578, 42, 2, 7, true, false, false, false, false, false},
        {2579, 42, 2, 7, true, true, false, false, false, false},
        {2581, 42, 2, 7, true, true, true, true, false, false},
        {2590, 42, 2, 7, true, true, true, true, true, false},
        {2594, 42, 2, 7, true, true, true, true, true, true},
        {2597, 42, 2, 7, true, true, true, true, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.version);
        for (bool is32 : {true, false}) {
            WRailObject o = Sample();
            o.version = c.version;
            o.descriptionLabel = tk3dw::WLabel{.text = "old desc", .kind = 0};
            o.heightLabel = tk3dw::WLabel{.text = "99", .kind = 2};
            o.labels = {{.text = "listed", .kind = 1}};
            o.movable = false;
            o.filled = false;
            tk3dw::TLayoutWriter w;
            tk3dw::WriteRailObject(w, o, {.is32 = is32});
            int64_t end = 0;
            auto r = ReadFramed<TRailObject>(w, {.is32 = is32}, &end);
            EXPECT_EQ(end, int64_t(w.Pos()));
            EXPECT_EQ(r->Number, c.number);
            EXPECT_EQ(r->LineWidth, c.lineWidth);
            EXPECT_EQ(r->Layer, c.layer);
            EXPECT_EQ(r->Position, (TExtPoint{1000.25, -20}));
            EXPECT_EQ(r->Lines.Count(), 1);
            EXPECT_EQ(r->Price, 9.95);
            EXPECT_EQ(r->Color, 0xFFu);
            EXPECT_EQ(r->HasFlag(sfFilled), c.version < 2568);
            EXPECT_EQ(r->HasFlag(sfMovable), c.version < 2575);
            EXPECT_EQ(r->Value3, c.version >= 2577 ? 4 : 1);
            EXPECT_EQ(r->FillAreas->Count(), c.version >= 2569 ? 2 : 0);
            EXPECT_EQ(r->PriceCurrency, c.version >= 2573 ? "DM" : NumberFormat().CurrencyString);
            EXPECT_EQ(r->StoredLinks.size(), c.links ? 1u : 0u);
            EXPECT_EQ(r->Height, c.height ? 120.6 : 0);
            // A new height label before 2579, a framed one up to 2594, after
            // that only what the label list holds (here none).
            ASSERT_EQ(r->HeightLabel() != nullptr, c.version <= 2594);
            if (r->HeightLabel()) EXPECT_EQ(r->HeightLabel()->Text, c.height ? "99" : "0");
            EXPECT_EQ(r->Text1, c.catalogue ? "t1" : "");
            EXPECT_EQ(r->TextList.size(), c.catalogue ? 2u : 0u);
            EXPECT_EQ(r->StoredDockedTo, c.docking ? 3 : -1);
            EXPECT_EQ(r->StoredDockLine, c.dockLine ? 0 : -1);
            EXPECT_EQ(r->DescriptionLabel() != nullptr, c.version <= 2594);
            EXPECT_EQ(r->ArtNrLabel() != nullptr, c.version >= 2595);
            EXPECT_FALSE(r->CompiledItems);
        }
    }
}

TEST_F(RailObjectTest, WrongClassesInFramesFail) {
    // A label list holding a line.
    {
        tk3dw::TLayoutWriter w;
        const size_t frame = w.BeginFrame(tk3dw::ids::RailObject);
        w.Word(41007);
        const size_t end = w.BeginEnd64();
        w.Integer(1);
        tk3dw::WriteLine(w, {});
        w.EndEnd64(end);
        w.EndFrame(frame);
        try {
            ReadFramed<TRailObject>(w);
            FAIL();
        } catch (const EInvalidCast& e) {
            EXPECT_STREQ(e.what(), "Ungültige Typumwandlung");
        }
    }
    // Fill areas holding a fill point.
    {
        tk3dw::TLayoutWriter w;
        const size_t frame = w.BeginFrame(tk3dw::ids::RailCollection);
        tk3dw::WriteCollectionHeader(w, 1);
        const size_t item = w.BeginFrame(tk3dw::ids::FuellPunkt);
        w.Zeros(12);
        w.EndFrame(item);
        w.EndFrame(frame);
        tk3dw::TLayoutWriter o;
        const WRailObject sample = Sample();
        const size_t objFrame = o.BeginFrame(tk3dw::ids::RailObject);
        tk3dw::WriteBasicSection(o, sample);
        tk3dw::WriteCollectionHeader(o, 0);
        o.Extended(0);
        o.Integer(0);
        tk3dw::WriteFillPoints(o, {});
        const size_t base = o.Pos();
        o.Raw(w.bytes.data(), w.bytes.size());
        // Frame ends inside the copied bytes are absolute: move them.
        o.PatchInteger(base + 2, int32_t(base + w.bytes.size()));
        o.PatchInteger(base + 2 + 4 + 12 + 2, int32_t(base + w.bytes.size()));
        o.EndFrame(objFrame);
        EXPECT_THROW(ReadFramed<TRailObject>(o), EInvalidCast);
    }
}

TEST_F(RailObjectTest, FillAreasMustBeAPlainCollection) {
    // A document where the fill areas stand: refused before it is loaded.
    tk3dw::TLayoutWriter o;
    const size_t objFrame = o.BeginFrame(tk3dw::ids::RailObject);
    tk3dw::WriteBasicSection(o, Sample());
    tk3dw::WriteCollectionHeader(o, 0);
    o.Extended(0);
    o.Integer(0);
    tk3dw::WriteFillPoints(o, {});
    tk3dw::WriteDocument(o, tk3dw::WDocument{.version = 0});
    o.EndFrame(objFrame);
    EXPECT_THROW(ReadFramed<TRailObject>(o), EInvalidCast);
}

TEST_F(RailObjectTest, HeightRange) {
    TRailObject o;
    o.Height = 120.6;
    int32_t top = 0, bottom = 0;
    o.GetHeightRange(top, bottom);
    EXPECT_EQ(top, 121);
    EXPECT_EQ(bottom, 121);
    for (double bad : {std::nan(""), double(INFINITY)}) {
        o.Height = bad;
        o.GetHeightRange(top, bottom);
        EXPECT_EQ(top, 0);
        EXPECT_EQ(bottom, 0);
    }
    struct TShape : T3DLinie {
        void Load(TCLStream&) override {}
        void GetZRange(int32_t& t, int32_t& b) override {
            t = 5;
            b = -3;
        }
    };
    o.Height = 10;
    o.Shapes.Add(std::make_unique<TShape>());
    o.GetHeightRange(top, bottom);
    EXPECT_EQ(top, 15);
    EXPECT_EQ(bottom, 0);  // the shapes' range always holds the base
}

TEST_F(RailObjectTest, RectangleWithoutLabels) {
    WRailObject s = Sample();
    s.lineWidth = 2;
    s.lines = {{.x1 = 100, .y1 = 50, .x2 = 0, .y2 = 0},
               {.x1 = -500, .y1 = 0, .x2 = -400, .y2 = 10, .flags = 2}};  // left out
    auto o = Read(s);
    // Normalised, widened by the line width, shifted by the rounded position.
    EXPECT_EQ(o->GetMyRect(false), (TRect{998, 32, 1102, -22}));
    o->Lines.FreeItemIdx(1);
    o->Lines.FreeItemIdx(0);
    EXPECT_EQ(o->GetMyRect(false), (TRect{998, -18, 1002, -22}));
}

TEST_F(RailObjectTest, RectangleWithLabels) {
    tk3dw::WDocument d;
    WRailObject s = Sample();
    s.labels.clear();
    s.lineWidth = 0;
    s.x = 0;
    s.y = 0;
    s.lines = {{.x1 = 0, .y1 = 0, .x2 = 100, .y2 = 50},
               {.x1 = -500, .y1 = 0, .x2 = -400, .y2 = 10, .flags = 2}};  // counts with labels
    d.objects = {tk3dw::RailObjectWriter(s)};
    auto doc = ReadDocument(d);
    TBasicRailObject& o = *doc->Items(0);
    // Without a track piece in the list: Top + 60, Left - 3, Right + 3.
    EXPECT_EQ(o.GetMyRect(true), (TRect{-503, 110, 103, 0}));

    // An object without lines and labels has no rectangle with labels; it
    // must not turn into a real one when shifted.
    WRailObject empty = Sample();
    empty.labels.clear();
    empty.lines.clear();
    empty.x = 5e9;
    auto e = Read(empty);
    EXPECT_TRUE(IsEmptyUnionRect(e->GetMyRect(true)));
}

TEST_F(RailObjectTest, HeightLabelCountsForNonTracks) {
    GlobalSettings.SetShowHeights(true);
    WRailObject s = Sample();
    s.labels = {{.text = "", .offsetY = 3, .kind = 2, .align = 18}};
    s.height = 12.4;
    auto o = Read(s);
    const TRect r = o->GetMyRect(true);
    EXPECT_EQ(o->HeightLabel()->Text, "12");
    EXPECT_GT(r.Right, 1102);  // the label right of the outline widens it
}

// References between objects of one document.
TEST_F(RailObjectTest, AfterLoadResolvesReferences) {
    tk3dw::WDocument d;
    auto obj = [](int32_t number, std::vector<int32_t> links, int32_t dockedTo, int32_t dockLine) {
        WRailObject o = Sample();
        o.number = number;
        o.links = std::move(links);
        o.dockedTo = dockedTo;
        o.dockLine = dockLine;
        o.labels.clear();
        o.lines = {{.x2 = 10}, {.y2 = 10}};
        return tk3dw::RailObjectWriter(o);
    };
    d.objects = {obj(10, {1, 99, -5, 0}, -1, -1),  // one good link, out of range, negative, itself
                 obj(11, {}, 0, 1),                // docked to 0 at its line 1
                 obj(12, {}, 0, 7),                // docked to 0 at a line it does not have
                 obj(13, {}, 3, 0),                // docked to itself
                 obj(14, {}, 5, 0)};               // docked to an empty slot
    d.objects.push_back([](tk3dw::TLayoutWriter& w, const tk3dw::WFormat&) { w.NullFrame(); });
    auto doc = ReadDocument(d);
    auto* a = static_cast<TRailObject*>(doc->Items(0));
    auto* b = static_cast<TRailObject*>(doc->Items(1));
    auto* c = static_cast<TRailObject*>(doc->Items(2));
    auto* self = static_cast<TRailObject*>(doc->Items(3));
    auto* none = static_cast<TRailObject*>(doc->Items(4));
    EXPECT_EQ(doc->Items(5), nullptr);
    // Links are mutual although only one side stored it.
    EXPECT_EQ(a->Links, (std::vector<TRailObject*>{b}));
    EXPECT_EQ(b->Links, (std::vector<TRailObject*>{a}));
    EXPECT_EQ(b->DockedTo, a);
    EXPECT_EQ(b->DockLine, a->Lines.Items(1));
    EXPECT_EQ(c->DockedTo, a);
    EXPECT_EQ(c->DockLine, nullptr);
    EXPECT_EQ(a->Docked, (std::vector<TRailObject*>{b, c}));
    EXPECT_EQ(self->DockedTo, nullptr);
    EXPECT_EQ(none->DockedTo, nullptr);

    // Freeing one side first leaves no reference behind, in either order.
    doc->FreeItemIdx(0);
    EXPECT_TRUE(b->Links.empty());
    EXPECT_EQ(b->DockedTo, nullptr);
    EXPECT_EQ(b->DockLine, nullptr);
    EXPECT_EQ(c->DockedTo, nullptr);
}

TEST_F(RailObjectTest, AfterLoadNumbersUnnumberedObjects) {
    tk3dw::WDocument d;
    for (int32_t n : {0, 7, 1, 7}) {
        WRailObject o = Sample();
        o.number = n;
        o.labels.clear();
        d.objects.push_back(tk3dw::RailObjectWriter(o));
    }
    auto doc = ReadDocument(d);
    std::vector<int32_t> numbers;
    doc->ForEach([&](TBasicRailObject& o) { numbers.push_back(o.Number); });
    // Duplicates are the planner's business; only numbers below 2 change.
    EXPECT_EQ(numbers, (std::vector<int32_t>{8, 7, 9, 7}));
    EXPECT_EQ(doc->Items(0)->Version, 3);
}

TEST_F(RailObjectTest, AfterLoadResolvesLabelFonts) {
    tk3dw::WDocument d;
    WRailObject o = Sample();
    o.labels = {{.text = "a", .kind = 3, .withFont = true, .fontKey = 4},
                {.text = "b", .kind = 0, .withFont = true, .fontKey = 99}};
    d.objects = {tk3dw::RailObjectWriter(o)};
    tk3dw::WFont font{.height = -12, .weight = 700, .face = "Arial"};
    d.fonts = {{.key = 4, .font = font}, {.version = 1, .key = 2, .font = {.height = 3, .face = "Old"}}};
    auto doc = ReadDocument(d);
    TBasicRailObject& r = *doc->Items(0);
    const TFontData& own = *r.Labels.ByKind(3)->FontData;
    ASSERT_TRUE(own.IsResolved());
    EXPECT_EQ(own.LogFont().lfHeight, -12);
    EXPECT_EQ(own.LogFont().lfWeight, 700);
    EXPECT_EQ(FaceName(own.LogFont()), "Arial");
    EXPECT_EQ(r.Labels.ByKind(3)->KindFont().lfWeight, 700);
    // A key the table lacks gives an all-zero font.
    EXPECT_EQ(r.Labels.ByKind(0)->FontData->LogFont(), TLogFontW{});
    EXPECT_EQ(FontCache().Count(), 2u);
    doc.reset();
    EXPECT_EQ(FontCache().Count(), 0u);
}

}  // namespace
}  // namespace tk3d
