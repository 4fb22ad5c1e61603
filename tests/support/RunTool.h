// Runs a built tool as a user would, in a temporary folder of the test's
// own, so that tests running in parallel never share output files.
#pragma once
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tk3dtest {

namespace fs = std::filesystem;

struct TRun {
    int exitCode = -1;
    std::string out, err;
};

inline std::string ReadFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline std::string ShellQuote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// A fresh folder below the system's temporary folder, removed with the object.
class TTempDir {
public:
    TTempDir() {
        std::string tmpl = (fs::temp_directory_path() / "tk3d-test-XXXXXX").string();
        if (mkdtemp(tmpl.data())) fPath = tmpl;
    }
    ~TTempDir() {
        std::error_code ec;
        if (!fPath.empty()) fs::remove_all(fPath, ec);
    }
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;
    const fs::path& Path() const { return fPath; }

private:
    fs::path fPath;
};

// Runs tool with args; the registry store points into dir/config so that no
// test reads or writes the user's own settings.
inline TRun RunTool(const std::string& tool, const std::vector<std::string>& args, const fs::path& dir) {
    std::string cmd = "TK3D_CONFIG_ROOT=" + ShellQuote((dir / "config").string()) + " " + ShellQuote(tool);
    for (const std::string& a : args) cmd += " " + ShellQuote(a);
    cmd += " >" + ShellQuote((dir / "out").string()) + " 2>" + ShellQuote((dir / "err").string());
    const int status = std::system(cmd.c_str());
    TRun r;
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = ReadFile(dir / "out");
    r.err = ReadFile(dir / "err");
    return r;
}

}  // namespace tk3dtest
