// A long list of frames read in parts on several threads must give what
// reading it in order gives: the same items in the same slots, the stream
// after the last frame, and the error of the first frame that fails, also
// when the frames' ends do not hold and the list cannot be cut.
#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>

#include "layoutfile/ParallelFrames.h"
#include "platform/Parallel.h"

namespace tk3d {
namespace {

struct TNumbered : TStreamable {
    int32_t Index = -1;
    std::thread::id ReadOn;
    void Load(TCLStream&) override {}
};

constexpr int32_t kFrames = 5000;
constexpr std::chrono::microseconds kSlowFrame{10};
constexpr int64_t kLead = 3;  // bytes before the first frame

void PutInt(std::vector<uint8_t>& b, int32_t v, size_t bytes = 4) {
    for (size_t i = 0; i < bytes; ++i) b.push_back(uint8_t(uint32_t(v) >> (8 * i)));
}

// Frames of class 7 carrying their index; every tenth slot is empty (-1).
std::vector<uint8_t> Frames() {
    std::vector<uint8_t> b(kLead, 0xEE);
    for (int32_t i = 0; i < kFrames; ++i) {
        if (i % 10 == 9) {
            PutInt(b, -1, 2);
            continue;
        }
        const int32_t end = int32_t(b.size()) + 10 + i % 3;  // payloads of 4 to 6 bytes
        PutInt(b, 7, 2);
        PutInt(b, end);
        PutInt(b, i);
        b.resize(size_t(end), 0);
    }
    b.push_back(0xAA);  // what follows the list
    return b;
}

// Reads a frame as Get would, failing on the indices in `bad`. A frame may
// take a few microseconds, as a real object takes some: the list then lasts
// long enough to be cut before the calling thread has read it all.
TFrameReader Reader(std::set<int32_t> bad = {}, std::chrono::microseconds perFrame = {}) {
    return [bad, perFrame](TCLStream& s) -> std::unique_ptr<TStreamable> {
        const auto until = std::chrono::steady_clock::now() + perFrame;
        while (std::chrono::steady_clock::now() < until) {
        }
        if (s.ReadSmallInt() == -1) return nullptr;
        const int32_t end = s.ReadInteger();
        auto item = std::make_unique<TNumbered>();
        item->ReadOn = std::this_thread::get_id();
        item->Index = s.ReadInteger();
        if (bad.count(item->Index)) throw std::runtime_error("frame " + std::to_string(item->Index));
        s.SetPosition(end);
        return item;
    };
}

class ParallelFrames : public ::testing::Test {
protected:
    void SetUp() override { SetParallelParts(4); }
    void TearDown() override { SetParallelParts(0); }
};

TEST_F(ParallelFrames, PartsFillTheSlotsInOrderAndLeaveTheStreamAfterTheList) {
    const std::vector<uint8_t> bytes = Frames();
    TCLStream s(bytes.data(), int64_t(bytes.size()));
    s.SetPosition(kLead);
    std::vector<std::unique_ptr<TStreamable>> items;
    ASSERT_TRUE(ReadFramesInParallel(s, kFrames, Reader({}, kSlowFrame), items));
    ASSERT_EQ(items.size(), size_t(kFrames));
    std::set<std::thread::id> threads;
    for (const auto& item : items)
        if (item) threads.insert(static_cast<TNumbered&>(*item).ReadOn);
    EXPECT_GT(threads.size(), 1u);  // the list was cut
    for (int32_t i = 0; i < kFrames; ++i) {
        if (i % 10 == 9) {
            EXPECT_EQ(items[size_t(i)], nullptr) << i;
            continue;
        }
        ASSERT_NE(items[size_t(i)], nullptr) << i;
        EXPECT_EQ(static_cast<TNumbered&>(*items[size_t(i)]).Index, i);
    }
    EXPECT_EQ(s.ReadByte(), 0xAA);
}

TEST_F(ParallelFrames, TheFirstFailingFrameInFileOrderIsTheError) {
    const std::vector<uint8_t> bytes = Frames();
    const struct {
        std::set<int32_t> bad;
        const char* error;
    } cases[] = {
        {{4800}, "frame 4800"},
        {{1200, 4800}, "frame 1200"},
        {{0, 2600}, "frame 0"},
        {{2600, 2601}, "frame 2600"},
    };
    for (const auto& c : cases) {
        TCLStream s(bytes.data(), int64_t(bytes.size()));
        s.SetPosition(kLead);
        std::vector<std::unique_ptr<TStreamable>> items;
        try {
            ReadFramesInParallel(s, kFrames, Reader(c.bad, kSlowFrame), items);
            ADD_FAILURE() << c.error << " was not raised";
        } catch (const std::runtime_error& e) {
            EXPECT_STREQ(e.what(), c.error);
        }
    }
}

// What a read gave: the items' indices (-1 for an empty slot) and where
// the stream ended, or the error.
struct TOutcome {
    std::vector<int32_t> indices;
    int64_t end = -1;
    std::string error;
    bool operator==(const TOutcome&) const = default;
};

template <class F>
TOutcome Outcome(const std::vector<uint8_t>& bytes, F readList) {
    TCLStream s(bytes.data(), int64_t(bytes.size()));
    s.SetPosition(kLead);
    std::vector<std::unique_ptr<TStreamable>> items;
    TOutcome o;
    try {
        readList(s, items);
        o.end = s.Position();
    } catch (const std::exception& e) {
        o.error = e.what();
        return o;
    }
    for (const auto& item : items) o.indices.push_back(item ? static_cast<TNumbered&>(*item).Index : -1);
    return o;
}

TEST_F(ParallelFrames, ListsWhoseEndsDoNotHoldAreReadInOrder) {
    const std::vector<uint8_t> frames = Frames();
    TCLStream probe(frames.data(), int64_t(frames.size()));
    probe.SetPosition(kLead);
    const std::vector<int64_t> starts = probe.FrameStarts(kFrames);
    ASSERT_EQ(starts.size(), size_t(kFrames) + 1);
    const size_t endOf3000 = size_t(starts[3000]) + 2;
    const struct {
        const char* what;
        int32_t end;
    } cases[] = {
        {"past the file", 0x7F000000},
        {"before its own header", int32_t(starts[3000])},  // read again and again
        {"inside its own header", int32_t(starts[3000]) + 4},
    };
    for (const auto& c : cases) {
        std::vector<uint8_t> bytes = frames;
        for (int i = 0; i < 4; ++i) bytes[endOf3000 + size_t(i)] = uint8_t(uint32_t(c.end) >> (8 * i));
        TCLStream s(bytes.data(), int64_t(bytes.size()));
        s.SetPosition(kLead);
        EXPECT_TRUE(s.FrameStarts(kFrames).empty()) << c.what;
        const TOutcome inOrder = Outcome(bytes, [](TCLStream& s, auto& items) {
            for (int32_t i = 0; i < kFrames; ++i) items.push_back(Reader()(s));
        });
        const TOutcome parallel = Outcome(
            bytes, [](TCLStream& s, auto& items) { EXPECT_TRUE(ReadFramesInParallel(s, kFrames, Reader(), items)); });
        EXPECT_TRUE(parallel == inOrder) << c.what << ": " << parallel.error << " / " << inOrder.error;
    }
}

TEST_F(ParallelFrames, ShortListsAndSingleProcessorsAreLeftToTheCaller) {
    const std::vector<uint8_t> bytes = Frames();
    const struct {
        int32_t count;
        unsigned parts;
    } cases[] = {{2000, 4}, {kFrames, 1}};
    for (const auto& c : cases) {
        SetParallelParts(c.parts);
        TCLStream s(bytes.data(), int64_t(bytes.size()));
        s.SetPosition(kLead);
        std::vector<std::unique_ptr<TStreamable>> items;
        EXPECT_FALSE(ReadFramesInParallel(s, c.count, Reader(), items)) << c.count << " " << c.parts;
        EXPECT_EQ(s.Position(), kLead);
        EXPECT_TRUE(items.empty());
    }
}

}  // namespace
}  // namespace tk3d
