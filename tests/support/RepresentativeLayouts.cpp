#include "RepresentativeLayouts.h"

#include <functional>

#include "WriteObjects.h"
#include "WriteSettings.h"

namespace tk3dw {
namespace {

using WFront = std::function<void(TLayoutWriter&)>;

WLine Straight(double x1, double y1, double x2, double y2) {
    return {.kind = WLine::Straight, .x1 = x1, .y1 = y1, .x2 = x2, .y2 = y2};
}

// A label of every stored version and kind; two carry a font reference.
std::vector<WLabel> AllLabels() {
    return {
        {.version = 6, .text = "G-1234", .offsetX = 5, .offsetY = 7, .kind = 1, .angle = 450},
        {.version = 6,
         .text = "Weiche links",
         .kind = 0,
         .withFont = true,
         .fontKey = 1,
         .textColor = 0xFF,
         .opaque = true,
         .extraBytes = 3},
        {.version = 5, .text = "Text", .kind = 3, .withFont = true, .fontVersion = 2, .fontKey = 2},
        {.version = 4, .text = "12.5", .kind = 2, .align = 0},
        {.version = 3, .text = "P", .offsetX = -3, .kind = 4, .angle = 900, .rotateText = true},
        {.version = 1, .text = "v1", .kind = 5},
    };
}

// Current layout with its section end, catalogue data and composite items.
WRailObject CurrentObject() {
    WRailObject o;
    o.version = 41007;
    o.labels = AllLabels();
    o.layer = 3;
    o.text1 = "Katalog ä";
    o.text2 = "Beschreibung";
    o.value1 = 7;
    o.value2 = 2.5;
    o.textList = {{"eins", 1}, {"zwei", 2}};
    o.color = 0x00804020;
    o.lineWidth = 2;
    o.text3 = "drei";
    o.x = 1000.25;
    o.y = -320.5;
    o.price = 19.95;
    o.number = 2;
    o.items = {{.artNr = "A-1", .description = "Teil", .notes = {"n1", "n2"}, .count = 2},
               {.artNr = "a-1", .description = "teil", .amount = 0.5}};
    o.unknownBytes = 3;
    o.lines = {Straight(0, 0, 200, 0),
               {.kind = WLine::Arc, .x1 = 200, .x2 = 300, .y2 = 100, .flags = 1, .sweep = 2.0, .radius = 150},
               {.kind = WLine::Circle, .x1 = 50, .y1 = 50, .radius = 20, .trailing = 4}};
    o.angle = 0.5;
    o.textColor = 0x112233;
    o.fillPoints = {{10, 20, 1}, {-5, 3, 2}};
    o.fillAreas = {{.coords = {0, 0, 100, 0, 100, 50}}, {.circle = true, .cx = 5, .cy = 6, .radius = 7}};
    o.links = {1};
    o.height = 120.5;
    o.dockedTo = 1;
    o.dockPos = 12.5;
    o.dockMode = 1;
    o.dockLine = 0;
    return o;
}

// A current object of the versions before the section end and the items.
WRailObject ShortCurrentObject(uint16_t version, int32_t number) {
    WRailObject o;
    o.version = version;
    o.number = number;
    o.x = -50;
    o.y = 400;
    o.labels = {{.text = "K-7", .kind = 1}};
    o.lines = {Straight(0, 0, 0, 80)};
    o.links = {0, 99, -1};  // a mutual link, and indices naming nothing
    o.dockedTo = 0;
    o.dockLine = 5;  // beyond the other object's lines
    return o;
}

// One of the layouts before 2598, with the framed labels they store.
WRailObject OldObject(uint16_t version, int32_t number) {
    WRailObject o;
    o.version = version;
    o.number = number;
    o.lineWidth = 1;
    o.layer = 2;
    o.x = 300;
    o.y = 300;
    o.lines = {Straight(0, 0, 40, 40),
               {.kind = WLine::Arc, .x1 = 40, .y1 = 40, .x2 = 80, .y2 = 40, .sweep = 1.0, .radius = 60}};
    o.price = 2.5;
    o.descriptionLabel = WLabel{.version = 3, .text = "alt", .kind = 0};
    o.artNrLabel = WLabel{.version = 2, .text = "A-9", .kind = 1};
    o.heightLabel = WLabel{.version = 1, .text = "5", .kind = 2};
    o.fillPoints = {{1, 2, 3}};
    o.fillAreas = {{.coords = {0, 0, 10, 0, 10, 10, 0, 10}}};
    o.links = {0};
    o.height = 5;
    o.text1 = "t1";
    o.textList = {{"x", 1}};
    o.dockedTo = 0;
    o.labels = {{.text = "listed", .kind = 1}};
    return o;
}

WDocument RichDocument() {
    WDocument d;
    d.objects = {RailObjectWriter(CurrentObject()),
                 RailObjectWriter(ShortCurrentObject(2599, 3), ids::Rampe),
                 [](TLayoutWriter& w, const WFormat&) { w.NullFrame(); },
                 RailObjectWriter(ShortCurrentObject(2598, 1)),  // number 1 gets a new one
                 RailObjectWriter(OldObject(2597, 5)),
                 RailObjectWriter(OldObject(2579, 6)),
                 RailObjectWriter(OldObject(2566, 7)),
                 RailObjectWriter(OldObject(1, 0))};
    d.fonts = {{.key = 1, .font = {.height = -30, .weight = 700, .face = "Arial"}},
               {.version = 1, .key = 2, .font = {.height = -20, .face = "Times New Roman"}}};
    // Wires are the only objects of this list; an empty slot keeps the
    // fixture valid whichever classes the list accepts.
    d.catenary = {[](TLayoutWriter& w, const WFormat&) { w.NullFrame(); }};
    d.currency = "Fr.";
    d.printer = WPrinter{.name = "PDF",
                         .device = "Drucker",
                         .driver = "winspool",
                         .port = "LPT1:",
                         .deviceMode = std::vector<uint8_t>(24, 0x41)};
    d.marker = 1;
    return d;
}

// The rich document's objects spread over a list long enough to be read in
// parts on several threads.
WDocument LongListDocument() {
    WDocument d = RichDocument();
    std::vector<WObjectWriter> objects;
    for (const WObjectWriter& object : d.objects) {
        objects.push_back(object);
        for (int i = 0; i < 300; ++i) objects.push_back([](TLayoutWriter& w, const WFormat&) { w.NullFrame(); });
    }
    d.objects = std::move(objects);
    return d;
}

// A small document of one object; version picks the optional fields.
WDocument SmallDocument(int32_t version = 12) {
    WDocument d;
    d.version = version;
    WRailObject o = ShortCurrentObject(41007, 2);
    o.links = {};
    o.dockedTo = -1;
    d.objects = {RailObjectWriter(o)};
    return d;
}

// Documents of 16-bit files: old layouts only, no version, no lists after
// the objects.
WDocument SixteenBitDocument() {
    WDocument d;
    d.objects = {RailObjectWriter(OldObject(2594, 2)), RailObjectWriter(OldObject(2565, 3)),
                 [](TLayoutWriter& w, const WFormat&) { w.NullFrame(); }, RailObjectWriter(OldObject(3, 4))};
    return d;
}

WLayerNames Names() { return {{0, "Grundplatte"}, {7, "Oberleitung ä"}, {255, "L"}}; }

std::vector<WLayerData> LayerData() {
    return {{.version = 1, .layer = 3, .lineColor = 0xFF, .lineWidth = 2, .doFill = true, .height = 10.5},
            {.version = 3, .layer = 7, .tieColor = 0x505050, .trailing = 5}};
}

WFront Versioned(int32_t fileVersion, std::string_view sig = "Ver..329", std::optional<int32_t> length = {}) {
    return [=](TLayoutWriter& w) {
        WriteVersionedHeader(w, fileVersion, sig);
        WriteCurrentSettings(w, DefaultRecord(), Names(), LayerData(), 0xABD1, length);
    };
}

WFront Early(std::string_view sig, int32_t settingsVersion) {
    return [=](TLayoutWriter& w) {
        WriteSignature(w, sig);
        WRecord old = OldRecord();
        old.FontA(104, {.height = -12, .face = "Arial"});
        WriteOldSettings(w, settingsVersion, old, {{1, "Erste"}, {200, "Zwei"}}, LayerData());
    };
}

WNamedLayout Layout(std::string name, const WFront& front, const WDocument& d, const WFormat& f) {
    TLayoutWriter w;
    front(w);
    WriteDocument(w, d, f);
    return {std::move(name), std::move(w.bytes)};
}

}  // namespace

WNamedLayout RichLayout() { return Layout("608-wide-rich", Versioned(608), RichDocument(), {}); }

std::vector<WNamedLayout> RepresentativeLayouts() {
    constexpr WFormat kWide{}, kAnsi{.ansi = true};
    const WFront unknownSettings = [](TLayoutWriter& w) {
        WriteVersionedHeader(w, 608);
        w.Integer(7);  // no settings block follows
    };
    return {
        RichLayout(),
        Layout("607-ansi-rich", Versioned(607, "Ver..329", 900), RichDocument(), kAnsi),
        Layout("608-wide-long-list", Versioned(608), LongListDocument(), kWide),
        Layout("604-no-extra", Versioned(604, "Ver..329", 100), SmallDocument(), kAnsi),
        Layout("327-600", Versioned(600, "Ver..327"), SmallDocument(10), kAnsi),
        Layout("Ver321-ABCD", Early("Ver..321", 0xABCD), SmallDocument(9), kAnsi),
        Layout("Ver323-ABCE", Early("Ver..323", 0xABCE), SmallDocument(), kAnsi),
        Layout("SWVer321-ABCF", Early("SWVer321", 0xABCF), SmallDocument(1), kAnsi),
        Layout("SWVer323-ABCF", Early("SWVer323", 0xABCF), SmallDocument(), kAnsi),
        Layout("Ver325-ABCD-doc8", Early("Ver..325", 0xABCD), SmallDocument(8), kAnsi),
        Layout("SWVer325-ABCE", Early("SWVer325", 0xABCE), SmallDocument(0), kAnsi),
        Layout("608-unknown-settings", unknownSettings, SmallDocument(), kWide),
        Layout("16bit-1A", [](TLayoutWriter& w) { w.Byte(0x1A); }, SixteenBitDocument(), {.is32 = false}),
        Layout("16bit-Version", [](TLayoutWriter& w) { WriteSignature(w, "Version3"); }, SixteenBitDocument(),
               {.is32 = false, .ansi = true}),
        Layout("16bit-VerDots", [](TLayoutWriter& w) { WriteSignature(w, "Ver....4"); }, SixteenBitDocument(),
               {.is32 = false, .ansi = true}),
    };
}

}  // namespace tk3dw
