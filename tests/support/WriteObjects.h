// Fixture helpers for the object part of a layout file: labels, the basic
// and placeable object sections of every version, line segments, fill data,
// collections and the document. Written from the format description,
// independently of the reader.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "LayoutWriter.h"
#include "WriteSettings.h"

namespace tk3dw {

// Class IDs of the classes these helpers write.
namespace ids {
constexpr int16_t RailCollection = 50;
constexpr int16_t GeradeLinie = 10003;
constexpr int16_t BogenLinie = 10004;
constexpr int16_t RailObject = 10006;
constexpr int16_t TKObjectList = 10008;
constexpr int16_t FuellColl = 10011;
constexpr int16_t FuellPunkt = 10012;
constexpr int16_t KreisLinie = 10013;
constexpr int16_t Beschriftung = 10014;
constexpr int16_t FuellPolygon = 10022;
constexpr int16_t NoFreeCollection = 10023;
constexpr int16_t FuellKreis = 10024;
constexpr int16_t Rampe = 10032;
constexpr int16_t RailList = 11000;
}  // namespace ids

// How the file stores things: frame and collection forms (32-bit), string
// form of ReadString fields (ANSI).
struct WFormat {
    bool is32 = true;
    bool ansi = false;
};

struct WLabel {
    uint16_t version = 6;
    std::string text;
    bool shown = true;
    int32_t offsetX = 0;
    int32_t offsetY = 0;
    uint8_t kind = 0;
    int32_t angle = 0;
    uint16_t align = 17;
    bool rotatePosition = false;
    bool rotateText = false;
    // Versions above 4: the extension. With a font record, size 17 plus the
    // extra bytes; without, just the extra bytes.
    bool withFont = false;
    int32_t fontVersion = 1;
    int32_t fontKey = 0;
    uint32_t textColor = 0;
    uint32_t backColor = 0;
    bool opaque = false;
    int32_t extraBytes = 0;
};

// One framed label in the layout of its version.
void WriteLabel(TLayoutWriter& w, const WLabel& l, const WFormat& f = {});

struct WCompiledItem {
    int32_t version = 1;
    std::string artNr;
    std::string description;
    double amount = 1;
    std::vector<std::string> notes;
    int32_t count = 1;
};

// The fields of every layout object.
struct WBasic {
    uint16_t version = 41007;
    std::vector<WLabel> labels;
    int32_t stateFlags = 8;
    int32_t layer = 0;
    std::string text1, text2;
    int32_t value1 = 0;
    double value2 = 0;
    std::vector<std::pair<std::string, int32_t>> textList;
    uint32_t color = 0;
    int32_t lineWidth = 0;
    std::string text3;
    int32_t value3 = 1;
    double x = 0, y = 0;
    double price = 0;
    int32_t number = 2;
    std::vector<WCompiledItem> items;
    // Versions above 41001: unknown bytes before the section's end.
    size_t unknownBytes = 0;
};

// The basic-object section (no frame); versions up to 2597 write only the
// version word, as the file does.
void WriteBasicSection(TLayoutWriter& w, const WBasic& o, const WFormat& f = {});

struct WLine {
    enum Kind { Straight, Arc, Circle } kind = Straight;
    uint16_t version = 8;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    uint8_t flags = 0;
    double sweep = 0, radius = 0, startAngle = 0;
    size_t trailing = 0;  // extra bytes inside the frame
};

void WriteLine(TLayoutWriter& w, const WLine& l, const WFormat& f = {});

// The collection layout: version, capacity, count (32-bit) or a SmallInt
// count and two SmallInts (16-bit). Items follow.
void WriteCollectionHeader(TLayoutWriter& w, int32_t count, const WFormat& f = {}, int32_t version = 12);

struct WFillPoint {
    int32_t x = 0, y = 0, brush = 0;
};
struct WFillArea {
    bool circle = false;
    uint16_t version = 1;
    uint32_t color = 0;
    std::vector<int32_t> coords;  // polygon: X0, Y0, ... (16-bit files pack each pair)
    int32_t cx = 0, cy = 0, radius = 0;
};

// Framed TFuellColl; framed TRailCollection of fill areas.
void WriteFillPoints(TLayoutWriter& w, const std::vector<WFillPoint>& points, const WFormat& f = {});
void WriteFillAreas(TLayoutWriter& w, const std::vector<WFillArea>& areas, const WFormat& f = {});
void WriteFillArea(TLayoutWriter& w, const WFillArea& a, const WFormat& f = {});

struct WRailObject : WBasic {
    std::vector<WLine> lines;
    // Further line frames after `lines`, written by the caller (rail lines).
    std::vector<std::function<void(TLayoutWriter&, const WFormat&)>> moreLines;
    double angle = 0;
    uint32_t textColor = 0;
    std::vector<WFillPoint> fillPoints;
    std::vector<WFillArea> fillAreas;
    std::vector<int32_t> links;
    double height = 0;
    int32_t shapesVersion = 2;
    // Frames of 3D primitives, written by the caller.
    std::vector<std::function<void(TLayoutWriter&)>> shapes;
    int32_t dockedTo = -1;
    double dockPos = 0;
    uint8_t dockMode = 0;
    int32_t dockLine = -1;
    // Fields only the layouts before 2598 store.
    bool filled = true;
    bool movable = true;
    std::string priceCurrency = "DM";
    std::optional<WLabel> descriptionLabel, artNrLabel, heightLabel;
};

// The placeable-object section after the basic one (no frame), in the
// current layout or the old one of its version.
void WriteRailObjectSection(TLayoutWriter& w, const WRailObject& o, const WFormat& f = {});
// Framed: basic section, then the placeable one.
void WriteRailObject(TLayoutWriter& w, const WRailObject& o, const WFormat& f = {},
                     int16_t classId = ids::RailObject);

// An object of a document list, written into the list by the helpers below.
using WObjectWriter = std::function<void(TLayoutWriter&, const WFormat&)>;
WObjectWriter RailObjectWriter(WRailObject o, int16_t classId = ids::RailObject);

struct WFontEntry {
    int32_t version = 2;  // below 2: the ANSI font form
    int32_t key = 1;
    int32_t refCount = 1;
    WFont font;
};

struct WPrinter {
    std::string name;
    std::string device, driver, port;
    std::vector<uint8_t> deviceMode;
};

struct WDocument {
    int32_t version = 12;  // the collection version
    std::vector<WObjectWriter> objects;
    std::vector<WFontEntry> fonts;
    int32_t catenaryVersion = 1;
    std::vector<WObjectWriter> catenary;
    std::string currency = "EUR";
    std::optional<WPrinter> printer;
    std::optional<std::vector<int32_t>> rectangles;  // versions 7 and 8: 4 Integers each
    std::optional<int32_t> marker;
};

// The object-list part (collection, fonts, catenary) of a TTKObjectList.
void WriteObjectListSection(TLayoutWriter& w, const WDocument& d, const WFormat& f = {});
// Framed TRailList.
void WriteDocument(TLayoutWriter& w, const WDocument& d, const WFormat& f = {});

// A whole file: header of file version 608 (wide) or 607 (ANSI), the
// default settings block, the document; or for 16-bit files the one-byte
// header and the document.
std::vector<uint8_t> LayoutFile(const WDocument& d, const WFormat& f = {});

}  // namespace tk3dw
