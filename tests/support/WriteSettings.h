// Fixture helpers for the front of a layout file: header forms, settings
// records and blocks, layer names and layer data. Written from the format
// description, independently of the reader.
#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "LayoutWriter.h"

namespace tk3dw {

// A logical font as the fixtures describe it.
struct WFont {
    int32_t height = 0;
    int32_t width = 0;
    int32_t escapement = 0;
    int32_t orientation = 0;
    int32_t weight = 0;
    uint8_t bytes[8] = {};  // italic, underline, strike-out, charset, precisions, quality, pitch
    std::string face;       // UTF-8; ANSI forms need code page 1252 text
};

struct WPen {
    int32_t style = 0;
    int32_t width = 0;
    uint32_t color = 0;
};

// 92-byte wide, 60-byte ANSI and 50-byte 16-bit forms; the 16-bit one
// writes the five numbers as SmallInts.
void WriteFontW(TLayoutWriter& w, const WFont& f);
void WriteFontA(TLayoutWriter& w, const WFont& f);
void WriteFont16(TLayoutWriter& w, const WFont& f);
void WritePen(TLayoutWriter& w, const WPen& p);

// A settings record as raw bytes (857 bytes current, 633 bytes old).
struct WRecord {
    std::vector<uint8_t> bytes;
    explicit WRecord(size_t size) : bytes(size, 0) {}
    void Byte(int off, uint8_t v) { bytes.at(size_t(off)) = v; }
    void Int(int off, int32_t v);
    void Extended(int off, double v);
    void FontW(int off, const WFont& f);
    void FontA(int off, const WFont& f);
    void Pen(int off, const WPen& p);
    void Layers(int off, std::initializer_list<int> layers);
};

// The defaults of the current record, from the format's table.
WRecord DefaultRecord();
WRecord OldRecord();  // 633 zero bytes

// Header forms. Signature: 8 characters, 0x1A and a zero byte (10 bytes).
void WriteSignature(TLayoutWriter& w, std::string_view sig8);
// "Ver..329"/"Ver..327", the file version, the extra word for 605..608.
void WriteVersionedHeader(TLayoutWriter& w, int32_t fileVersion, std::string_view sig8 = "Ver..329");

struct WLayerData {
    int32_t version = 3;
    int32_t layer = 0;
    uint32_t lineColor = 0;
    int32_t lineWidth = 0;
    uint32_t fillColor = 0;
    bool doFill = false;
    double height = 0;
    uint32_t tieColor = 0;
    size_t trailing = 0;  // bytes appended inside the entry
};

void WriteLayerData(TLayoutWriter& w, const WLayerData& d);
void WriteLayerDataList(TLayoutWriter& w, const std::vector<WLayerData>& entries, int32_t listVersion = 1);

// Named layers; the rest are written with length 0.
using WLayerNames = std::map<int, std::string>;

// Settings version, length L of the record, the record bytes (only
// min(L, size) of them, zero-padded beyond), names, layer data.
void WriteCurrentSettings(TLayoutWriter& w, const WRecord& record, const WLayerNames& names = {},
                          const std::vector<WLayerData>& layerData = {}, int32_t version = 0xABD1,
                          std::optional<int32_t> length = std::nullopt);
// Old block: names in ANSI; layer data only from version 0xABCF.
void WriteOldSettings(TLayoutWriter& w, int32_t version, const WRecord& oldRecord,
                      const WLayerNames& names = {}, const std::vector<WLayerData>& layerData = {},
                      std::optional<int32_t> length = std::nullopt);

}  // namespace tk3dw
