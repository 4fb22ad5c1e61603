// Hostile input: every representative layout cut at every byte offset, and
// the richest one overwritten at every offset, must end in the reader's own
// error or in a document that can be measured and drawn. No crash, no other
// exception, no leak (the sanitizer build runs these sweeps too).
#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <optional>
#include <regex>
#include <string>

#include "RepresentativeLayouts.h"
#include "TrackLayout.h"
#include "layoutfile/Errors.h"
#include "layoutfile/FileHeader.h"
#include "layoutfile/GlobalState.h"
#include "layoutfile/LoadLayout.h"
#include "layoutfile/RailList.h"
#include "obj3d/DocumentScene.h"

namespace tk3d {
namespace {

// The sanitizer run checks the whole test binary for leaks at exit, and
// fontconfig keeps its process-wide configuration until FcFini: release it
// after the last test so that only real leaks are reported.
class TReleaseFontconfig : public testing::Environment {
public:
    void TearDown() override { FcFini(); }
};
const testing::Environment* const kReleaseFontconfig =
    testing::AddGlobalTestEnvironment(new TReleaseFontconfig);

constexpr const char* kReadError = "Stream-Lesefehler";
const std::string kInvalidFile = "Datei sweep.tkl ist ungültig oder paßt nicht zu dieser Programmversion!";

// The messages the reader and the objects raise for broken files.
bool IsSystemMessage(const std::string& m) {
    static const std::regex patterns[] = {
        std::regex("Stream-Lesefehler"),
        std::regex("Ungültige Typumwandlung"),
        std::regex(R"(Unbekannter Objekttyp! \[-?\d+\])"),
        std::regex("Kann Dateien der Vorversion, die eingebettete oder verknüpfte Objekte enthalten, "
                   "nicht lesen!"),
        std::regex(R"(Listenindex überschreitet das Maximum \(-?\d+\))"),
    };
    if (m == kInvalidFile) return true;
    for (const std::regex& p : patterns)
        if (std::regex_match(m, p)) return true;
    return false;
}

// What one load gave: the error message, or none for a document.
struct TOutcome {
    std::optional<std::string> error;
    std::string unexpected;  // another exception type escaped
};

// Loads like the viewer and, on success, measures the document, turns
// every display switch on and measures and compiles it again, as the main
// view does: the most geometry a file can make the viewer generate.
TOutcome Load(std::vector<uint8_t> bytes) {
    ResetGlobalState();
    TOutcome out;
    try {
        std::unique_ptr<TRailList> doc = LoadLayoutFromMemory(std::move(bytes), "sweep.tkl");
        DocumentExtent(*doc);
        GlobalSettings.SetShowTies(true);
        GlobalSettings.SetShowBallast(true);
        GlobalSettings.SetShowArtNr(true);
        GlobalSettings.SetShowDescription(true);
        GlobalSettings.SetShowHeights(true);
        DocumentExtent(*doc);
        // A small scene limit: reaching it must work, and a full-size scene
        // would make the sanitizer run slow.
        CompileDocument(*doc, true, 2048, size_t(64) << 20);
    } catch (const ETk3dError& e) {
        out.error = e.what();
    } catch (const std::exception& e) {
        out.unexpected = std::string(typeid(e).name()) + ": " + e.what();
    } catch (...) {
        out.unexpected = "unknown exception";
    }
    return out;
}

// The representative layouts and the track seeds. The large track layout
// is only loaded whole: cutting it would add minutes, not paths.
constexpr const char* kLoadOnly = "tracks-oval";
std::vector<tk3dw::WNamedLayout> Fixtures() {
    std::vector<tk3dw::WNamedLayout> all = tk3dw::RepresentativeLayouts();
    for (tk3dw::WNamedLayout& f : tk3dw::TrackSeedLayouts()) all.push_back(std::move(f));
    return all;
}

class HostileInput : public testing::Test {
protected:
    void SetUp() override {
        if (const char* old = std::getenv("TK3D_CONFIG_ROOT")) fOldRoot = old;
        // 16-bit files consult the planner's settings: none here.
        setenv("TK3D_CONFIG_ROOT", "/nonexistent/tk3d-sweep", 1);
    }
    void TearDown() override {
        if (fOldRoot)
            setenv("TK3D_CONFIG_ROOT", fOldRoot->c_str(), 1);
        else
            unsetenv("TK3D_CONFIG_ROOT");
        ResetGlobalState();
    }

    std::optional<std::string> fOldRoot;
};

TEST_F(HostileInput, EveryFixtureLoadsWhole) {
    for (const tk3dw::WNamedLayout& f : Fixtures()) {
        const TOutcome o = Load(f.bytes);
        EXPECT_EQ(o.unexpected, "") << f.name;
        EXPECT_EQ(o.error, std::nullopt) << f.name;
    }
}

// A cut file never reads as a document (every format ends with data the
// reader needs) and fails with the read error; only a cut inside the
// ten-byte signature may make the header unrecognisable instead.
TEST_F(HostileInput, EveryCutFailsWithTheReadError) {
    for (const tk3dw::WNamedLayout& f : Fixtures()) {
        if (f.name == kLoadOnly) continue;
        SCOPED_TRACE(f.name);
        int failures = 0;
        for (size_t cut = 0; cut < f.bytes.size() && failures < 5; ++cut) {
            const TOutcome o = Load({f.bytes.begin(), f.bytes.begin() + long(cut)});
            const bool ok =
                o.unexpected.empty() && o.error &&
                (*o.error == kReadError || (cut < size_t(kHeaderSize) && *o.error == kInvalidFile));
            if (!ok) {
                ++failures;
                ADD_FAILURE() << "cut at " << cut << " of " << f.bytes.size() << ": "
                              << (o.unexpected.empty() ? o.error.value_or("a document") : o.unexpected);
            }
        }
    }
}

// Overwriting any one byte of the richest layout with an extreme value may
// give a document or any of the system's errors, but nothing else. (The
// track pieces have their own overwrite sweep beside their tests.)
TEST_F(HostileInput, EveryOverwrittenByteEndsCleanly) {
    const tk3dw::WNamedLayout f = tk3dw::RichLayout();
    std::map<std::string, int> seen;
    for (uint8_t value : {uint8_t(0xFF), uint8_t(0x7F), uint8_t(0x00)}) {
        int failures = 0;
        for (size_t at = 0; at < f.bytes.size() && failures < 5; ++at) {
            if (f.bytes[at] == value) continue;
            std::vector<uint8_t> bytes = f.bytes;
            bytes[at] = value;
            const TOutcome o = Load(std::move(bytes));
            ++seen[o.error.value_or("document")];
            if (!o.unexpected.empty() || (o.error && !IsSystemMessage(*o.error))) {
                ++failures;
                ADD_FAILURE() << "byte " << at << " := " << int(value) << ": "
                              << (o.unexpected.empty() ? *o.error : o.unexpected);
            }
        }
    }
    // The sweep must reach past the reader's first checks into documents.
    EXPECT_GT(seen["document"], 0);
    EXPECT_GT(seen[kReadError], 0);
}

}  // namespace
}  // namespace tk3d
