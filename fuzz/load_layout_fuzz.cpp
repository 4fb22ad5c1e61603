// Feeds arbitrary bytes to the layout reader: it must answer with its own
// error message or a document, never crash, hang or leak.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "layoutfile/Errors.h"
#include "layoutfile/GlobalState.h"
#include "layoutfile/LoadLayout.h"
#include "layoutfile/RailList.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tk3d::ResetGlobalState();
    try {
        auto doc = tk3d::LoadLayoutFromMemory(std::vector<uint8_t>(data, data + size), "fuzz.tkl");
        if (doc) {
            tk3d::TRect r;
            doc->GetBounds(r, false);
            doc->GetBounds(r, true);
            int top = 0, bottom = 0;
            doc->GetHeightRange(top, bottom);
        }
    } catch (const tk3d::ETk3dError&) {
    }
    return 0;
}
