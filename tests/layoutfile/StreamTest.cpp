#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>

#include "LayoutWriter.h"
#include "layoutfile/ClassRegistry.h"
#include "layoutfile/Extended.h"
#include "layoutfile/Stream.h"

using namespace tk3d;
using tk3dw::TLayoutWriter;

namespace {

// A test class that reads a fixed number of bytes of its record.
struct TTenBytes : TStreamable {
    uint8_t data[10] = {};
    void Load(TCLStream& s) override { s.ReadBuffer(data, 10); }
};
// A test class that nests another frame inside its own.
struct TNested : TStreamable {
    std::unique_ptr<TStreamable> child;
    void Load(TCLStream& s) override { child = s.Get(); }
};
struct TReadsNothing : TStreamable {
    int value = 0;
    std::string text;
    void Load(TCLStream&) override {}
};

constexpr int16_t kTenBytesId = 30001;
constexpr int16_t kNestedId = 30002;
constexpr int16_t kNothingId = 30003;

class StreamTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static bool done = false;
        if (done) return;
        done = true;
        RegisterStreamClass<TTenBytes>(kTenBytesId, "TTenBytes");
        RegisterStreamClass<TNested>(kNestedId, "TNested");
        RegisterStreamClass<TReadsNothing>(kNothingId, "TReadsNothing");
    }
    static TMemoryStream Stream(const TLayoutWriter& w) { return TMemoryStream(w.bytes); }
};

std::string ErrorOf(TCLStream& s) {
    try {
        s.Get();
    } catch (const ETk3dError& e) {
        return e.what();
    }
    return "";
}

}  // namespace

TEST(ExtendedTest, DecodesTheValuesThatFilesHold) {
    struct Case {
        uint8_t bytes[10];
        double expected;
    };
    const Case cases[] = {
        {{0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}, 1.0},
        {{0, 0, 0, 0, 0, 0, 0, 0xC0, 0x00, 0x40}, 3.0},
        {{0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0xBF}, -1.0},
        {{0, 0, 0, 0, 0, 0, 0, 0xFA, 0x08, 0x40}, 1000.0},
        {{0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 0.0},
    };
    for (const Case& c : cases) EXPECT_EQ(DecodeExtended(c.bytes), c.expected);
}

TEST(ExtendedTest, NonFiniteAndOutOfRangeValuesStayRecognisable) {
    const uint8_t inf[10] = {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F};
    const uint8_t nan[10] = {1, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x7F};
    const uint8_t huge[10] = {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFE, 0x7F};  // 2^16383
    const uint8_t unnormal[10] = {0, 0, 0, 0, 0, 0, 0, 0x40, 0xFF, 0x3F};  // integer bit clear
    EXPECT_TRUE(std::isinf(DecodeExtended(inf)));
    EXPECT_TRUE(std::isnan(DecodeExtended(nan)));
    EXPECT_TRUE(std::isinf(DecodeExtended(huge)));
    EXPECT_EQ(DecodeExtended(unnormal), 0.5);
}

TEST(ExtendedTest, RoundTripsEveryDouble) {
    for (double v : {1e-300, -2.5, 0.1, 12345.678, 1e300, std::numeric_limits<double>::denorm_min()}) {
        uint8_t b[10];
        EncodeExtended(v, b);
        EXPECT_EQ(DecodeExtended(b), v);
    }
}

TEST_F(StreamTest, NoObjectConsumesTwoBytes) {
    TLayoutWriter w;
    w.NullFrame();
    w.Integer(77);
    TMemoryStream s = Stream(w);
    EXPECT_EQ(s.Get(), nullptr);
    EXPECT_EQ(s.Position(), 2);
}

TEST_F(StreamTest, UnknownClassIdsNameTheirId) {
    struct Case {
        int16_t id;
        std::string message;
    };
    const Case cases[] = {
        {12345, "Unbekannter Objekttyp! [12345]"},
        {-5, "Unbekannter Objekttyp! [-5]"},
        {10016,
         "Kann Dateien der Vorversion, die eingebettete oder verknüpfte Objekte enthalten, nicht lesen!"},
    };
    for (const Case& c : cases) {
        TLayoutWriter w;
        w.SmallInt(c.id);
        w.Integer(6);
        TMemoryStream s = Stream(w);
        EXPECT_EQ(ErrorOf(s), c.message);
    }
}

TEST_F(StreamTest, ThirtyTwoBitFramesResynchroniseAtTheirEnd) {
    TLayoutWriter w;
    const size_t f = w.BeginFrame(kTenBytesId);
    for (int i = 0; i < 30; ++i) w.Byte(uint8_t(i));
    w.EndFrame(f);
    w.Integer(0x11223344);
    TMemoryStream s = Stream(w);
    auto obj = s.GetAs<TTenBytes>();
    ASSERT_TRUE(obj);
    EXPECT_EQ(obj->data[9], 9);
    EXPECT_EQ(s.ReadInteger(), 0x11223344);
}

TEST_F(StreamTest, SixteenBitFramesConsumeExactlyWhatLoadReads) {
    TLayoutWriter w;
    w.BeginFrame(kTenBytesId, false);
    for (int i = 0; i < 30; ++i) w.Byte(uint8_t(i));
    TMemoryStream s = Stream(w);
    s.Is32BitFile = false;
    ASSERT_TRUE(s.Get());
    EXPECT_EQ(s.Position(), 12);
}

TEST_F(StreamTest, ObjectWhoseLoadReadsNothingStaysZero) {
    TLayoutWriter w;
    w.EndFrame(w.BeginFrame(kNothingId));
    TMemoryStream s = Stream(w);
    auto obj = s.GetAs<TReadsNothing>();
    ASSERT_TRUE(obj);
    EXPECT_EQ(obj->value, 0);
    EXPECT_TRUE(obj->text.empty());
}

TEST_F(StreamTest, WrongClassAtATypedSiteIsAnInvalidCast) {
    TLayoutWriter w;
    w.EndFrame(w.BeginFrame(kNothingId));
    TMemoryStream s = Stream(w);
    EXPECT_THROW(s.GetAs<TTenBytes>(), EInvalidCast);
}

TEST_F(StreamTest, FrameEndsOutsideTheirEnclosureAreReadErrors) {
    struct Case {
        const char* what;
        int32_t end;  // relative: INT32_MIN marks "absolute 0"
    };
    // The frame of a TNested holds a TReadsNothing whose end is patched.
    for (int variant = 0; variant < 3; ++variant) {
        TLayoutWriter w;
        const size_t outer = w.BeginFrame(kNestedId);
        const size_t inner = w.BeginFrame(kNothingId);
        w.Zeros(4);
        w.EndFrame(inner);
        w.EndFrame(outer);
        if (variant == 0) w.PatchInteger(inner, 0);                       // backwards
        if (variant == 1) w.PatchInteger(inner, int32_t(w.Pos()) + 100);  // past the file
        if (variant == 2) {                                               // past the enclosing frame
            w.Zeros(8);
            w.PatchInteger(inner, int32_t(w.Pos()) - 2);
        }
        TMemoryStream s = Stream(w);
        EXPECT_EQ(ErrorOf(s), "Stream-Lesefehler") << "variant " << variant;
    }
}

TEST_F(StreamTest, DeepNestingIsRefused) {
    TLayoutWriter w;
    std::vector<size_t> frames;
    for (int i = 0; i < 100; ++i) frames.push_back(w.BeginFrame(kNestedId));
    w.NullFrame();
    for (auto it = frames.rbegin(); it != frames.rend(); ++it) w.EndFrame(*it);
    TMemoryStream s = Stream(w);
    EXPECT_EQ(ErrorOf(s), "Stream-Lesefehler");
}

TEST_F(StreamTest, StrReadForms) {
    struct Case {
        bool is32;
        std::vector<uint8_t> bytes;
        std::string expected;
        int64_t consumed;
    };
    const Case cases[] = {
        {true, {0xFF, 0xFF, 0xFF, 0xFF}, "", 4},
        {true, {0, 0, 0, 0}, "", 4},
        {true, {3, 0, 0, 0, 'a', 'b', 0xE4}, "ab\xC3\xA4", 7},
        {false, {0xFF, 0xFF}, "", 2},
        {false, {2, 0, 'h', 'i'}, "hi", 4},
        {true, {1, 0, 0, 0, 0x80}, "\xE2\x82\xAC", 5},  // euro sign of code page 1252
    };
    for (const Case& c : cases) {
        TMemoryStream s(c.bytes);
        s.Is32BitFile = c.is32;
        EXPECT_EQ(s.StrRead(), c.expected);
        EXPECT_EQ(s.Position(), c.consumed);
    }
}

TEST_F(StreamTest, ReadStringForms) {
    struct Case {
        bool ansi;
        std::vector<uint8_t> bytes;
        std::string expected;
        int64_t consumed;
    };
    const Case cases[] = {
        {true, {3, 0, 0, 0, 'a', 'b', 'c', 'd', 'e', 'f'}, "abc", 7},
        {false, {3, 0, 0, 0, 'a', 0, 'b', 0, 'c', 0}, "abc", 10},
        {false, {0, 0, 0, 0, 'a', 0}, "", 4},
        {false, {0xFE, 0xFF, 0xFF, 0xFF, 'a', 0}, "", 4},
        {false, {2, 0, 0, 0, 0x3D, 0xD8, 0x00, 0xDE}, "\xF0\x9F\x98\x80", 8},  // surrogate pair
    };
    for (const Case& c : cases) {
        TMemoryStream s(c.bytes);
        s.IsANSIFile = c.ansi;
        EXPECT_EQ(s.ReadString(), c.expected);
        EXPECT_EQ(s.Position(), c.consumed);
    }
}

TEST_F(StreamTest, LengthsBeyondTheFileAreReadErrorsNotAllocations) {
    TLayoutWriter w;
    w.Integer(0x7FFFFFFF);
    w.Raw("abc");
    {
        TMemoryStream s = Stream(w);
        EXPECT_THROW(s.ReadString(), EReadError);
    }
    {
        TMemoryStream s = Stream(w);
        EXPECT_THROW(s.StrRead(), EReadError);
    }
    {
        TMemoryStream s = Stream(w);
        EXPECT_THROW(s.ReadCount(1), EReadError);
    }
    TLayoutWriter neg;
    neg.Integer(-1);
    TMemoryStream s(neg.bytes);
    EXPECT_THROW(s.ReadCount(4), EReadError);
}

TEST_F(StreamTest, ReadAndSeekClipAtTheEnds) {
    TMemoryStream s(std::vector<uint8_t>{1, 2, 3, 4, 5});
    uint8_t buf[16];
    EXPECT_EQ(s.Seek(2, TSeekOrigin::Beginning), 2);
    EXPECT_EQ(s.Read(buf, 16), 3);
    EXPECT_EQ(s.Position(), 5);
    EXPECT_EQ(s.Seek(-100, TSeekOrigin::Current), 0);
    EXPECT_EQ(s.Seek(-2, TSeekOrigin::End), 3);
    EXPECT_THROW(s.ReadInteger(), EReadError);
}

TEST(BufStreamTest, EmptyAndMissingFiles) {
    const std::string empty = ::testing::TempDir() + "empty.tkl";
    { std::ofstream(empty, std::ios::binary); }
    TBufStream s(empty);
    EXPECT_FALSE(s.IsMapped());
    uint8_t b;
    EXPECT_THROW(s.ReadBuffer(&b, 1), EReadError);
    try {
        TBufStream missing("/nonexistent/x.tkl");
        FAIL();
    } catch (const ETk3dError& e) {
        EXPECT_STREQ(e.what(), "Datei /nonexistent/x.tkl kann nicht geöffnet werden");
    }
}

TEST(BufStreamTest, MapsAndReadsAFile) {
    const std::string path = ::testing::TempDir() + "five.tkl";
    { std::ofstream(path, std::ios::binary).write("\x05\x00\x00\x00z", 5); }
    TBufStream s(path);
    EXPECT_TRUE(s.IsMapped());
    EXPECT_EQ(s.Size(), 5);
    EXPECT_EQ(s.ReadInteger(), 5);
}
