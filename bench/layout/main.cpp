// tk3d-bench: generates three layouts (S 500, M 5,000 and L 50,000 pieces)
// and reports for each the time to read its bytes, to load it, to compile
// its scene, to draw frames off-screen, the scene's size and the peak
// memory. Run by hand, never by CI:
//
//   tk3d-bench [--json] [--only S,M,L] [--frames N] [--cache DIR] [--reuse]
//
// Every layout is measured in a fresh process of this program, so that its
// peak memory is its own. The files are written into the cache folder
// (default bench/cache of the source tree); --reuse takes them from there
// when they exist.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "Measure.h"
#include "RandomLayout.h"
#include "Report.h"
#include "platform/AllocatorTuning.h"

namespace {

using namespace tk3d::bench;
namespace fs = std::filesystem;

struct TSize {
    const char* Name;
    int32_t Pieces;
};
constexpr TSize kSizes[] = {{"S", 500}, {"M", 5000}, {"L", 50000}};

struct TOptions {
    bool Json = false;
    std::string Only = "S,M,L";
    int Frames = 50;
    fs::path Cache = TK3D_BENCH_CACHE;
    bool Reuse = false;
};

std::string ShellQuote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

fs::path LayoutFile(const TOptions& o, const TSize& size) {
    const fs::path path = o.Cache / (std::string(size.Name) + "-" + std::to_string(size.Pieces) + ".tkl");
    if (o.Reuse && fs::exists(path)) return path;
    tk3d::gen::TRandomLayoutParams params;
    params.Pieces = size.Pieces;
    const std::vector<uint8_t> bytes = tk3d::gen::RandomLayoutFile(params);
    fs::create_directories(o.Cache);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
    return path;
}

// Runs `tk3d-bench --measure FILE FRAMES` and reads its line of numbers.
TMeasures MeasureInChild(const fs::path& file, int frames) {
    const std::string cmd = ShellQuote(fs::read_symlink("/proc/self/exe").string()) + " --measure " +
                            ShellQuote(file.string()) + " " + std::to_string(frames);
    const std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(cmd.c_str(), "r"), pclose);
    if (!pipe) throw std::runtime_error("cannot start " + cmd);
    std::string line;
    char buffer[512];
    while (fgets(buffer, sizeof buffer, pipe.get())) line += buffer;
    TMeasures m;
    if (!ParseMeasures(line, m)) throw std::runtime_error("measuring " + file.string() + " failed");
    return m;
}

int Usage(const std::string& problem) {
    std::cerr << "tk3d-bench: " << problem
              << "\nUsage: tk3d-bench [--json] [--only S,M,L] [--frames N] [--cache DIR] [--reuse]\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    // Measured as the viewer runs.
    tk3d::TuneAllocatorForDocuments();
    try {
        if (argc == 4 && std::string_view(argv[1]) == "--measure") {
            std::cout << FormatMeasures(MeasureLayout(argv[2], std::max(1, std::atoi(argv[3])))) << '\n';
            return 0;
        }
        TOptions o;
        for (int i = 1; i < argc; ++i) {
            const std::string_view a = argv[i];
            const bool hasValue = i + 1 < argc;
            if (a == "--json") {
                o.Json = true;
            } else if (a == "--reuse") {
                o.Reuse = true;
            } else if (a == "--only" && hasValue) {
                o.Only = argv[++i];
            } else if (a == "--frames" && hasValue) {
                o.Frames = std::atoi(argv[++i]);
                if (o.Frames < 1) return Usage("--frames needs a number above 0");
            } else if (a == "--cache" && hasValue) {
                o.Cache = argv[++i];
            } else {
                return Usage("unknown option " + std::string(a));
            }
        }
        std::vector<TLayoutResult> results;
        for (const TSize& size : kSizes) {
            if (o.Only.find(size.Name) == std::string::npos) continue;
            const fs::path file = LayoutFile(o, size);
            results.push_back({size.Name, MeasureInChild(file, o.Frames)});
            if (!o.Json) std::cerr << size.Name << " done\n";
        }
        if (o.Json)
            PrintJson(std::cout, results);
        else
            PrintTable(std::cout, results);
    } catch (const std::exception& e) {
        std::cerr << "tk3d-bench: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
