#!/usr/bin/env bash
# Installs what is missing, builds pathmoor.exe and starts it under Wine.
# With an X display it runs there; without one it gets its own Xvfb with
# Wine's virtual desktop, and a screenshot is left in build/screenshots/.
#   --keep   on Xvfb, keep the program running after the screenshot (Ctrl+C ends it)
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${PATHMOOR_BUILD_DIR:-$top/build}
keep=0
[ "${1:-}" = "--keep" ] && keep=1

"$top/scripts/setup.sh" || exit 1
PATHMOOR_BUILD_DIR=$build "$top/scripts/build.sh" --target pathmoor pmctl || exit 1

source "$top/scripts/wine-env.sh"
trap wine_env_stop EXIT
trap 'exit 130' INT TERM
# The user's catalogue and settings live in a prefix of their own that is kept between runs.
wine_env_start --prefix "${PATHMOOR_WINEPREFIX:-$HOME/.local/share/pathmoor/wineprefix}" || exit 1

bin=$build/bin
if [ "$WINE_ENV_VIRTUAL_DESKTOP" = 0 ]; then
    wine "$bin/pathmoor.exe"
    exit $?
fi

wine "$bin/pathmoor.exe" &
program=$!
# After the first complete paint, not merely once the window is shown.
if wine "$bin/pmctl.exe" wait-painted ApplicationManagerWindowClass 30000; then
    shot=$build/screenshots/run-$(date +%Y%m%d-%H%M%S).png
    wine_env_screenshot "$shot" && echo "run: Pathmoor is up on $DISPLAY; screenshot: $shot"
else
    echo "run: the Pathmoor window did not appear" >&2
fi
if [ $keep = 0 ]; then
    wine "$bin/pmctl.exe" close ApplicationManagerWindowClass 10000
fi
wait $program
