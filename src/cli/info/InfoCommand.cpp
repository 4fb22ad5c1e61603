// Placeholder until the info command lands.
#include <iostream>

#include "Commands.h"

namespace tk3d::cli {

int RunInfo(int argc, char** argv) {
    std::cerr << "info: not available yet\n";
    return 1;
}

}  // namespace tk3d::cli
