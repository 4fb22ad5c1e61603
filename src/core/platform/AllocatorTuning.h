// Memory allocator settings for a program that opens large layouts.
#pragma once

namespace tk3d {

// Call once at start, before documents are loaded.
void TuneAllocatorForDocuments();

}  // namespace tk3d
