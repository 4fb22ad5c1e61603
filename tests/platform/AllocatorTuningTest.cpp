// The allocator setting for large documents must take effect: freed small
// blocks are merged at once instead of waiting in glibc's fast bins.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "platform/AllocatorTuning.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace tk3d {
namespace {

TEST(AllocatorTuning, FreedSmallBlocksWaitInNoFastBin) {
#ifndef __GLIBC__
    GTEST_SKIP() << "glibc only";
#else
    TuneAllocatorForDocuments();
    // Threads of earlier tests may have left blocks in their own arenas.
    const size_t waiting = mallinfo2().fsmblks;
    std::vector<void*> blocks;
    for (int i = 0; i < 10000; ++i) blocks.push_back(std::malloc(40));
    for (void* b : blocks) std::free(b);
    EXPECT_EQ(mallinfo2().fsmblks, waiting);
#endif
}

}  // namespace
}  // namespace tk3d
