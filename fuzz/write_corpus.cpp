// Writes the seed corpus of the layout fuzzer: the representative layouts
// and the track seeds of the tests, one file each, into the folder named on the command line.
#include <cstdio>
#include <fstream>
#include <string>

#include "RepresentativeLayouts.h"
#include "TrackLayout.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    std::vector<tk3dw::WNamedLayout> layouts = tk3dw::RepresentativeLayouts();
    for (tk3dw::WNamedLayout& layout : tk3dw::TrackSeedLayouts()) layouts.push_back(std::move(layout));
    for (const tk3dw::WNamedLayout& layout : layouts) {
        const std::string path = std::string(argv[1]) + "/" + layout.name + ".tkl";
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(layout.bytes.data()), std::streamsize(layout.bytes.size()));
        if (!out) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
