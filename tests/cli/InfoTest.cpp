// tk3d-cli info on fixture files: the JSON on stdout for every header form
// and settings layout, the reader's messages on stderr with exit code 1.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "MiniJson.h"
#include "RunTool.h"
#include "WriteObjects.h"
#include "WriteSettings.h"

namespace {

namespace fs = std::filesystem;
using tk3dtest::JValue;
using tk3dw::TLayoutWriter;

using tk3dtest::ReadFile;
using tk3dtest::TRun;

class CliInfo : public testing::Test {
protected:
    void SetUp() override {
        fDir = fTemp.Path();
        ASSERT_FALSE(fDir.empty());
    }

    std::string Write(const std::vector<uint8_t>& bytes, const std::string& name = "layout.tkl") {
        const fs::path p = fDir / name;
        std::ofstream(p, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), long(bytes.size()));
        return p.string();
    }

    // Runs the tool with the planner's settings pointed into the test folder.
    TRun Run(const std::vector<std::string>& args) { return tk3dtest::RunTool(TK3D_CLI_PATH, args, fDir); }

    JValue Info(const std::vector<uint8_t>& bytes) {
        const TRun r = Run({"info", Write(bytes)});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.err, "");
        return tk3dtest::ParseJson(r.out);
    }

    void ExpectFailure(const std::vector<uint8_t>& bytes, const std::string& message) {
        const TRun r = Run({"info", Write(bytes)});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.err, message + "\n");
        EXPECT_EQ(r.out, "");
    }

    tk3dtest::TTempDir fTemp;
    fs::path fDir;
};

tk3dw::WDocument TwoObjects() {
    tk3dw::WDocument doc;
    for (int n : {2, 3}) {
        tk3dw::WRailObject o;
        o.number = n;
        o.lines = {{.x1 = 0, .y1 = 0, .x2 = 100, .y2 = 50}};
        doc.objects.push_back(tk3dw::RailObjectWriter(o));
    }
    return doc;
}

TEST_F(CliInfo, EveryHeaderForm) {
    struct TCase {
        const char* name;
        std::function<void(TLayoutWriter&)> front;
        tk3dw::WFormat format;
        bool is32, isAnsi;
        std::optional<int> fileVersion, settingsVersion;
    };
    const auto current = [](TLayoutWriter& w) { tk3dw::WriteCurrentSettings(w, tk3dw::DefaultRecord()); };
    const auto old = [](TLayoutWriter& w) { tk3dw::WriteOldSettings(w, 0xABCD, tk3dw::OldRecord()); };
    const auto early = [&](const char* sig) {
        return [=](TLayoutWriter& w) {
            tk3dw::WriteSignature(w, sig);
            old(w);
        };
    };
    const TCase cases[] = {
        {"Ver..329 608",
         [&](TLayoutWriter& w) {
             tk3dw::WriteVersionedHeader(w, 608);
             current(w);
         },
         {true, false},
         true,
         false,
         608,
         0xABD1},
        {"Ver..329 607",
         [&](TLayoutWriter& w) {
             tk3dw::WriteVersionedHeader(w, 607);
             current(w);
         },
         {true, true},
         true,
         true,
         607,
         0xABD1},
        {"Ver..327 600",
         [&](TLayoutWriter& w) {
             tk3dw::WriteVersionedHeader(w, 600, "Ver..327");
             current(w);
         },
         {true, true},
         true,
         true,
         600,
         0xABD1},
        {"Ver..321", early("Ver..321"), {true, true}, true, true, {}, 0xABCD},
        {"Ver..323", early("Ver..323"), {true, true}, true, true, {}, 0xABCD},
        {"Ver..325", early("Ver..325"), {true, true}, true, true, {}, 0xABCD},
        {"SWVer321", early("SWVer321"), {true, true}, true, true, {}, 0xABCD},
        {"SWVer323", early("SWVer323"), {true, true}, true, true, {}, 0xABCD},
        {"SWVer325", early("SWVer325"), {true, true}, true, true, {}, 0xABCD},
        {"Version",
         [](TLayoutWriter& w) { tk3dw::WriteSignature(w, "Version3"); },
         {false, true},
         false,
         true,
         {},
         {}},
        {"Ver....",
         [](TLayoutWriter& w) { tk3dw::WriteSignature(w, "Ver....4"); },
         {false, true},
         false,
         true,
         {},
         {}},
        {"0x1A", [](TLayoutWriter& w) { w.Byte(0x1A); }, {false, false}, false, false, {}, {}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        TLayoutWriter w;
        c.front(w);
        tk3dw::WriteDocument(w, TwoObjects(), c.format);
        const JValue info = Info(w.bytes);
        EXPECT_EQ(info["file"].Str(), (fDir / "layout.tkl").string());
        const JValue& f = info["format"];
        EXPECT_EQ(f["is32Bit"].Bool(), c.is32);
        EXPECT_EQ(f["isAnsi"].Bool(), c.isAnsi);
        if (c.fileVersion)
            EXPECT_EQ(f["fileVersion"].Num(), *c.fileVersion);
        else
            EXPECT_TRUE(f["fileVersion"].IsNull());
        if (c.settingsVersion)
            EXPECT_EQ(f["settingsVersion"].Num(), *c.settingsVersion);
        else
            EXPECT_TRUE(f["settingsVersion"].IsNull());
        EXPECT_EQ(info["document"]["objects"].Num(), 2);
    }
}

TEST_F(CliInfo, SettingsLayerNamesAndLayerData) {
    tk3dw::WRecord r = tk3dw::DefaultRecord();
    r.Byte(504, 1);
    r.Byte(0, 1);
    r.Int(12, 2500);
    r.Int(821, 33);
    r.Int(650, 0x00112233);
    r.Layers(52, {0, 3, 255});
    r.Layers(825, {3});
    tk3dw::WFont font;
    font.height = -30;
    font.weight = 700;
    font.bytes[0] = 1;
    font.face = "Times New Roman";
    r.FontW(665, font);
    r.Pen(513, tk3dw::WPen{2, 4, 0x0000FF});
    TLayoutWriter w;
    tk3dw::WriteVersionedHeader(w, 608);
    tk3dw::WriteCurrentSettings(w, r, {{7, "Brücke \"Süd\""}, {255, "Ende"}},
                                {{.version = 1,
                                  .layer = 7,
                                  .lineColor = 0xFF,
                                  .lineWidth = 2,
                                  .fillColor = 0xEE,
                                  .doFill = true,
                                  .height = 12.5}});
    tk3dw::WriteDocument(w, TwoObjects());
    const JValue info = Info(w.bytes);

    const JValue& s = info["settings"];
    EXPECT_EQ(s.Size(), 34u);  // every field the viewer reads
    EXPECT_TRUE(s["ShowTies"].Bool());
    EXPECT_TRUE(s["InchUnits"].Bool());
    EXPECT_TRUE(s["ShowCatenary"].Bool());
    EXPECT_EQ(s["BoardWidth"].Num(), 2500);
    EXPECT_EQ(s["OverlapY"].Num(), 33);
    EXPECT_EQ(s["PrintScale"].Num(), 10);
    EXPECT_EQ(s["TextInElementsColor"].Num(), 0x00112233);
    EXPECT_EQ(s["VisibleLayers"].Ints(), (std::vector<int>{0, 3, 255}));
    EXPECT_EQ(s["ActiveLayers"].Ints(), (std::vector<int>{3}));
    const JValue& f = s["ParamLabelFont"];
    EXPECT_EQ(f["face"].Str(), "Times New Roman");
    EXPECT_EQ(f["height"].Num(), -30);
    EXPECT_EQ(f["weight"].Num(), 700);
    EXPECT_TRUE(f["italic"].Bool());
    EXPECT_EQ(s["ArtNrFont"]["face"].Str(), "Arial");
    EXPECT_EQ(s["ClearancePen"]["style"].Num(), 2);
    EXPECT_EQ(s["ClearancePen"]["width"].Num(), 4);
    EXPECT_EQ(s["ClearancePen"]["color"].Num(), 0x0000FF);

    const JValue& names = info["layerNames"];
    EXPECT_EQ(names.Size(), 2u);
    EXPECT_EQ(names["7"].Str(), "Brücke \"Süd\"");
    EXPECT_EQ(names["255"].Str(), "Ende");

    ASSERT_EQ(info["layerData"].Size(), 1u);
    const JValue& d = info["layerData"][0];
    EXPECT_EQ(d["layer"].Num(), 7);
    EXPECT_EQ(d["version"].Num(), 3);
    EXPECT_EQ(d["lineColor"].Num(), 0xFF);
    EXPECT_EQ(d["lineWidth"].Num(), 2);
    EXPECT_EQ(d["fillColor"].Num(), 0xEE);
    EXPECT_TRUE(d["doFill"].Bool());
    EXPECT_EQ(d["height"].Num(), 12.5);
    EXPECT_EQ(d["tieColor"].Num(), 0x004080);
}

TEST_F(CliInfo, SixteenBitFileShowsThePlannerFonts) {
    const fs::path user = fDir / "config/user/registry.ini";
    fs::create_directories(user.parent_path());
    std::ofstream(user) << "[Software\\Kestrow\\Trakona\\11.0\\Settings\\Fonts\\ArtNrFont]\n"
                           "\"FaceName\"=\"Liberation Serif\"\n\"Height\"=dword:ffffffe0\n";
    TLayoutWriter w;
    w.Byte(0x1A);
    tk3dw::WriteDocument(w, {}, {false, false});
    const JValue info = Info(w.bytes);
    EXPECT_EQ(info["settings"]["ArtNrFont"]["face"].Str(), "Liberation Serif");
    EXPECT_EQ(info["settings"]["ArtNrFont"]["height"].Num(), -32);
    EXPECT_EQ(info["layerNames"].Size(), 0u);
}

TEST_F(CliInfo, FailuresGoToStderrWithExitCode1) {
    const std::string path = (fDir / "layout.tkl").string();
    {
        TLayoutWriter w;
        tk3dw::WriteVersionedHeader(w, 609);
        ExpectFailure(w.bytes, "Datei " + path + " ist ungültig oder paßt nicht zu dieser Programmversion!");
    }
    {
        TLayoutWriter w;
        tk3dw::WriteVersionedHeader(w, 608);
        tk3dw::WriteCurrentSettings(w, tk3dw::DefaultRecord());
        w.BeginFrame(12345);
        w.Zeros(8);
        ExpectFailure(w.bytes, "Unbekannter Objekttyp! [12345]");
    }
    {
        std::vector<uint8_t> cut = tk3dw::LayoutFile(TwoObjects());
        cut.resize(cut.size() / 2);
        ExpectFailure(cut, "Stream-Lesefehler");
    }
    const TRun missing = Run({"info", (fDir / "missing.tkl").string()});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err, "Datei " + (fDir / "missing.tkl").string() + " kann nicht geöffnet werden\n");

    const TRun usage = Run({"info"});
    EXPECT_EQ(usage.exitCode, 2);
    EXPECT_EQ(usage.out, "");
}

}  // namespace
