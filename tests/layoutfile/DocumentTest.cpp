// The document: currency, printer selection, marker, old versions, numbering
// by ADD, bounds and height range.
#include <gtest/gtest.h>

#include "ReadBack.h"
#include "layoutfile/GlobalState.h"
#include "layoutfile/LoadLayout.h"
#include "layoutfile/RailList.h"
#include "objects/RailObject.h"

namespace tk3d {
namespace {

using tk3dtest::ReadFramed;
using tk3dw::WDocument;
using tk3dw::WRailObject;

class DocumentTest : public testing::Test {
protected:
    void SetUp() override {
        ResetGlobalState();
        SetNumberFormat({".", ",", "EUR"});
    }
    void TearDown() override { ResetGlobalState(); }

    static std::unique_ptr<TRailList> Read(const WDocument& d, const tk3dw::WFormat& f = {},
                                           int64_t* end = nullptr) {
        tk3dw::TLayoutWriter w;
        tk3dw::WriteDocument(w, d, f);
        return ReadFramed<TRailList>(w, f, end);
    }
    // A placeable object with one straight line, relative to its position.
    static tk3dw::WObjectWriter Box(double x, double y, double x2, double y2, int32_t number = 2,
                                    double height = 0) {
        WRailObject o;
        o.x = x;
        o.y = y;
        o.lines = {{.x2 = x2, .y2 = y2}};
        o.number = number;
        o.height = height;
        return tk3dw::RailObjectWriter(o);
    }
};

TEST_F(DocumentTest, CurrencyForms) {
    WDocument d;
    d.currency = "Fr.";
    d.version = 9;
    EXPECT_EQ(Read(d)->Currency, "Fr.");  // 16-byte short string
    d.version = 10;
    EXPECT_EQ(Read(d)->Currency, "Fr.");  // ReadString
    EXPECT_EQ(Read(d, {.ansi = true})->Currency, "Fr.");
    EXPECT_EQ(Read(d, {.is32 = false})->Currency, "EUR");  // the system's
    // A short string's length byte beyond 15 reads no further than its field.
    tk3dw::TLayoutWriter w;
    d.version = 9;
    d.currency = "";
    tk3dw::WriteDocument(w, d);
    w.bytes[w.Pos() - 16] = 200;
    EXPECT_EQ(ReadFramed<TRailList>(w)->Currency, std::string(15, '\0'));
}

TEST_F(DocumentTest, PrinterSelectionAndMarker) {
    for (bool ansi : {false, true}) {
        WDocument d;
        d.printer = tk3dw::WPrinter{.name = "Laser 5",
                                    .device = std::string(85, 'd'),
                                    .driver = "drv",
                                    .port = "LPT1:",
                                    .deviceMode = {1, 2, 3}};
        d.marker = -1;
        auto doc = Read(d, {.ansi = ansi});
        ASSERT_TRUE(doc->Printer);
        EXPECT_EQ(doc->Printer->PrinterName, "Laser 5");
        EXPECT_EQ(doc->Printer->Device, std::string(79, 'd'));
        EXPECT_EQ(doc->Printer->Driver, "drv");
        EXPECT_EQ(doc->Printer->Port, "LPT1:");
        EXPECT_EQ(doc->Printer->DeviceMode, (std::vector<uint8_t>{1, 2, 3}));
        EXPECT_EQ(doc->Marker, -1);
    }
    // Without data after the currency there is neither.
    auto bare = Read(WDocument{});
    EXPECT_FALSE(bare->Printer);
    EXPECT_EQ(bare->Marker, 0);
}

TEST_F(DocumentTest, BytesAfterTheDocumentAreNoPrinter) {
    tk3dw::TLayoutWriter w;
    tk3dw::WriteDocument(w, WDocument{});
    w.Integer(-5);  // would be a broken printer-name length
    w.Zeros(40);
    auto doc = ReadFramed<TRailList>(w);
    EXPECT_FALSE(doc->Printer);
}

TEST_F(DocumentTest, HostilePrinterLengthsFail) {
    WDocument d;
    d.printer = tk3dw::WPrinter{.name = "P"};
    tk3dw::TLayoutWriter w;
    tk3dw::WriteDocument(w, d);
    // Device-mode size, then the frame's last position.
    w.PatchInteger(w.Pos() - 4, 1 << 30);
    EXPECT_THROW(ReadFramed<TRailList>(w), EReadError);
}

TEST_F(DocumentTest, SixteenBitDocument) {
    WDocument d;
    d.objects = {Box(1000, -300, 1000, 200)};
    auto doc = Read(d, {.is32 = false});
    EXPECT_EQ(doc->Version, 0);
    EXPECT_EQ(doc->Count(), 1);
    EXPECT_EQ(doc->Catenary.Count(), 0);
    // Version 0: the baseboard from the bounds plus 100 mm.
    const TRect b = doc->GetBounds(true);
    EXPECT_EQ(GlobalSettings.BoardWidth(), b.Right + 100);
    EXPECT_EQ(GlobalSettings.BoardDepth(), -b.Bottom + 100);
    EXPECT_EQ(b.Right, 2003);
}

TEST_F(DocumentTest, OldLandscapesAreSkippedWithTheFieldsAfterThem) {
    for (int version : {2, 7, 8}) {
        WDocument d;
        d.version = version;
        d.objects = {Box(1000, -300, 1000, 200)};
        auto doc = Read(d);
        EXPECT_EQ(doc->Count(), 1) << version;
        EXPECT_EQ(doc->Marker, 0) << version;
    }
}

TEST_F(DocumentTest, BoundsFromOrigin) {
    WDocument d;
    d.objects = {Box(1000, 100, 500, 50), Box(1500, 200, 500, 100)};
    auto doc = Read(d);
    // Labels widen by the track width: 30 without track pieces (Top + 60,
    // Left and Right by 3).
    EXPECT_EQ(doc->GetBounds(true), (TRect{0, 0, 2003, 0}));
    EXPECT_EQ(doc->GetBounds(false), (TRect{1000, 300, 2000, 100}));
}

TEST_F(DocumentTest, BoundsFollowTheLabelSettings) {
    WDocument d;
    WRailObject o;
    o.labels = {{.text = "A long article number", .kind = 1, .align = 2 + 8}};
    o.lines = {{.x2 = 100, .y2 = 50}};
    d.objects = {tk3dw::RailObjectWriter(o)};
    auto doc = Read(d);
    GlobalSettings.SetShowArtNr(false);
    const int32_t without = doc->GetBounds(true).Right;
    EXPECT_EQ(without, 103);
    GlobalSettings.SetShowArtNr(true);
    EXPECT_GT(doc->GetBounds(true).Right, without);
}

TEST_F(DocumentTest, CatenaryCountsForBoundsNotHeights) {
    WDocument d;
    d.objects = {Box(0, 0, 10, 10, 2, 50)};
    d.catenary = {Box(-400, -300, 10, 10, 3, 900)};
    auto doc = Read(d);
    EXPECT_EQ(doc->GetBounds(false), (TRect{-400, 10, 10, -300}));
    int32_t top = 0, bottom = 0;
    doc->GetHeightRange(top, bottom);
    EXPECT_EQ(top, 50);
    EXPECT_EQ(bottom, 50);
    EXPECT_EQ(doc->FindByNumber(3), doc->Catenary.Items(0));
}

TEST_F(DocumentTest, UnsortedObjectRectanglesAreSortedForBounds) {
    struct TFlipped : TRailObject {
        TRect GetMyRect(bool) override { return {10, -5, -10, 5}; }
    };
    TRailList doc;
    doc.ADD(std::make_unique<TFlipped>());
    doc.ADD(std::make_unique<TRailObject>());  // a point at the origin
    EXPECT_EQ(doc.GetBounds(false), (TRect{-10, 5, 10, -5}));
    EXPECT_EQ(doc.GetBounds(true), (TRect{0, 0, 10, -5}));
}

TEST_F(DocumentTest, HeightRange) {
    WDocument d;
    int32_t top = 1, bottom = 1;
    Read(d)->GetHeightRange(top, bottom);
    EXPECT_EQ(top, 0);
    EXPECT_EQ(bottom, 0);
    // The first object starts the range (0 is not in it).
    d.objects = {Box(0, 0, 1, 1, 2, 30.4), Box(0, 0, 1, 1, 3, 80.5), Box(0, 0, 1, 1, 4, 55)};
    d.objects.insert(d.objects.begin(),
                     [](tk3dw::TLayoutWriter& w, const tk3dw::WFormat&) { w.NullFrame(); });
    Read(d)->GetHeightRange(top, bottom);
    EXPECT_EQ(top, 80);
    EXPECT_EQ(bottom, 30);
}

TEST_F(DocumentTest, AddNumbersNewObjects) {
    TRailList doc;
    EXPECT_EQ(doc.NextFreeNumber(), 2);
    auto make = [](int32_t n) {
        auto o = std::make_unique<TRailObject>();
        o->Number = n;
        return o;
    };
    EXPECT_EQ(doc.ADD(nullptr), -1);
    EXPECT_EQ(doc.ADD(make(1)), 0);
    EXPECT_EQ(doc.Items(0)->Number, 2);
    doc.ADD(make(7));
    doc.ADD(make(7));  // taken
    doc.ADD(make(3));
    std::vector<int32_t> numbers;
    doc.ForEach([&](TBasicRailObject& o) { numbers.push_back(o.Number); });
    EXPECT_EQ(numbers, (std::vector<int32_t>{2, 7, 8, 3}));
    EXPECT_EQ(doc.Items(0)->Owner, &doc);
    // Many objects once the largest Integer is taken: each gets the next gap.
    doc.ADD(make(INT32_MAX));
    for (int i = 0; i < 20000; ++i) doc.ADD(make(0));
    EXPECT_EQ(doc.Items(5)->Number, 4);
    EXPECT_EQ(doc.Items(6)->Number, 5);
    EXPECT_EQ(doc.Items(7)->Number, 6);
    EXPECT_EQ(doc.Items(8)->Number, 9);
    EXPECT_EQ(doc.NextFreeNumber(), 20006);  // 2 .. 20005 are taken
}

TEST_F(DocumentTest, ClearCallsOnChange) {
    WDocument d;
    d.objects = {Box(0, 0, 1, 1)};
    d.catenary = {Box(0, 0, 1, 1, 3)};
    auto doc = Read(d);
    int calls = 0;
    doc->OnChange = [&] { ++calls; };
    doc->Clear();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(doc->Count(), 0);
    EXPECT_EQ(doc->Catenary.Count(), 0);
    EXPECT_EQ(doc->GetBounds(false), (TRect{}));
}

TEST_F(DocumentTest, LoadedFromAFileEveryObjectIsVisibleAndMarked) {
    WDocument d;
    WRailObject o;
    o.stateFlags = 0;
    d.objects = {tk3dw::RailObjectWriter(o)};
    o.number = 3;
    d.catenary = {tk3dw::RailObjectWriter(o)};
    for (bool ansi : {false, true}) {
        auto doc = LoadLayoutFromMemory(tk3dw::LayoutFile(d, {.ansi = ansi}), "mem.tkl");
        int seen = 0;
        doc->ForEachObject([&](TBasicRailObject& obj) {
            ++seen;
            EXPECT_TRUE(obj.HasFlag(sfVisible));
            EXPECT_TRUE(obj.HasFlag(sfMarked));
        });
        EXPECT_EQ(seen, 2);
    }
}

// Every prefix of a rich document fails with the reader's own messages:
// never a crash, a hang or a foreign exception.
TEST_F(DocumentTest, EveryTruncationFailsCleanly) {
    WDocument d;
    WRailObject o;
    o.labels = {{.text = "x", .kind = 1, .withFont = true, .fontKey = 1},
                {.version = 3, .text = "y", .kind = 2}};
    o.items = {{.artNr = "A", .notes = {"n"}}};
    o.lines = {{.x2 = 5}, {.kind = tk3dw::WLine::Arc, .x2 = 1, .sweep = 2, .radius = 3}};
    o.fillPoints = {{.x = 1}};
    o.fillAreas = {{.coords = {1, 2}}, {.circle = true}};
    o.links = {1};
    o.dockedTo = 1;
    d.objects = {tk3dw::RailObjectWriter(o)};
    o.version = 2590;
    o.number = 3;
    o.descriptionLabel = tk3dw::WLabel{.text = "old"};
    d.objects.push_back(tk3dw::RailObjectWriter(o));
    d.fonts = {{.key = 1, .font = {.height = -9, .face = "Arial"}}};
    d.printer = tk3dw::WPrinter{.name = "P", .deviceMode = {1}};
    d.marker = 1;
    for (bool is32 : {true, false}) {
        tk3dw::TLayoutWriter w;
        tk3dw::WriteDocument(w, d, {.is32 = is32});
        for (size_t cut = 0; cut < w.bytes.size(); ++cut) {
            tk3d::TMemoryStream s(std::vector<uint8_t>(w.bytes.begin(), w.bytes.begin() + ptrdiff_t(cut)));
            s.Is32BitFile = is32;
            try {
                s.GetAs<TRailList>(false);
                ADD_FAILURE() << "read a document cut at " << cut;
            } catch (const ETk3dError&) {
            }
        }
    }
}

}  // namespace
}  // namespace tk3d
