#include "WriteSettings.h"

#include <algorithm>

namespace tk3dw {
namespace {

void FontNumbersAndBytes(TLayoutWriter& w, const WFont& f) {
    w.Integer(f.height);
    w.Integer(f.width);
    w.Integer(f.escapement);
    w.Integer(f.orientation);
    w.Integer(f.weight);
    w.Raw(f.bytes, 8);
}

void AnsiFace(TLayoutWriter& w, const std::string& face) {
    const size_t n = std::min<size_t>(face.size(), 32);
    w.Raw(face.data(), n);
    w.Zeros(32 - n);
}

void Patch(std::vector<uint8_t>& bytes, int off, const TLayoutWriter& w) {
    std::copy(w.bytes.begin(), w.bytes.end(), bytes.begin() + off);
}

}  // namespace

void WriteFontW(TLayoutWriter& w, const WFont& f) {
    FontNumbersAndBytes(w, f);
    w.WideChars(f.face, 32);
}

void WriteFontA(TLayoutWriter& w, const WFont& f) {
    FontNumbersAndBytes(w, f);
    AnsiFace(w, f.face);
}

void WriteFont16(TLayoutWriter& w, const WFont& f) {
    for (int32_t v : {f.height, f.width, f.escapement, f.orientation, f.weight}) w.SmallInt(int16_t(v));
    w.Raw(f.bytes, 8);
    AnsiFace(w, f.face);
}

void WritePen(TLayoutWriter& w, const WPen& p) {
    w.Integer(p.style);
    w.Integer(p.width);
    w.Integer(0);
    w.Cardinal(p.color);
}

void WRecord::Int(int off, int32_t v) {
    TLayoutWriter w;
    w.Integer(v);
    Patch(bytes, off, w);
}

void WRecord::Extended(int off, double v) {
    TLayoutWriter w;
    w.Extended(v);
    Patch(bytes, off, w);
}

void WRecord::FontW(int off, const WFont& f) {
    TLayoutWriter w;
    WriteFontW(w, f);
    Patch(bytes, off, w);
}

void WRecord::FontA(int off, const WFont& f) {
    TLayoutWriter w;
    WriteFontA(w, f);
    Patch(bytes, off, w);
}

void WRecord::Pen(int off, const WPen& p) {
    TLayoutWriter w;
    WritePen(w, p);
    Patch(bytes, off, w);
}

void WRecord::Layers(int off, std::initializer_list<int> layers) {
    std::fill(bytes.begin() + off, bytes.begin() + off + 32, 0);
    for (int n : layers) bytes.at(size_t(off + n / 8)) |= uint8_t(1 << (n % 8));
}

WRecord DefaultRecord() {
    WRecord r(857);
    for (int off : {1, 4, 5, 10, 11, 505, 512, 556, 658}) r.Byte(off, 1);
    r.Byte(21, 6);
    r.Int(12, 4000);
    r.Int(16, 2000);
    r.Extended(22, 1000.0);
    r.Int(32, 1);
    r.Layers(52, {0});
    r.Int(84, 10);
    r.Int(88, 10);
    r.Extended(92, 3.0);
    WFont label;
    label.height = -45;
    label.face = "Arial";
    for (int off : {104, 196, 288, 380, 558, 665}) r.FontW(off, label);
    r.Int(508, 255);
    r.Int(529, 10);
    r.Int(533, 255);
    r.Int(537, 0xFF00);
    for (int off : {544, 548, 552, 654, 761}) r.Int(off, 0xFFFFFF);
    r.Int(659, 5);
    r.Int(793, 100);
    r.Int(797, -1);
    for (int off : {801, 805, 809, 813, 817, 821}) r.Int(off, 10);
    r.Layers(825, {0});
    return r;
}

WRecord OldRecord() { return WRecord(633); }

void WriteSignature(TLayoutWriter& w, std::string_view sig8) {
    w.Raw(sig8.substr(0, 8));
    w.Byte(0x1A);
    w.Byte(0);
}

void WriteVersionedHeader(TLayoutWriter& w, int32_t fileVersion, std::string_view sig8) {
    WriteSignature(w, sig8);
    w.Integer(fileVersion);
    if (fileVersion >= 605 && fileVersion <= 608) w.Integer(0x5A5A);
}

void WriteLayerData(TLayoutWriter& w, const WLayerData& d) {
    const size_t end = w.BeginEnd32();
    w.Integer(d.version);
    w.Integer(d.layer);
    w.Cardinal(d.lineColor);
    w.Integer(d.lineWidth);
    w.Cardinal(d.fillColor);
    w.Bool(d.doFill);
    w.Extended(d.height);
    if (d.version > 1) w.Cardinal(d.tieColor);
    w.Zeros(d.trailing);
    w.EndEnd32(end);
}

void WriteLayerDataList(TLayoutWriter& w, const std::vector<WLayerData>& entries, int32_t listVersion) {
    const size_t end = w.BeginEnd32();
    w.Integer(listVersion);
    w.Integer(int32_t(entries.size()));
    w.EndEnd32(end);
    for (const WLayerData& d : entries) WriteLayerData(w, d);
}

namespace {

void WriteRecordBlock(TLayoutWriter& w, const WRecord& record, std::optional<int32_t> length) {
    const int32_t len = length.value_or(int32_t(record.bytes.size()));
    w.Integer(len);
    for (int32_t i = 0; i < len; ++i) w.Byte(size_t(i) < record.bytes.size() ? record.bytes[size_t(i)] : 0);
}

}  // namespace

void WriteCurrentSettings(TLayoutWriter& w, const WRecord& record, const WLayerNames& names,
                          const std::vector<WLayerData>& layerData, int32_t version,
                          std::optional<int32_t> length) {
    w.Integer(version);
    WriteRecordBlock(w, record, length);
    for (int n = 0; n < 256; ++n) {
        const auto it = names.find(n);
        if (it == names.end()) {
            w.Integer(0);
            continue;
        }
        const std::u16string units = ToUtf16(it->second);
        w.Integer(int32_t(units.size()));
        for (char16_t c : units) w.Word(c);
    }
    WriteLayerDataList(w, layerData);
}

void WriteOldSettings(TLayoutWriter& w, int32_t version, const WRecord& oldRecord, const WLayerNames& names,
                      const std::vector<WLayerData>& layerData, std::optional<int32_t> length) {
    w.Integer(version);
    WriteRecordBlock(w, oldRecord, length);
    for (int n = 0; n < 256; ++n) {
        const auto it = names.find(n);
        w.StrWrite(it == names.end() ? std::string_view() : std::string_view(it->second));
    }
    if (version > 0xABCE) WriteLayerDataList(w, layerData);
}

}  // namespace tk3dw
