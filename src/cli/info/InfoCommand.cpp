// tk3d-cli info FILE: a JSON summary of a layout file on stdout, or the
// reader's message on stderr and exit code 1.
#include <iostream>
#include <sstream>

#include "Commands.h"
#include "InfoSections.h"
#include "layoutfile/GlobalState.h"
#include "layoutfile/LoadLayout.h"
#include "layoutfile/RailList.h"

namespace tk3d::cli {
namespace {

void WriteFormatJson(TJsonWriter& json, const TLayoutFormat& format) {
    json.Key("format").BeginObject();
    json.Field("is32Bit", format.is32Bit);
    json.Field("isAnsi", format.isAnsi);
    json.Field("fileVersion", format.fileVersion);
    json.Field("settingsVersion", format.settingsVersion);
    json.EndObject();
}

}  // namespace

int RunInfo(int argc, char** argv) {
    if (argc != 1) {
        std::cerr << "Usage: tk3d-cli info FILE.tkl\n";
        return 2;
    }
    const std::string fileName = argv[0];
    // Built completely before printing, so a failure leaves stdout empty.
    std::ostringstream out;
    try {
        TLayoutFormat format;
        const std::unique_ptr<TRailList> doc = LoadLayout(fileName, &format);
        TJsonWriter json(out);
        json.BeginObject();
        json.Field("file", fileName);
        WriteFormatJson(json, format);
        WriteSettingsJson(json, GlobalSettings);
        WriteLayersJson(json);
        WriteDocumentJson(json, *doc);
        WriteSceneJson(json, *doc);
        json.EndObject();
    } catch (const std::exception& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
    std::cout << out.str();
    return std::cout.good() ? 0 : 1;
}

}  // namespace tk3d::cli
