#!/usr/bin/env bash
# Installs what is missing, builds the benchmarks and runs each under Wine on a
# private display, printing its table. Not part of the test suite.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${PATHMOOR_BUILD_DIR:-$top/build}

"$top/scripts/setup.sh" || exit 1
PATHMOOR_BUILD_DIR=$build "$top/scripts/build.sh" --target benchmarks || exit 1

source "$top/scripts/wine-env.sh"
trap wine_env_stop EXIT
trap 'exit 130' INT TERM
wine_env_start --own-display || exit 1

status=0
for source in "$top"/bench/*.cpp; do
    name=$(basename "$source" .cpp)
    echo "== $name"
    wine "$build/bin/$name.exe" || status=1
done
exit $status
