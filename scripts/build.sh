#!/usr/bin/env bash
# Configures and builds into build/ (or $PATHMOOR_BUILD_DIR). Extra arguments go to cmake --build.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${PATHMOOR_BUILD_DIR:-$top/build}
cmake -S "$top" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64.cmake" \
      -DCMAKE_BUILD_TYPE=${PATHMOOR_BUILD_TYPE:-Release} >/dev/null
cmake --build "$build" -j"$(nproc)" "$@"
