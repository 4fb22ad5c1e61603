// tk3d-cli: layout files from the command line, for scripting and reports.
#include <cstring>
#include <iostream>

#include "Commands.h"
#include "platform/AllocatorTuning.h"

namespace {

int Usage() {
    std::cerr << "Usage:\n"
                 "  tk3d-cli info FILE.tkl\n"
#ifdef TK3D_CLI_RENDER
                 "  tk3d-cli render FILE.tkl -o OUT.png [--size WxH] [--rot X,Y,Z] [--zoom N]\n"
                 "                 [--ties] [--landscape|--no-landscape] [--cross]\n"
#endif
        ;
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    tk3d::TuneAllocatorForDocuments();
    if (argc < 2) return Usage();
    if (std::strcmp(argv[1], "info") == 0) return tk3d::cli::RunInfo(argc - 2, argv + 2);
#ifdef TK3D_CLI_RENDER
    if (std::strcmp(argv[1], "render") == 0) return tk3d::cli::RunRender(argc - 2, argv + 2);
#endif
    return Usage();
}
