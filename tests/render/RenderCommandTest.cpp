// tk3d-cli render and the scene part of tk3d-cli info, run as a user would.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <QImage>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "DemoLayout.h"
#include "RenderFixture.h"
#include "RunTool.h"

namespace tk3d::test {
namespace {

namespace fs = std::filesystem;

struct TRun {
    int ExitCode = -1;
    std::string Out, Err;
};

// Runs the tool on a line of blank-separated arguments (the tests' paths
// hold no blanks), with its output in a folder of this call's own.
TRun RunCli(const std::string& line) {
    std::vector<std::string> args;
    std::istringstream words(line);
    for (std::string w; words >> w;) args.push_back(w);
    const tk3dtest::TTempDir dir;
    const tk3dtest::TRun r = tk3dtest::RunTool(TK3D_CLI_PATH, args, dir.Path());
    return {r.exitCode, r.out, r.err};
}

TEST(RenderCommand, WritesAPngOfTheAskedSize) {
    const std::string layout = WriteDemoLayout("cli");
    const std::string png = (fs::temp_directory_path() / "tk3d-render-cli.png").string();
    fs::remove(png);
    const TRun r = RunCli("render " + layout + " -o " + png + " --size 320x200 --rot 30,0,20 --cross --ties");
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    const QImage img(QString::fromStdString(png));
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(img.width(), 320);
    EXPECT_EQ(img.height(), 200);
    EXPECT_FALSE(NonWhiteBox(img).Empty());

    // 1:100 on a 96-dpi screen: 3000 mm are 30 mm on the screen, 113 pixels.
    const TRun zoomed =
        RunCli("render " + layout + " -o " + png + " --size 400x300 --zoom 100 --no-landscape");
    ASSERT_EQ(zoomed.ExitCode, 0) << zoomed.Err;
    const TPixelBox box = NonWhiteBox(QImage(QString::fromStdString(png)));
    EXPECT_NEAR(box.Right - box.Left, 3000 / 25.4 * 96 / 100, 3);
}

TEST(RenderCommand, RefusesBadArgumentsAndReportsReadErrors) {
    const std::string layout = WriteDemoLayout("cli-bad");
    for (const std::string& args : std::vector<std::string>{
             "render", "render " + layout, "render " + layout + " -o x.png --size 0x10",
             "render " + layout + " -o x.png --size 40000x40000", "render " + layout + " -o x.png --rot 1,2",
             "render " + layout + " -o x.png --zoom 0", "render " + layout + " -o x.png --what"}) {
        const TRun r = RunCli(args);
        EXPECT_EQ(r.ExitCode, 2) << args;
        EXPECT_NE(r.Err.find("Usage"), std::string::npos) << args;
    }
    const TRun missing = RunCli("render /nonexistent/x.tkl -o /tmp/x.png");
    EXPECT_EQ(missing.ExitCode, 1);
    EXPECT_NE(missing.Err.find("kann nicht geöffnet werden"), std::string::npos) << missing.Err;
}

TEST(InfoCommand, ReportsTheCompiledScene) {
    const TRun r = RunCli("info " + WriteDemoLayout("info"));
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    const size_t scene = r.Out.find("\"scene\"");
    ASSERT_NE(scene, std::string::npos);
    // 4 + 2 straight segments, a circle of 6283 and a half turn of 3142 segments.
    EXPECT_NE(r.Out.find("\"lines\": 9431", scene), std::string::npos) << r.Out.substr(scene);
    EXPECT_NE(r.Out.find("\"triangles\": 0", scene), std::string::npos);
}

}  // namespace
}  // namespace tk3d::test
