#!/usr/bin/env bash
# Installs what is missing, builds pathmoor.exe and starts it under Wine.
# With an X display it runs there; without one it gets its own Xvfb with
# Wine's virtual desktop, and a screenshot is left in build/screenshots/.
#   --keep     on Xvfb, keep the program running after the screenshot (Ctrl+C ends it)
#   --dpi N    draw the prefix's desktop at N DPI from now on (96 is 100 %, 144 is 150 %);
#              on Xvfb the screen and desktop grow with it, as a monitor of that DPI would
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${PATHMOOR_BUILD_DIR:-$top/build}
keep=0
dpi=""
while [ $# -gt 0 ]; do
    case $1 in
        --keep) keep=1 ;;
        --dpi)
            dpi=${2:-}
            shift
            case $dpi in
                '' | *[!0-9]*) echo "run: --dpi needs a number, such as 144" >&2; exit 2 ;;
            esac
            ;;
        *) echo "run: unknown option $1" >&2; exit 2 ;;
    esac
    shift
done
if [ -n "$dpi" ]; then
    export WINE_ENV_SCREEN_SIZE="$((1280 * dpi / 96))x$((800 * dpi / 96))"
    export WINE_ENV_DESKTOP_SIZE="$((1024 * dpi / 96))x$((700 * dpi / 96))"
fi

"$top/scripts/setup.sh" || exit 1
PATHMOOR_BUILD_DIR=$build "$top/scripts/build.sh" --target pathmoor pmctl || exit 1

source "$top/scripts/wine-env.sh"
trap wine_env_stop EXIT
trap 'exit 130' INT TERM
# The user's catalogue and settings live in a prefix of their own that is kept between runs.
prefix=${PATHMOOR_WINEPREFIX:-$HOME/.local/share/pathmoor/wineprefix}
own_display=${DISPLAY:-}
wine_env_start --prefix "$prefix" || exit 1
if [ -n "$dpi" ]; then
    # Wine reads the DPI when its server starts.
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 ||
        { echo "run: the DPI could not be set" >&2; exit 1; }
    wine_env_stop
    # Xvfb went with it; a display of the user's own is kept.
    [ -z "$own_display" ] && unset DISPLAY
    wine_env_start --prefix "$prefix" || exit 1
fi

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
