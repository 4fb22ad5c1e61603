#!/usr/bin/env bash
# Writes examples/demo.tkl with the layout generator, building it first in
# build/ (or $TK3D_BUILD_DIR). The file is deterministic: running this again
# gives the same bytes unless the generator's demo changed.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${TK3D_BUILD_DIR:-build}"
if [ ! -f "$BUILD_DIR/build.ninja" ]; then
  cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$BUILD_DIR" --target tk3d-gen >/dev/null
"$BUILD_DIR/tools/tk3d-gen" demo -o examples/demo.tkl
