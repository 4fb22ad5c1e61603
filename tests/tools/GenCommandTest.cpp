// tk3d-gen run as a user would: every file it writes opens with
// tk3d-cli info, the same arguments give the same file, and arguments it
// cannot use are refused before anything is written.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "MiniJson.h"
#include "RunTool.h"

namespace {

namespace fs = std::filesystem;

using tk3dtest::ReadFile;
using tk3dtest::TRun;

class GenCommand : public testing::Test {
protected:
    void SetUp() override {
        fDir = fTemp.Path();
        ASSERT_FALSE(fDir.empty());
    }

    TRun Run(const std::string& tool, const std::vector<std::string>& args) {
        return tk3dtest::RunTool(tool, args, fDir);
    }

    // Generates a file and answers the document part of its summary.
    tk3dtest::JValue GenerateAndInfo(std::vector<std::string> args, const std::string& name) {
        const std::string file = (fDir / name).string();
        args.insert(args.end(), {"-o", file});
        const TRun gen = Run(TK3D_GEN_PATH, args);
        EXPECT_EQ(gen.exitCode, 0) << gen.err;
        const TRun info = Run(TK3D_CLI_PATH, {"info", file});
        EXPECT_EQ(info.exitCode, 0) << name << ": " << info.err;
        EXPECT_EQ(info.err, "") << name;
        return tk3dtest::ParseJson(info.out)["document"];
    }

    tk3dtest::TTempDir fTemp;
    fs::path fDir;
};

TEST_F(GenCommand, EveryGeneratedFileOpens) {
    const struct {
        const char* name;
        std::vector<std::string> args;
        int objects;
    } cases[] = {
        {"defaults", {"random"}, 500},
        {"one piece", {"random", "--pieces", "1"}, 1},
        {"only curves",
         {"random", "--pieces", "200", "--curves", "1", "--turnouts", "0", "--crossings", "0"},
         200},
        {"only turnouts",
         {"random", "--pieces", "200", "--curves", "0", "--turnouts", "1", "--crossings", "0"},
         200},
        {"only crossings",
         {"random", "--pieces", "200", "--curves", "0", "--turnouts", "0", "--crossings", "1"},
         200},
        {"all rising or falling", {"random", "--pieces", "300", "--slopes", "1"}, 300},
        {"every layer", {"random", "--pieces", "600", "--layers", "256"}, 600},
        {"all labelled blocks", {"random", "--pieces", "200", "--labels", "1", "--blocks", "1"}, 200},
        {"bare",
         {"random", "--pieces", "200", "--no-ties", "--no-ballast", "--seed", "18446744073709551615"},
         200},
        {"demo", {"demo"}, -1},
    };
    for (const auto& c : cases) {
        const tk3dtest::JValue doc = GenerateAndInfo(c.args, "layout.tkl");
        if (c.objects >= 0) {
            EXPECT_EQ(doc["objects"].Num(), c.objects) << c.name;
        }
        EXPECT_GT(doc["classes"]["TSchiene"].Num(), 0) << c.name;
    }
}

TEST_F(GenCommand, SameArgumentsWriteTheSameFile) {
    const std::vector<std::string> args = {"random", "--pieces", "400", "--seed", "9", "--layers", "3"};
    GenerateAndInfo(args, "a.tkl");
    GenerateAndInfo(args, "b.tkl");
    const std::string a = ReadFile(fDir / "a.tkl");
    EXPECT_GT(a.size(), 400u * 300);
    EXPECT_EQ(a, ReadFile(fDir / "b.tkl"));
}

TEST_F(GenCommand, RefusesArgumentsItCannotUse) {
    const std::string file = (fDir / "never.tkl").string();
    const std::vector<std::vector<std::string>> cases = {
        {"random"},  // no output
        {"maze", "-o", file},
        {"random", "-o", file, "--pieces", "0"},
        {"random", "-o", file, "--pieces", "many"},
        {"random", "-o", file, "--curves", "1.5"},
        {"random", "-o", file, "--curves", "0.7", "--turnouts", "0.4"},
        {"random", "-o", file, "--slopes", "nan"},
        {"random", "-o", file, "--layers", "300"},
        {"random", "-o", file, "--seed"},
        {"demo", "-o", file, "--pieces", "5"},
    };
    for (const auto& args : cases) {
        const TRun r = Run(TK3D_GEN_PATH, args);
        EXPECT_EQ(r.exitCode, 2) << args[0] << " " << r.err;
        EXPECT_NE(r.err.find("Usage"), std::string::npos);
        EXPECT_FALSE(fs::exists(file));
    }
    const TRun help = Run(TK3D_GEN_PATH, {"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("tk3d-gen random"), std::string::npos);
}

}  // namespace
