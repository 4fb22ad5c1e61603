#include "layoutfile/ParallelFrames.h"

#include <algorithm>

#include "platform/Parallel.h"

namespace tk3d {

namespace {

// Below this many frames a thread costs more than it saves.
constexpr int32_t kMinParallelFrames = 2048;

// The first frame of each part, cut so that the parts hold about as many
// bytes each; the last entry is `count`.
std::vector<size_t> CutParts(const std::vector<int64_t>& starts, size_t count, unsigned parts) {
    std::vector<size_t> first{0};
    const int64_t begin = starts.front(), bytes = starts.back() - begin;
    for (unsigned p = 1; p < parts; ++p) {
        const int64_t at = begin + bytes / parts * p;
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

    const std::vector<size_t> first = CutParts(starts, size_t(count), parts);
    // Forked before the first part moves the stream on.
    std::vector<std::unique_ptr<TCLStream>> forks;
    for (unsigned p = 1; p < parts; ++p) forks.push_back(stream.ForkAt(starts[first[p]]));
    items.clear();
    items.resize(size_t(count));
    RunParts(parts, [&](unsigned p) {
        TCLStream& s = p == 0 ? stream : *forks[p - 1];
        for (size_t i = first[p]; i < first[p + 1]; ++i) items[i] = read(s);
    });
    stream.SetPosition(starts.back());
    return true;
}

}  // namespace tk3d
