// Feeds arbitrary bytes to the layout reader: it must answer with its own
// error message or a document, never crash, hang or leak. A document that
// loads is measured and compiled into a scene as the viewer would, so that
// geometry generation from hostile numbers is covered as well.
#include <fontconfig/fontconfig.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "layoutfile/Errors.h"
#include "layoutfile/GlobalState.h"
#include "layoutfile/LoadLayout.h"
#include "layoutfile/RailList.h"
#include "obj3d/DocumentScene.h"

// A scene limit well below the viewer's: reaching the limit is what must
// work, and a full-size scene under ASan would pass the run's memory limit
// (-rss_limit_mb=2048) and its time limit per input.
constexpr size_t kSceneBytes = size_t(128) << 20;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // 16-bit files consult the planner's settings: keep the user's own
    // stores out of the run so that every input behaves the same anywhere.
    setenv("TK3D_CONFIG_ROOT", "/nonexistent/tk3d-fuzz", 1);
    // Fontconfig keeps its configuration until FcFini; release it before
    // the leak check at exit so that only real leaks are reported.
    std::atexit([] { FcFini(); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tk3d::ResetGlobalState();
    try {
        std::unique_ptr<tk3d::TRailList> doc =
            tk3d::LoadLayoutFromMemory(std::vector<uint8_t>(data, data + size), "fuzz.tkl");
        // Measured as the file's settings say, then measured and compiled
        // with terrain and every display switch on, as the user may turn them
        // on (16-bit files have no settings at all): the most a file can make
        // the viewer generate.
        tk3d::DocumentExtent(*doc);
        tk3d::TGlobalSettings& s = tk3d::GlobalSettings;
        s.SetShowTies(true);
        s.SetShowBallast(true);
        s.SetShowArtNr(true);
        s.SetShowDescription(true);
        s.SetShowHeights(true);
        tk3d::DocumentExtent(*doc);
        tk3d::CompileDocument(*doc, true, 2048, kSceneBytes);
    } catch (const tk3d::ETk3dError&) {
    }
    return 0;
}
