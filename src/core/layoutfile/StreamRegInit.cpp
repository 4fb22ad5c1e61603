// The one list of every class the reader knows, with its class ID. A class
// that is not listed here makes a file fail with "Unbekannter Objekttyp!".
#include <mutex>

#include "layoutfile/ClassRegistry.h"

namespace tk3d {

void RegisterAllStreamClasses() {
    static std::once_flag once;
    std::call_once(once, [] {
    });
}

}  // namespace tk3d
