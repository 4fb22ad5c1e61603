// tk3d-gen: writes layout files, the demo layout or generated ones of any
// size, for the tests, the benchmark and trying the viewer.
#include <cstdio>
#include <exception>
#include <fstream>
#include <iostream>
#include <string_view>

#include "DemoLayout.h"
#include "GenArguments.h"
#include "RandomLayout.h"

int main(int argc, char** argv) {
    using namespace tk3d::gen;
    for (int i = 1; i < argc; ++i)
        if (std::string_view(argv[i]) == "--help" || std::string_view(argv[i]) == "-h") {
            std::cout << kGenUsage;
            return 0;
        }
    TGenArguments args;
    if (const std::string problem = ParseGenArguments(argc - 1, argv + 1, args); !problem.empty()) {
        std::cerr << "tk3d-gen: " << problem << '\n' << kGenUsage;
        return 2;
    }
    try {
        const std::vector<uint8_t> bytes =
            args.Command == TGenArguments::TCommand::Demo ? DemoLayoutFile() : RandomLayoutFile(args.Random);
        std::ofstream out(args.Output, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        out.close();
        if (!out) {
            std::cerr << "tk3d-gen: cannot write " << args.Output << '\n';
            return 1;
        }
    } catch (const std::exception& e) {
        std::cerr << "tk3d-gen: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
