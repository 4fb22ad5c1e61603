#include "layoutfile/ParallelFrames.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <new>

#include "platform/Parallel.h"

namespace tk3d {

namespace {

// Below this many frames a thread costs more than it saves.
constexpr int32_t kMinParallelFrames = 2048;
// Frames the calling thread claims at a time.
constexpr int32_t kClaim = 64;
// Pieces of work per helper thread: threads that read slower (a new heap
// grows slower than a warm one) take fewer of them.
constexpr unsigned kChunksPerHelper = 4;

// The calling thread reads the list from its start while a helper finds
// where the frames start (a chain of dependent reads through the whole
// list). The helper then cuts off the part of the list the calling thread
// has not claimed yet, leaves it a share and hands the rest out in chunks.
// When the frames' ends do not hold, nothing is cut off and the calling
// thread reads the whole list in order.
class TFrameReading {
public:
    TFrameReading(TCLStream& stream, int32_t count, const TFrameReader& read, unsigned parts,
                  std::vector<std::unique_ptr<TStreamable>>& items)
        : fStream(stream), fCount(count), fRead(read), fParts(parts), fItems(items),
          fScanStream(stream.ForkAt(stream.Position())), fLimit(count) {
        fItems.clear();
        fItems.resize(size_t(count));
    }

    void Run() {
        RunParts(fParts, [this](unsigned p) {
            if (p == 0) {
                ReadFromStart();
                return;
            }
            if (p == 1) Cut();
            ReadChunks();
        });
        if (fMainError) std::rethrow_exception(fMainError);
        for (const std::exception_ptr& e : fChunkErrors)
            if (e) std::rethrow_exception(e);
        if (fCut) fStream.SetPosition(fEnd);
    }

private:
    void ReadFromStart() {
        try {
            for (int32_t i = 0;;) {
                int32_t end;
                {
                    std::lock_guard lock(fMutex);
                    end = std::min(i + kClaim, fLimit);
                    fClaimed = end;
                }
                if (i >= end) return;
                for (; i < end; ++i) fItems[size_t(i)] = fRead(fStream);
            }
        } catch (...) {
            fMainError = std::current_exception();
        }
    }

    void Cut() {
        // A helper that cannot cut (no memory for the positions) leaves the
        // list to the calling thread, which then reads it in order.
        std::vector<int64_t> starts;
        try {
            starts = fScanStream->FrameStarts(fCount);
        } catch (const std::bad_alloc&) {
        }
        {
            std::lock_guard lock(fMutex);
            try {
                if (!starts.empty()) MakeCut(std::move(starts));
            } catch (const std::bad_alloc&) {
            }
            fCutDone = true;
        }
        fCutMade.notify_all();
    }

    // With the lock held: cuts off the frames not claimed yet but the
    // calling thread's share of their bytes. Changes nothing when it throws.
    void MakeCut(std::vector<int64_t> starts) {
        if (fClaimed >= fCount) return;
        const auto frameAt = [&](int64_t at) {
            return int32_t(std::lower_bound(starts.begin(), starts.begin() + fCount, at) - starts.begin());
        };
        const int64_t from = starts[size_t(fClaimed)];
        const int32_t first = std::max(frameAt(from + (starts.back() - from) / fParts), fClaimed);
        if (first >= fCount) return;
        // Chunks of about the same bytes from there to the end.
        const unsigned chunks = (fParts - 1) * kChunksPerHelper;
        const int64_t begin = starts[size_t(first)], bytes = starts.back() - begin;
        std::vector<int32_t> chunkFirst{first};
        for (unsigned c = 1; c < chunks; ++c)
            chunkFirst.push_back(std::max(chunkFirst.back(), frameAt(begin + bytes / chunks * c)));
        chunkFirst.push_back(fCount);
        std::vector<std::unique_ptr<TCLStream>> streams;
        for (unsigned c = 0; c < chunks; ++c) streams.push_back(fScanStream->ForkAt(starts[size_t(chunkFirst[c])]));
        std::vector<std::exception_ptr> errors(chunks);

        fEnd = starts.back();
        fChunkFirst = std::move(chunkFirst);
        fChunkStreams = std::move(streams);
        fChunkErrors = std::move(errors);
        fLimit = first;
        fCut = true;
    }

    void ReadChunks() {
        {
            std::unique_lock lock(fMutex);
            fCutMade.wait(lock, [this] { return fCutDone; });
        }
        const unsigned chunks = unsigned(fChunkErrors.size());
        for (unsigned c; (c = fNextChunk++) < chunks;) {
            try {
                for (int32_t i = fChunkFirst[c]; i < fChunkFirst[c + 1]; ++i)
                    fItems[size_t(i)] = fRead(*fChunkStreams[c]);
            } catch (...) {
                fChunkErrors[c] = std::current_exception();
            }
        }
    }

    TCLStream& fStream;
    const int32_t fCount;
    const TFrameReader& fRead;
    const unsigned fParts;
    std::vector<std::unique_ptr<TStreamable>>& fItems;
    const std::unique_ptr<TCLStream> fScanStream;

    std::mutex fMutex;
    std::condition_variable fCutMade;
    int32_t fLimit;        // the calling thread reads the frames before this one
    int32_t fClaimed = 0;  // frames the calling thread has taken
    bool fCutDone = false;

    // Written before fCutDone is set, read after.
    bool fCut = false;
    int64_t fEnd = 0;  // where the list ends
    std::vector<int32_t> fChunkFirst;
    std::vector<std::unique_ptr<TCLStream>> fChunkStreams;
    std::vector<std::exception_ptr> fChunkErrors;
    std::atomic<unsigned> fNextChunk{0};
    std::exception_ptr fMainError;
};

}  // namespace

bool ReadFramesInParallel(TCLStream& stream, int32_t count, const TFrameReader& read,
                          std::vector<std::unique_ptr<TStreamable>>& items) {
    // Only the lists of the document itself: the objects inside them read
    // their own short lists on the thread that reads the object.
    const unsigned parts = ParallelParts();
    if (count < kMinParallelFrames || stream.Depth() > 1 || parts < 2 || !stream.Is32BitFile) return false;
    TFrameReading(stream, count, read, parts, items).Run();
    return true;
}

}  // namespace tk3d
