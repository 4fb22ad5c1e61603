// The command line of tk3d-gen.
#pragma once
#include <string>

#include "RandomLayout.h"

namespace tk3d::gen {

struct TGenArguments {
    enum class TCommand { Demo, Random } Command = TCommand::Random;
    std::string Output;
    TRandomLayoutParams Random;
};

// Empty when the arguments are sound, else what is wrong with them.
std::string ParseGenArguments(int argc, char** argv, TGenArguments& out);

extern const char* const kGenUsage;

}  // namespace tk3d::gen
