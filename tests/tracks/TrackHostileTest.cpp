// Hostile input for the track readers: the track seed files cut at every
// offset and overwritten byte by byte must end in one of the reader's own
// errors or in a document that can be measured and drawn.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "TrackLayout.h"
#include "layoutfile/Errors.h"
#include "layoutfile/FileHeader.h"
#include "layoutfile/GlobalState.h"
#include "layoutfile/LoadLayout.h"
#include "layoutfile/RailList.h"
#include "obj3d/DocumentScene.h"

namespace tk3d {
namespace {

struct TOutcome {
    std::optional<std::string> error;  // none for a document
    std::string unexpected;            // anything but the system's errors
};

TOutcome LoadAndDraw(std::vector<uint8_t> bytes) {
    TOutcome out;
    try {
        auto doc = LoadLayoutFromMemory(std::move(bytes), "tracks.tkl");
        DocumentExtent(*doc);
        GlobalSettings.SetShowTies(true);
        GlobalSettings.SetShowBallast(true);
        CompileDocument(*doc, true);
    } catch (const ETk3dError& e) {
        out.error = e.what();
    } catch (const std::exception& e) {
        out.unexpected = std::string(typeid(e).name()) + ": " + e.what();
    }
    return out;
}

class TrackHostileInput : public testing::Test {
protected:
    void SetUp() override {
        // 16-bit files consult the planner's settings: none here.
        setenv("TK3D_CONFIG_ROOT", "/nonexistent/tk3d-track-sweep", 1);
        ResetGlobalState();
    }
    void TearDown() override {
        unsetenv("TK3D_CONFIG_ROOT");
        ResetGlobalState();
    }
};

TEST_F(TrackHostileInput, EverySeedLoadsWholeAndEveryCutFailsWithTheReadError) {
    for (const tk3dw::WNamedLayout& f : tk3dw::TrackSeedLayouts()) {
        SCOPED_TRACE(f.name);
        const TOutcome whole = LoadAndDraw(f.bytes);
        ASSERT_EQ(whole.error, std::nullopt);
        ASSERT_EQ(whole.unexpected, "");
        if (f.name == "tracks-oval") continue;  // the large one only seeds the fuzzer
        int failures = 0;
        for (size_t cut = 0; cut < f.bytes.size() && failures < 5; ++cut) {
            ResetGlobalState();
            const TOutcome o = LoadAndDraw({f.bytes.begin(), f.bytes.begin() + long(cut)});
            const bool ok = o.unexpected.empty() && o.error &&
                            (*o.error == "Stream-Lesefehler" || cut < size_t(kHeaderSize));
            if (!ok) {
                ++failures;
                ADD_FAILURE() << "cut at " << cut << ": "
                              << (o.unexpected.empty() ? o.error.value_or("a document") : o.unexpected);
            }
        }
    }
}

TEST_F(TrackHostileInput, OverwrittenBytesEndCleanly) {
    for (const tk3dw::WNamedLayout& f : tk3dw::TrackSeedLayouts()) {
        if (f.name == "tracks-oval") continue;
        SCOPED_TRACE(f.name);
        int failures = 0;
        for (size_t at = 0; at < f.bytes.size() && failures < 5; ++at) {
            // Extremes of either sign, alternating to keep the sweep short.
            const uint8_t value = at % 2 ? 0xFF : 0x7F;
            std::vector<uint8_t> bytes = f.bytes;
            if (bytes[at] == value) continue;
            bytes[at] = value;
            ResetGlobalState();
            const TOutcome o = LoadAndDraw(std::move(bytes));
            if (!o.unexpected.empty()) {
                ++failures;
                ADD_FAILURE() << "byte " << at << " := " << int(value) << ": " << o.unexpected;
            }
        }
    }
}

}  // namespace
}  // namespace tk3d
