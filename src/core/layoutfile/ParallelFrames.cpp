#include "layoutfile/ParallelFrames.h"

#include <algorithm>
#include <atomic>
#include <exception>

#include "platform/Parallel.h"

namespace tk3d {

namespace {

// Below this many frames a thread costs more than it saves.
constexpr int32_t kMinParallelFrames = 2048;
// Pieces of work per thread: threads that read slower (a new heap grows
// slower than a warm one) take fewer of them.
constexpr unsigned kChunksPerPart = 4;

// The first frame of each chunk, cut so that the chunks hold about as many
// bytes each; the last entry is `count`.
std::vector<size_t> CutChunks(const std::vector<int64_t>& starts, size_t count, unsigned chunks) {
    std::vector<size_t> first{0};
    const int64_t begin = starts.front(), bytes = starts.back() - begin;
    for (unsigned c = 1; c < chunks; ++c) {
        const int64_t at = begin + bytes / chunks * c;
        const size_t i = size_t(std::lower_bound(starts.begin(), starts.begin() + std::ptrdiff_t(count), at) -
                                starts.begin());
        first.push_back(std::max(first.back(), i));
    }
    first.push_back(count);
    return first;
}

}  // namespace

bool ReadFramesInParallel(TCLStream& stream, int32_t count, const TFrameReader& read,
                          std::vector<std::unique_ptr<TStreamable>>& items) {
    // Only the lists of the document itself: the objects inside them read
    // their own short lists on the thread that reads the object.
    const unsigned parts = ParallelParts();
    if (count < kMinParallelFrames || stream.Depth() > 1 || parts < 2) return false;
    const std::vector<int64_t> starts = stream.FrameStarts(count);
    if (starts.empty()) return false;

    const unsigned chunks = parts * kChunksPerPart;
    const std::vector<size_t> first = CutChunks(starts, size_t(count), chunks);
    std::vector<std::unique_ptr<TCLStream>> forks;
    for (unsigned c = 0; c < chunks; ++c) forks.push_back(stream.ForkAt(starts[first[c]]));
    items.clear();
    items.resize(size_t(count));
    std::vector<std::exception_ptr> errors(chunks);
    std::atomic<unsigned> next{0};
    RunParts(parts, [&](unsigned) {
        for (unsigned c; (c = next++) < chunks;) {
            try {
                for (size_t i = first[c]; i < first[c + 1]; ++i) items[i] = read(*forks[c]);
            } catch (...) {
                errors[c] = std::current_exception();
            }
        }
    });
    // The first frame that fails in file order is the error of the list.
    for (const std::exception_ptr& e : errors)
        if (e) std::rethrow_exception(e);
    stream.SetPosition(starts.back());
    return true;
}

}  // namespace tk3d
