// The subcommands of tk3d-cli. Each returns the process exit code.
#pragma once

namespace tk3d::cli {

int RunInfo(int argc, char** argv);
#ifdef TK3D_CLI_RENDER
int RunRender(int argc, char** argv);
#endif

}  // namespace tk3d::cli
