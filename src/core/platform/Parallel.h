// The few places where a large document's work is shared out over the
// processors: each runs parts that touch disjoint data.
#pragma once
#include <functional>

namespace tk3d {

// How many parts such work is cut into: the processors, at most four.
unsigned ParallelParts();
// Sets that number (0: the processors again), so that results of one part
// and of several can be compared.
void SetParallelParts(unsigned parts);

// Runs part(0) … part(parts − 1) at once, part 0 on the calling thread,
// waits for all, then rethrows the exception of the lowest part that threw
// (the one a run in order would have met first). Parts whose thread cannot
// be started run on the calling thread after part 0, so a part may wait for
// a lower one but never for a higher one.
void RunParts(unsigned parts, const std::function<void(unsigned)>& part);

// body(begin, end) over [0, count) cut into ParallelParts() ranges, or in
// one range when count is below minCount.
void ParallelRanges(size_t count, size_t minCount, const std::function<void(size_t, size_t)>& body);

}  // namespace tk3d
