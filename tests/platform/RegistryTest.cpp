// The registry stand-in (typed store files, safe writes), the INI reader,
// and the planner-settings lookup: current user, machine-wide, INI file.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "layoutfile/GlobalState.h"
#include "platform/MyRegistry.h"
#include "platform/Registry.h"

namespace tk3d {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteFile(const fs::path& p, const std::string& text) {
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << text;
}

// Points both store roots into a fresh folder; the INI file lies there too.
class RegistryFixture : public testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/tk3d-registry-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        fRoot = tmpl;
        if (const char* old = std::getenv("TK3D_CONFIG_ROOT")) fOldRoot = old;
        setenv("TK3D_CONFIG_ROOT", fRoot.c_str(), 1);
        ResetGlobalState();
    }
    void TearDown() override {
        if (fOldRoot)
            setenv("TK3D_CONFIG_ROOT", fOldRoot->c_str(), 1);
        else
            unsetenv("TK3D_CONFIG_ROOT");
        fs::remove_all(fRoot);
        ResetGlobalState();
    }
    fs::path UserFile() const { return fRoot / "user/registry.ini"; }
    fs::path MachineFile() const { return fRoot / "machine/registry.ini"; }
    std::string IniFile() const { return (fRoot / "tk3d.ini").string(); }

    fs::path fRoot;
    std::optional<std::string> fOldRoot;
};

using RegistryStore = RegistryFixture;

TEST_F(RegistryStore, FilesFollowTheEnvironment) {
    EXPECT_EQ(RegistryFilePath(TRegRoot::CurrentUser), UserFile().string());
    EXPECT_EQ(RegistryFilePath(TRegRoot::LocalMachine), MachineFile().string());
    unsetenv("TK3D_CONFIG_ROOT");
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const std::optional<std::string> oldXdg = xdg ? std::optional<std::string>(xdg) : std::nullopt;
    setenv("XDG_CONFIG_HOME", "/x/config", 1);
    EXPECT_EQ(RegistryFilePath(TRegRoot::CurrentUser), "/x/config/tk3d/registry.ini");
    EXPECT_EQ(RegistryFilePath(TRegRoot::LocalMachine), "/etc/xdg/tk3d/registry.ini");
    if (oldXdg)
        setenv("XDG_CONFIG_HOME", oldXdg->c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
}

TEST_F(RegistryStore, ReadsTypedValuesCaseInsensitively) {
    WriteFile(UserFile(),
              "; comment\n"
              "[Software\\Kestrow\\Trakona\\11.0\\Viewer]\n"
              "\"DefFileDir\"=\"/home/me/\\\"quoted\\\" \\\\ dir\"\n"
              "\"Count\"=dword:0000002a\n"
              "\"Minus\"=dword:ffffffff\n"
              "\"Placement\"=hex:2c,00,ff\n"
              "Plain = dword:10\n");
    TRegistry reg;
    EXPECT_TRUE(reg.KeyExists("software\\KESTROW"));
    EXPECT_FALSE(reg.KeyExists("Software\\Kestrow\\Traktor"));
    ASSERT_TRUE(reg.OpenKeyReadOnly("SOFTWARE\\kestrow\\Trakona\\11.0\\viewer"));
    EXPECT_EQ(reg.ReadString("deffiledir"), "/home/me/\"quoted\" \\ dir");
    EXPECT_EQ(reg.ReadInteger("Count"), 42);
    EXPECT_EQ(reg.ReadInteger("Minus"), -1);
    EXPECT_EQ(reg.ReadBinary("Placement"), (TRegBinary{0x2c, 0x00, 0xff}));
    EXPECT_EQ(reg.ReadInteger("Plain"), 16);
    EXPECT_EQ(reg.ReadInteger("DefFileDir"), std::nullopt);  // wrong type reads as absent
    EXPECT_EQ(reg.ReadString("Missing"), std::nullopt);
}

TEST_F(RegistryStore, RelativeAndAbsoluteKeys) {
    WriteFile(UserFile(), "[A\\B\\C]\n\"v\"=dword:1\n[B]\n\"v\"=dword:2\n");
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly("A"));
    ASSERT_TRUE(reg.OpenKeyReadOnly("B"));
    EXPECT_EQ(reg.CurrentPath(), "A\\B");
    EXPECT_FALSE(reg.OpenKeyReadOnly("X"));  // a failed open keeps the key
    EXPECT_EQ(reg.CurrentPath(), "A\\B");
    ASSERT_TRUE(reg.OpenKeyReadOnly("C"));
    EXPECT_EQ(reg.ReadInteger("v"), 1);
    ASSERT_TRUE(reg.OpenKeyReadOnly("\\B"));
    EXPECT_EQ(reg.ReadInteger("v"), 2);
}

TEST_F(RegistryStore, WriteChangesOnlyTheValueWritten) {
    const std::string before =
        "# hand-written\n"
        "[Software\\Kestrow\\Trakona\\11.0\\Viewer]\n"
        "\"DefFileDir\"=\"/old\"\n"
        "garbage line without meaning\n"
        "\"Broken\"=dword:xyz\n"
        "\r\n"
        "[Other]\n"
        "\"Keep\"=\"me\"\n";
    WriteFile(UserFile(), before);
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("Software\\Kestrow\\Trakona\\11.0\\Viewer", false));
    ASSERT_TRUE(reg.WriteString("DefFileDir", "/new \"dir\""));
    ASSERT_TRUE(reg.WriteBinary("Placement", {1, 2}));
    std::string expected = before;
    expected.replace(expected.find("\"/old\""), 6, "\"/new \\\"dir\\\"\"");
    expected.insert(expected.find("\r\n"), "\"Placement\"=hex:01,02\n");
    EXPECT_EQ(ReadFile(UserFile()), expected);

    TRegistry again;
    ASSERT_TRUE(again.OpenKeyReadOnly("Software\\Kestrow\\Trakona\\11.0\\Viewer"));
    EXPECT_EQ(again.ReadString("DefFileDir"), "/new \"dir\"");
    EXPECT_EQ(again.ReadBinary("Placement"), (TRegBinary{1, 2}));
}

TEST_F(RegistryStore, CreatesFileAndKeys) {
    TRegistry reg;
    EXPECT_FALSE(reg.OpenKey("Software\\Kestrow\\Trakona\\11.0\\Viewer", false));
    EXPECT_FALSE(reg.WriteInteger("x", 1));  // no key open
    ASSERT_TRUE(reg.OpenKey("Software\\Kestrow\\Trakona\\11.0\\Viewer", true));
    ASSERT_TRUE(reg.WriteString("DefFileDir", "/layouts\nline two"));
    ASSERT_TRUE(reg.WriteInteger("Count", -5));
    TRegistry again;
    ASSERT_TRUE(again.OpenKeyReadOnly("Software\\Kestrow\\Trakona\\11.0\\Viewer"));
    EXPECT_EQ(again.ReadString("DefFileDir"), "/layouts\nline two");
    EXPECT_EQ(again.ReadInteger("Count"), -5);
    EXPECT_FALSE(fs::exists(UserFile().string() + ".tmp" + std::to_string(getpid())));
}

TEST_F(RegistryStore, UnreadableFileIsNeverOverwritten) {
    fs::create_directories(UserFile());  // a folder where the file should be
    TRegistry reg;
    EXPECT_FALSE(reg.OpenKey("Software", true));
    EXPECT_TRUE(fs::is_directory(UserFile()));
}

TEST_F(RegistryStore, DamagedFileReadsWhatItCan) {
    std::string text = "\"before\"=dword:1\n[\n[Good]\n\"a\"=dword:00000007\n\"b\"=\"unterminated\n";
    text += std::string("\0\xff\xfe[Bad\n", 8);
    text += "\"c\"=hex:zz\n\"d\"=dword:123456789\n[Good]\n\"e\"=dword:8\n";
    WriteFile(UserFile(), text);
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly("Good"));
    EXPECT_EQ(reg.ReadInteger("a"), 7);
    EXPECT_EQ(reg.ReadInteger("e"), 8);  // a repeated section adds to the first
    for (const char* name : {"b", "c", "d", "before"})
        EXPECT_FALSE(reg.ReadInteger(name) || reg.ReadString(name));
    ASSERT_TRUE(reg.WriteInteger("a", 9));
    EXPECT_EQ(ReadFile(UserFile()).size(), text.size());  // same length: only "7" became "9"
}

TEST(IniFile, CaseInsensitiveWithNumberForms) {
    char tmpl[] = "/tmp/tk3d-ini-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    const fs::path file = fs::path(tmpl) / "x.ini";
    WriteFile(file,
              "[\\SOFTWARE\\A]\n Height = 20 \nHex=$1F\nHex2=0x10\nNeg=-45\nBig=2147483648\nBad=12a\n"
              "Charset=3\n[\\software\\a]\nheight=99\nLater=1\n");
    const TIniFile ini(file.string());
    EXPECT_EQ(ini.ReadInteger("\\Software\\a", "HEIGHT", 0), 20);
    EXPECT_EQ(ini.ReadInteger("\\SOFTWARE\\A", "Hex", 0), 31);
    EXPECT_EQ(ini.ReadInteger("\\SOFTWARE\\A", "Hex2", 0), 16);
    EXPECT_EQ(ini.ReadInteger("\\SOFTWARE\\A", "Neg", 0), -45);
    EXPECT_EQ(ini.ReadInteger("\\SOFTWARE\\A", "Big", 5), 5);
    EXPECT_EQ(ini.ReadInteger("\\SOFTWARE\\A", "Bad", 6), 6);
    EXPECT_EQ(ini.ReadInteger("\\SOFTWARE\\A", "Missing", 7), 7);
    EXPECT_EQ(ini.ReadInteger("\\SOFTWARE\\A", " Charset", 0), 3);
    EXPECT_EQ(ini.ReadInteger("\\SOFTWARE\\A", "Later", 0), 1);
    EXPECT_EQ(ini.SectionNames().size(), 1u);
    EXPECT_TRUE(TIniFile("/nonexistent/x.ini").SectionNames().empty());
    fs::remove_all(tmpl);
}

TEST(PlannerIni, BesideTheExecutable) {
    EXPECT_EQ(PlannerIniFileName("/opt/tk3d/bin/tk3d"), "/opt/tk3d/bin/tk3d.ini");
    EXPECT_EQ(PlannerIniFileName("/opt/v1.2/tk3d.exe"), "/opt/v1.2/tk3d.ini");
    EXPECT_FALSE(ExecutablePath().empty());
}

constexpr const char* kFonts = "Software\\Kestrow\\Trakona\\11.0\\Settings\\Fonts\\";
constexpr const char* kPens = "Software\\Kestrow\\Trakona\\11.0\\Settings\\Pens\\";

std::string Section(const std::string& path, const std::string& values) {
    return "[" + path + "]\n" + values;
}

using PlannerSettings = RegistryFixture;

TEST_F(PlannerSettings, MachineTreeWhenTheUserLacksTheBaseKey) {
    WriteFile(MachineFile(), Section(std::string(kFonts) + "ArtNrFont", "\"Height\"=dword:00000014\n"));
    LoadPlannerFontsAndPens(IniFile());
    EXPECT_EQ(GlobalSettings.ArtNrFont().lfHeight, 20);
    EXPECT_EQ(FaceName(GlobalSettings.ArtNrFont()), "Arial");  // what no source holds stays
}

TEST_F(PlannerSettings, IniFileWhenNeitherTreeHoldsTheKey) {
    WriteFile(IniFile(),
              "[\\SOFTWARE\\KESTROW\\TRAKONA\\11.0\\SETTINGS\\FONTS\\ARTNRFONT]\nHeight=20\n"
              "FaceName=Liberation Sans\nColor=255\n"
              "[\\software\\kestrow\\trakona\\11.0\\settings\\pens\\grid pen]\nWidth=4\n");
    GlobalSettings.SetGridPen(TLogPen{7, {9, 0}, 0x123456});
    LoadPlannerFontsAndPens(IniFile());
    EXPECT_EQ(GlobalSettings.ArtNrFont().lfHeight, 20);
    EXPECT_EQ(FaceName(GlobalSettings.ArtNrFont()), "Liberation Sans");
    EXPECT_EQ(GlobalSettings.ArtNrColor(), 255u);
    // A pen starts from zero: only the width comes from the file.
    EXPECT_EQ(GlobalSettings.GridPen(), (TLogPen{0, {4, 0}, 0}));
}

TEST_F(PlannerSettings, UserValuesFirstThenMachineValuesAtTheSamePath) {
    WriteFile(UserFile(), Section(std::string(kFonts) + "HeightFont", "\"Weight\"=dword:000002bc\n"));
    WriteFile(MachineFile(), Section(std::string(kFonts) + "HeightFont",
                                     "\"Weight\"=dword:00000190\n\"Height\"=dword:fffffff0\n"));
    LoadPlannerFontsAndPens(IniFile());
    EXPECT_EQ(GlobalSettings.HeightFont().lfWeight, 700);
    EXPECT_EQ(GlobalSettings.HeightFont().lfHeight, -16);
}

TEST_F(PlannerSettings, EveryRowStartsAtTheCurrentUser) {
    // The first row is found machine-wide only; the next one must still
    // prefer the user's value.
    WriteFile(MachineFile(),
              Section(std::string(kFonts) + "ArtNrFont", "\"Height\"=dword:00000001\n") +
                  Section(std::string(kFonts) + "DescriptionFont", "\"Height\"=dword:00000002\n"));
    WriteFile(UserFile(), Section(std::string(kFonts) + "DescriptionFont", "\"Height\"=dword:00000003\n"));
    LoadPlannerFontsAndPens(IniFile());
    EXPECT_EQ(GlobalSettings.ArtNrFont().lfHeight, 1);
    EXPECT_EQ(GlobalSettings.DescriptionFont().lfHeight, 3);
}

TEST_F(PlannerSettings, BytesFaceNamesColoursAndPens) {
    const std::string longFace(40, 'F');
    WriteFile(UserFile(),
              Section(std::string(kFonts) + "Text in Elements",
                      "\"Italic\"=dword:0000012c\n\"Underline\"=dword:00000001\n\" Charset\"=dword:000000ee\n"
                      "\"FaceName\"=\"" +
                          longFace + "\"\n") +
                  Section(std::string(kFonts) + "MassFont", "\"Color\"=dword:00ff0000\n") +
                  Section(std::string(kFonts) + "PageNoFont", "") +
                  Section(std::string(kPens) + "Clearance Pen", "\"Style\"=dword:00000002\n") +
                  Section(std::string(kPens) + "Benchwork pen", "\"Width\"=dword:00000006\n"));
    TLogFontW italic = GlobalSettings.TextInElementsFont();
    italic.lfItalic = 1;
    GlobalSettings.SetTextInElementsFont(italic);
    GlobalSettings.SetPageNoColor(0x00ABCDEF);
    GlobalSettings.SetHeightColor(0x00ABCDEF);
    GlobalSettings.SetClearancePen(TLogPen{1, {1, 0}, 0x00FFFFFF});

    LoadPlannerFontsAndPens(IniFile());
    const TLogFontW f = GlobalSettings.TextInElementsFont();
    EXPECT_EQ(f.lfItalic, 1);  // 300 does not fit a byte
    EXPECT_EQ(f.lfUnderline, 1);
    EXPECT_EQ(f.lfCharSet, 0xEE);
    EXPECT_EQ(FaceName(f), std::string(31, 'F'));
    EXPECT_EQ(PlannerPresentation.MassColor, 0x00FF0000u);
    EXPECT_EQ(PlannerPresentation.BenchworkPen, (TLogPen{0, {6, 0}, 0}));
    EXPECT_EQ(GlobalSettings.PageNoColor(), 0u);           // key opened: window-text colour
    EXPECT_EQ(GlobalSettings.HeightColor(), 0x00ABCDEFu);  // key absent: unchanged
    EXPECT_EQ(GlobalSettings.ClearancePen(), (TLogPen{2, {0, 0}, 0}));
}

TEST_F(PlannerSettings, NothingAnywhereChangesNothing) {
    const TGlobalSettings before = GlobalSettings;
    LoadPlannerFontsAndPens(IniFile());
    EXPECT_EQ(0, std::memcmp(before.raw, GlobalSettings.raw, TGlobalSettings::kSize));
    EXPECT_FALSE(fs::exists(UserFile()));  // reading never creates the store
}

TEST_F(PlannerSettings, SectionPathFollowsTheMachineTree) {
    WriteFile(MachineFile(), Section(std::string(kFonts) + "HelixFont", ""));
    TMyRegistry reg(IniFile());
    ASSERT_TRUE(reg.OpenSettingsKey(false, "Fonts", "HelixFont"));
    EXPECT_EQ(reg.RootKey(), TRegRoot::LocalMachine);
    EXPECT_EQ(reg.SectionPath, "\\SOFTWARE\\KESTROW\\TRAKONA\\11.0\\SETTINGS\\FONTS\\HELIXFONT");
    reg.CloseAll();
    EXPECT_EQ(reg.SectionPath, "");
    EXPECT_FALSE(reg.OpenSettingsKey(false, "Fonts", "Nowhere"));
    EXPECT_EQ(reg.RootKey(), TRegRoot::CurrentUser);
}

}  // namespace
}  // namespace tk3d
