// A long list of frames read in parts on several threads must give what
// reading it in order gives: the same items in the same slots, the stream
// after the last frame, and the error of the first frame that fails. Lists
// whose frame ends do not hold are left to the reader in order.
#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

#include "layoutfile/ParallelFrames.h"
#include "platform/Parallel.h"

namespace tk3d {
namespace {

struct TNumbered : TStreamable {
    int32_t Index = -1;
    void Load(TCLStream&) override {}
};

constexpr int32_t kFrames = 5000;
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

// Reads a frame as Get would, failing on the indices in `bad`.
TFrameReader Reader(std::set<int32_t> bad = {}) {
    return [bad](TCLStream& s) -> std::unique_ptr<TStreamable> {
        if (s.ReadSmallInt() == -1) return nullptr;
        const int32_t end = s.ReadInteger();
        auto item = std::make_unique<TNumbered>();
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
    ASSERT_TRUE(ReadFramesInParallel(s, kFrames, Reader(), items));
    ASSERT_EQ(items.size(), size_t(kFrames));
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
            ReadFramesInParallel(s, kFrames, Reader(c.bad), items);
            ADD_FAILURE() << c.error << " was not raised";
        } catch (const std::runtime_error& e) {
            EXPECT_STREQ(e.what(), c.error);
        }
    }
}

TEST_F(ParallelFrames, ListsItCannotCutAreLeftToTheReaderInOrder) {
    std::vector<uint8_t> broken = Frames();
    // The end of frame 3000 points past the file.
    TCLStream probe(broken.data(), int64_t(broken.size()));
    probe.SetPosition(kLead);
    const std::vector<int64_t> starts = probe.FrameStarts(kFrames);
    ASSERT_EQ(starts.size(), size_t(kFrames) + 1);
    const size_t at = size_t(starts[3000]) + 2;
    broken[at + 3] = 0x7F;

    std::vector<uint8_t> bytes = Frames();
    const struct {
        const std::vector<uint8_t>* bytes;
        int32_t count;
        unsigned parts;
    } cases[] = {
        {&broken, kFrames, 4},
        {&bytes, 2000, 4},     // short list
        {&bytes, kFrames, 1},  // one processor
    };
    for (const auto& c : cases) {
        SetParallelParts(c.parts);
        TCLStream s(c.bytes->data(), int64_t(c.bytes->size()));
        s.SetPosition(kLead);
        std::vector<std::unique_ptr<TStreamable>> items;
        EXPECT_FALSE(ReadFramesInParallel(s, c.count, Reader(), items)) << c.count << " " << c.parts;
        EXPECT_EQ(s.Position(), kLead);
        EXPECT_TRUE(items.empty());
    }
    TCLStream s(broken.data(), int64_t(broken.size()));
    s.SetPosition(kLead);
    EXPECT_TRUE(s.FrameStarts(kFrames).empty());
}

}  // namespace
}  // namespace tk3d
