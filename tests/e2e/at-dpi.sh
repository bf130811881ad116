#!/usr/bin/env bash
# Runs end-to-end tests in a Wine prefix of its own whose desktop is drawn at a DPI:
#   at-dpi.sh DPI WINE TEST-PROGRAM [GTEST-ARGS...]
# Wine takes the DPI from HKCU\Control Panel\Desktop LogPixels when its server starts, so
# the prefix is made, given the value, and started again. The screen and the desktop
# grow with the DPI, as a monitor of that DPI would be. The tests are told the DPI that
# was set (PATHMOOR_EXPECT_DPI), so one that did not take effect fails.
set -uo pipefail
dpi=$1
wine=$2
shift 2
top=$(cd "$(dirname "$0")/../.." && pwd)
# The suite's own Wine session is left alone: everything here is started afresh.
unset DISPLAY WINEPREFIX
export WINE_ENV_SCREEN_SIZE="$((1280 * dpi / 96))x$((800 * dpi / 96))"
export WINE_ENV_DESKTOP_SIZE="$((1024 * dpi / 96))x$((700 * dpi / 96))"
source "$top/scripts/wine-env.sh"
place=$(mktemp -d /tmp/pathmoor-dpi.XXXXXX)
finish() {
    wine_env_stop
    rm -rf "$place"
}
trap finish EXIT
trap 'exit 130' INT TERM

wine_env_start --own-display --prefix "$place/prefix" || exit 1
"$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 ||
    { echo "at-dpi: LogPixels could not be set" >&2; exit 1; }
wine_env_stop
wine_env_start --own-display --prefix "$place/prefix" || exit 1

# PATHMOOR_SCREENSHOTS, a Z: path, names the same folder in this prefix.
export PATHMOOR_EXPECT_DPI=$dpi
"$wine" "$@"
