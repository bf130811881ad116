#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite
# under Wine on a private Xvfb display and a throwaway Wine prefix.
# Extra arguments go to ctest (for example -R Startup).
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${PATHMOOR_BUILD_DIR:-$top/build}

"$top/scripts/setup.sh" || exit 1
PATHMOOR_BUILD_DIR=$build "$top/scripts/build.sh" || exit 1

source "$top/scripts/wine-env.sh"
trap wine_env_stop EXIT
trap 'exit 130' INT TERM
wine_env_start --own-display || exit 1

export PATHMOOR_SCREENSHOTS
PATHMOOR_SCREENSHOTS=$(winepath -w "$build/screenshots" 2>/dev/null)
mkdir -p "$build/screenshots"

# The tests share the registry of one prefix and one desktop: they run one at a time.
ctest --test-dir "$build" --output-on-failure --timeout 300 "$@"
