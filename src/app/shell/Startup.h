// What must happen before the QApplication exists.
#pragma once

namespace tk3d {

// The view draws with the fixed-function pipeline: every window and
// off-screen surface asks for a compatibility context with a depth buffer.
void PrepareSurfaceFormat();

}  // namespace tk3d
