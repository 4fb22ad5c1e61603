#include "layoutfile/LoadLayout.h"

#include "layoutfile/FileHeader.h"
#include "layoutfile/RailList.h"
#include "layoutfile/SettingsBlock.h"
#include "layoutfile/Stream.h"
#include "objects/BasicRailObject.h"
#include "platform/MyRegistry.h"

namespace tk3d {
namespace {

std::unique_ptr<TRailList> ReadLayout(TCLStream& stream, const std::string& fileName, TLayoutFormat* format) {
    uint8_t header[kHeaderSize] = {};
    stream.Read(header, kHeaderSize);
    std::optional<int32_t> fileVersion;
    if (header[0] == 0x1A) {
        stream.SetPosition(1);
        stream.Is32BitFile = false;
    } else {
        int32_t extra = 0;
        if (!CheckFileHeader(header, stream, fileVersion, extra)) throw EInvalidFile(fileName);
    }
    std::optional<int32_t> settingsVersion;
    if (stream.Is32BitFile)
        settingsVersion = ReadSettingsBlock(stream);
    else
        LoadPlannerFontsAndPens();
    if (format) *format = {stream.Is32BitFile, stream.IsANSIFile, fileVersion, settingsVersion};

    std::unique_ptr<TRailList> doc = stream.GetAs<TRailList>(false);
    // The catenary list too: its wires draw only while their Visible bit is set.
    doc->ForEachObjectInParallel([](TBasicRailObject& obj) {
        obj.SetFlag(sfMarked, true);
        obj.SetFlag(sfVisible, true);
    });
    return doc;
}

}  // namespace

std::unique_ptr<TRailList> LoadLayout(const std::string& fileName, TLayoutFormat* format) {
    TBufStream stream(fileName);
    return ReadLayout(stream, fileName, format);
}

std::unique_ptr<TRailList> LoadLayoutFromMemory(std::vector<uint8_t> bytes, const std::string& displayName,
                                                TLayoutFormat* format) {
    TMemoryStream stream(std::move(bytes));
    return ReadLayout(stream, displayName, format);
}

}  // namespace tk3d
