#include "layoutfile/SettingsBlock.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "layoutfile/GlobalState.h"
#include "layoutfile/LayerData.h"
#include "layoutfile/LogFonts.h"
#include "layoutfile/Stream.h"
#include "platform/TextCodec.h"

namespace tk3d {
namespace {

constexpr int kOldSettingsSize = 633;

struct TOldField {
    int oldOffset;
    int newOffset;
    int width;
};

// Plain byte copies from the old record; the fonts are converted apart.
constexpr TOldField kOldFields[] = {
    {0, 0, 7},  // flags 0..6
    {6, 7, 1},  // old byte 6 also becomes 7; old byte 7 is dropped
    {8, 8, 4},  // flags 8..11
    {12, 12, 4},    {16, 16, 4},    {20, 20, 1},    {21, 21, 1},   {22, 22, 10},
    {32, 32, 20},  // five Integers
    {52, 52, 32},  // VisibleLayers
    {84, 84, 4},    {88, 88, 4},    {92, 92, 10},   {102, 102, 1}, {344, 472, 16},
    {360, 488, 16}, {376, 504, 1},  {377, 505, 1},  {380, 508, 4}, {384, 512, 1},
    {385, 513, 16}, {401, 529, 4},  {405, 533, 4},  {409, 537, 4}, {413, 541, 1},
    {414, 542, 1},  {415, 543, 1},  {416, 544, 4},  {420, 548, 4}, {424, 552, 4},
    {428, 556, 1},  {429, 557, 1},  {490, 650, 4},  {494, 654, 4}, {498, 658, 1},
    {499, 659, 4},  {503, 663, 1},  {504, 664, 1},  {565, 757, 4}, {569, 761, 4},
    {573, 765, 1},  {574, 766, 16}, {590, 782, 4},  {594, 786, 4}, {598, 790, 1},
    {599, 791, 1},  {600, 792, 1},  {601, 793, 32},  // eight Integers
};

// ANSI logical fonts (60 bytes) that become wide ones (92 bytes).
constexpr TOldField kOldFonts[] = {
    {104, 104, 60}, {164, 196, 60}, {224, 288, 60}, {284, 380, 60}, {430, 558, 60}, {505, 665, 60},
};

// Maps the old record field by field onto the current one.
void ConvertOldSettings(const uint8_t (&old)[kOldSettingsSize], TGlobalSettings& settings) {
    for (const TOldField& f : kOldFields)
        std::memcpy(settings.raw + f.newOffset, old + f.oldOffset, size_t(f.width));
    settings.raw[103] = 0;
    for (const TOldField& f : kOldFonts) {
        const TLogFontW wide = LogFontAToW(LogFontAFromBytes(old + f.oldOffset));
        settings.Set<TLogFontW>(f.newOffset, wide);
    }
}

// A record block: length L, then L bytes of which the first `size` are used.
void ReadRecordBlock(TCLStream& stream, uint8_t* record, int size) {
    const int32_t length = stream.ReadCount(1);
    stream.ReadBuffer(record, std::min<int64_t>(length, size));
    if (length > size) stream.Skip(length - size);
}

void ReadOldBlock(TCLStream& stream, int32_t version) {
    uint8_t old[kOldSettingsSize] = {};
    ReadRecordBlock(stream, old, kOldSettingsSize);
    if (version == kSettingsOldFirst) old[11] = 1;

    std::array<std::string, 256> names;
    for (std::string& name : names) name = stream.StrRead();

    TLayerDataList layerData;
    if (version == kSettingsOldWithLayerData) layerData.ReadFromStream(stream);

    if (version < kSettingsOldWithLayerData) {
        const int32_t printScale = 10;
        std::memcpy(old + 401, &printScale, 4);
        old[20] = 0;
        old[102] = 0;
    }
    ConvertOldSettings(old, GlobalSettings);
    LayerNames = std::move(names);
    LayerDataList().Assign(layerData);
}

// Length in UTF-16 units, then the units; 0 or less is an empty name.
std::string ReadWideName(TCLStream& stream) {
    const int32_t length = stream.ReadInteger();
    if (length <= 0) return {};
    stream.CheckCount(length, 2);
    std::vector<uint8_t> bytes(size_t(length) * 2);
    stream.ReadBuffer(bytes.data(), int64_t(bytes.size()));
    return Utf16LEBytesToUtf8(bytes.data(), size_t(length));
}

void ReadCurrentBlock(TCLStream& stream) {
    ReadRecordBlock(stream, GlobalSettings.raw, TGlobalSettings::kSize);
    for (std::string& name : LayerNames) name = ReadWideName(stream);
    LayerDataList().ReadFromStream(stream);
}

}  // namespace

int32_t ReadSettingsBlock(TCLStream& stream) {
    GlobalSettings = DefaultSettings;
    const int32_t version = stream.ReadInteger();
    if (version >= kSettingsOldFirst && version <= kSettingsOldWithLayerData)
        ReadOldBlock(stream, version);
    else if (version >= kSettingsCurrentFirst && version <= kSettingsCurrentLast)
        ReadCurrentBlock(stream);
    return version;
}

}  // namespace tk3d
