// The header forms: which first ten bytes give which format, and where the
// data starts.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>

#include "WriteObjects.h"
#include "WriteSettings.h"
#include "layoutfile/FileHeader.h"
#include "layoutfile/GlobalState.h"
#include "layoutfile/LoadLayout.h"
#include "layoutfile/RailList.h"
#include "layoutfile/Stream.h"

namespace tk3d {
namespace {

struct THeaderCase {
    const char* name;
    std::vector<uint8_t> bytes;  // the whole file front
    bool accepted;
    bool is32Bit;
    bool isAnsi;
    std::optional<int32_t> fileVersion;
    int64_t dataStart;
};

std::vector<uint8_t> Sig(std::string_view sig8, std::optional<int32_t> version = std::nullopt) {
    tk3dw::TLayoutWriter w;
    if (version)
        tk3dw::WriteVersionedHeader(w, *version, sig8);
    else
        tk3dw::WriteSignature(w, sig8);
    w.Zeros(8);  // what follows the header in a real file
    return w.bytes;
}

std::vector<uint8_t> Bytes(std::string_view s) { return {s.begin(), s.end()}; }

void PrintTo(const THeaderCase& c, std::ostream* os) { *os << c.name; }

class HeaderForms : public testing::TestWithParam<THeaderCase> {};

TEST_P(HeaderForms, RecognisesForm) {
    const THeaderCase& c = GetParam();
    TMemoryStream stream(c.bytes);
    uint8_t header[kHeaderSize] = {};
    stream.Read(header, kHeaderSize);
    std::optional<int32_t> fileVersion;
    int32_t extra = -1;
    const bool ok = CheckFileHeader(header, stream, fileVersion, extra);
    ASSERT_EQ(ok, c.accepted);
    if (!ok) return;
    EXPECT_EQ(stream.Is32BitFile, c.is32Bit);
    EXPECT_EQ(stream.IsANSIFile, c.isAnsi);
    EXPECT_EQ(fileVersion, c.fileVersion);
    EXPECT_EQ(stream.Position(), c.dataStart);
    EXPECT_EQ(extra, c.fileVersion && *c.fileVersion >= 605 && *c.fileVersion <= 608 ? 0x5A5A : 0);
}

INSTANTIATE_TEST_SUITE_P(
    All, HeaderForms,
    testing::Values(
        THeaderCase{"v329_608_wide_with_extra", Sig("Ver..329", 608), true, true, false, 608, 18},
        THeaderCase{"v329_607_ansi_with_extra", Sig("Ver..329", 607), true, true, true, 607, 18},
        THeaderCase{"v329_605_extra", Sig("Ver..329", 605), true, true, true, 605, 18},
        THeaderCase{"v329_604_no_extra", Sig("Ver..329", 604), true, true, true, 604, 14},
        THeaderCase{"v327_600", Sig("Ver..327", 600), true, true, true, 600, 14},
        THeaderCase{"v329_609_rejected", Sig("Ver..329", 609), false, false, false, {}, 0},
        THeaderCase{"early_Ver321", Sig("Ver..321"), true, true, true, {}, 10},
        THeaderCase{"early_Ver323", Sig("Ver..323"), true, true, true, {}, 10},
        THeaderCase{"early_SWVer321", Sig("SWVer321"), true, true, true, {}, 10},
        THeaderCase{"early_SWVer323", Sig("SWVer323"), true, true, true, {}, 10},
        THeaderCase{"early_Ver325", Sig("Ver..325"), true, true, true, {}, 10},
        THeaderCase{"early_SWVer325", Sig("SWVer325"), true, true, true, {}, 10},
        THeaderCase{"unknown_SWVer327", Sig("SWVer327"), false, false, false, {}, 0},
        THeaderCase{"case_sensitive", Sig("ver..321"), false, false, false, {}, 0},
        THeaderCase{"early_needs_1A", Bytes(std::string("Ver..321\x1B\0", 10)), false, false, false, {}, 0},
        THeaderCase{"version_rule", Sig("Version3"), true, false, true, {}, 10},
        THeaderCase{"version_rule_any_digit", Sig("Version9"), true, false, true, {}, 10},
        THeaderCase{"dots_rule_3", Sig("Ver....3"), true, false, true, {}, 10},
        THeaderCase{"dots_rule_4", Sig("Ver....4"), true, false, true, {}, 10},
        THeaderCase{"dots_rule_5_rejected", Sig("Ver....5"), false, false, false, {}, 0},
        // No zero among the ten bytes: n = 10 compares eight bytes.
        THeaderCase{"version_rule_n10",
                    Bytes("Version3\x1A"
                          "x"),
                    true,
                    false,
                    true,
                    {},
                    10},
        THeaderCase{"version_rule_n10_mismatch",
                    Bytes("Version4\x1A"
                          "x"),
                    false,
                    false,
                    false,
                    {},
                    0},
        THeaderCase{"dots_rule_n10_bound",
                    Bytes("Ver....4\x1B"
                          "x"),
                    false,
                    false,
                    false,
                    {},
                    0},
        // Short files read as zeros: two bytes leave nothing to compare.
        THeaderCase{"two_bytes_vacuous", Bytes("AB"), true, false, true, {}, 2},
        THeaderCase{"one_byte_rejected", Bytes("V"), false, false, false, {}, 0},
        THeaderCase{"empty_rejected", {}, false, false, false, {}, 0}),
    [](const testing::TestParamInfo<THeaderCase>& info) { return std::string(info.param.name); });

TEST(HeaderForms, VersionedHeaderCutShortIsReadError) {
    tk3dw::TLayoutWriter w;
    tk3dw::WriteSignature(w, "Ver..329");
    w.Word(600);  // half a file version
    TMemoryStream stream(w.bytes);
    uint8_t header[kHeaderSize] = {};
    stream.Read(header, kHeaderSize);
    std::optional<int32_t> fileVersion;
    int32_t extra = 0;
    try {
        CheckFileHeader(header, stream, fileVersion, extra);
        FAIL() << "no error";
    } catch (const EReadError& e) {
        EXPECT_STREQ(e.what(), "Stream-Lesefehler");
    }
}

// LoadLayout reads real files; each test gets its own folder, which also
// holds the registry stores that 16-bit files consult.
class LoadLayoutTest : public testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/tk3d-load-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        fDir = tmpl;
        if (const char* old = std::getenv("TK3D_CONFIG_ROOT")) fOldRoot = old;
        setenv("TK3D_CONFIG_ROOT", (fDir / "config").c_str(), 1);
        ResetGlobalState();
    }
    void TearDown() override {
        if (fOldRoot)
            setenv("TK3D_CONFIG_ROOT", fOldRoot->c_str(), 1);
        else
            unsetenv("TK3D_CONFIG_ROOT");
        std::filesystem::remove_all(fDir);
        ResetGlobalState();
    }
    std::string File(const std::vector<uint8_t>& bytes, const char* name = "layout.tkl") {
        const std::filesystem::path p = fDir / name;
        std::ofstream(p, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), long(bytes.size()));
        return p.string();
    }
    template <class E>
    void ExpectError(const std::vector<uint8_t>& bytes, const std::string& message) {
        const std::string path = File(bytes);
        try {
            LoadLayout(path);
            ADD_FAILURE() << "no error";
        } catch (const E& e) {
            EXPECT_EQ(e.what(), message);
        }
    }

    std::filesystem::path fDir;
    std::optional<std::string> fOldRoot;
};

tk3dw::WRailObject Object(int32_t layer, int32_t number) {
    tk3dw::WRailObject o;
    o.layer = layer;
    o.number = number;
    o.stateFlags = 8;  // Movable only
    return o;
}

TEST_F(LoadLayoutTest, EveryHeaderFormReadsItsDocument) {
    struct TCase {
        const char* name;
        std::function<void(tk3dw::TLayoutWriter&)> header;
        tk3dw::WFormat format;
        TLayoutFormat expected;
    };
    const auto settings = [](tk3dw::TLayoutWriter& w) {
        tk3dw::WriteCurrentSettings(w, tk3dw::DefaultRecord());
    };
    const TCase cases[] = {
        {"608",
         [&](tk3dw::TLayoutWriter& w) {
             tk3dw::WriteVersionedHeader(w, 608);
             settings(w);
         },
         {true, false},
         {true, false, 608, 0xABD1}},
        {"604",
         [&](tk3dw::TLayoutWriter& w) {
             tk3dw::WriteVersionedHeader(w, 604, "Ver..327");
             settings(w);
         },
         {true, true},
         {true, true, 604, 0xABD1}},
        {"SWVer323",
         [&](tk3dw::TLayoutWriter& w) {
             tk3dw::WriteSignature(w, "SWVer323");
             tk3dw::WriteOldSettings(w, 0xABCE, tk3dw::OldRecord());
         },
         {true, true},
         {true, true, std::nullopt, 0xABCE}},
        {"Version",
         [](tk3dw::TLayoutWriter& w) { tk3dw::WriteSignature(w, "Version3"); },
         {false, true},
         {false, true, std::nullopt, std::nullopt}},
        {"1A",
         [](tk3dw::TLayoutWriter& w) { w.Byte(0x1A); },
         {false, false},
         {false, false, std::nullopt, std::nullopt}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        tk3dw::TLayoutWriter w;
        c.header(w);
        tk3dw::WDocument doc;
        doc.objects = {tk3dw::RailObjectWriter(Object(0, 2)), tk3dw::RailObjectWriter(Object(1, 3))};
        tk3dw::WriteDocument(w, doc, c.format);
        TLayoutFormat format;
        const std::unique_ptr<TRailList> list = LoadLayout(File(w.bytes), &format);
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->Count(), 2);
        EXPECT_EQ(format.is32Bit, c.expected.is32Bit);
        EXPECT_EQ(format.isAnsi, c.expected.isAnsi);
        EXPECT_EQ(format.fileVersion, c.expected.fileVersion);
        EXPECT_EQ(format.settingsVersion, c.expected.settingsVersion);
    }
}

TEST_F(LoadLayoutTest, EveryObjectOfBothListsIsVisibleAndMarked) {
    tk3dw::WDocument doc;
    const tk3dw::WObjectWriter empty = [](tk3dw::TLayoutWriter& w, const tk3dw::WFormat&) { w.NullFrame(); };
    doc.objects = {tk3dw::RailObjectWriter(Object(0, 2)), empty, tk3dw::RailObjectWriter(Object(300, 3))};
    doc.catenary = {tk3dw::RailObjectWriter(Object(77, 4))};
    const std::unique_ptr<TRailList> list = LoadLayout(File(tk3dw::LayoutFile(doc)));
    int seen = 0;
    list->ForEachObject([&](TBasicRailObject& obj) {
        ++seen;
        EXPECT_EQ(obj.StateFlags & (sfVisible | sfMarked), sfVisible | sfMarked);
    });
    EXPECT_EQ(seen, 3);
}

TEST_F(LoadLayoutTest, SixteenBitFilesTakeFontsFromThePlannerSettings) {
    const std::filesystem::path machine = fDir / "config/machine/registry.ini";
    std::filesystem::create_directories(machine.parent_path());
    std::ofstream(machine) << "[Software\\Kestrow\\Trakona\\11.0\\Settings\\Fonts\\HeightFont]\n"
                              "\"Height\"=dword:00000021\n";
    GlobalSettings.SetShowTies(true);
    LayerNames[4] = "bleibt";
    tk3dw::WDocument doc;
    const std::unique_ptr<TRailList> list = LoadLayout(File(tk3dw::LayoutFile(doc, {false, false})));
    EXPECT_EQ(GlobalSettings.HeightFont().lfHeight, 0x21);
    EXPECT_TRUE(GlobalSettings.ShowTies());  // no block: the record keeps its values
    EXPECT_EQ(LayerNames[4], "bleibt");
}

TEST_F(LoadLayoutTest, Failures) {
    const std::string path = (fDir / "layout.tkl").string();
    const std::string invalid = "Datei " + path + " ist ungültig oder paßt nicht zu dieser Programmversion!";
    {
        tk3dw::TLayoutWriter w;
        tk3dw::WriteSignature(w, "Ver..330");
        ExpectError<EInvalidFile>(w.bytes, invalid);
    }
    {
        tk3dw::TLayoutWriter w;
        tk3dw::WriteVersionedHeader(w, 609);
        ExpectError<EInvalidFile>(w.bytes, invalid);
    }
    ExpectError<EInvalidFile>({}, invalid);
    for (int16_t classId : {int16_t(-1), tk3dw::ids::RailCollection}) {
        SCOPED_TRACE(classId);
        tk3dw::TLayoutWriter w;
        tk3dw::WriteVersionedHeader(w, 608);
        tk3dw::WriteCurrentSettings(w, tk3dw::DefaultRecord());
        const size_t frame = w.BeginFrame(classId);
        if (classId != -1) {
            tk3dw::WriteCollectionHeader(w, 0);
            w.EndFrame(frame);
        }
        ExpectError<EInvalidCast>(w.bytes, "Ungültige Typumwandlung");
    }
    {
        std::vector<uint8_t> cut = tk3dw::LayoutFile({});
        cut.resize(cut.size() - 3);
        ExpectError<EReadError>(cut, "Stream-Lesefehler");
    }
    try {
        LoadLayout((fDir / "missing.tkl").string());
        ADD_FAILURE() << "no error";
    } catch (const EFileOpenError& e) {
        EXPECT_EQ(e.what(), "Datei " + (fDir / "missing.tkl").string() + " kann nicht geöffnet werden");
    }
}

TEST(LoadLayoutFromMemory, NamesTheFileInTheMessage) {
    try {
        LoadLayoutFromMemory({'x'}, "speicher.tkl");
        FAIL() << "no error";
    } catch (const EInvalidFile& e) {
        EXPECT_STREQ(e.what(), "Datei speicher.tkl ist ungültig oder paßt nicht zu dieser Programmversion!");
    }
}

}  // namespace
}  // namespace tk3d
