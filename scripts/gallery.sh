#!/usr/bin/env bash
# Regenerates the screenshots in docs/screenshots/: builds the program and its end-to-end
# tests, runs the journey (the one test that walks through the whole program) under Wine on
# a private Xvfb display and a throwaway prefix, and turns the screens it saved into PNG files.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${PATHMOOR_BUILD_DIR:-$top/build}
gallery=$top/docs/screenshots
shots=$build/gallery-screenshots
# The journey's screens that make the gallery, in the order a user meets them.
images=(01-first-start 02-applications-page 03-shortcuts-page 04-item-editor 05-search
        06-tray-menu)

"$top/scripts/setup.sh" || exit 1
# The journey needs the program, its test binary and the helpers, which that target pulls in.
PATHMOOR_BUILD_DIR=$build "$top/scripts/build.sh" --target pathmoor_e2e_tests || exit 1

source "$top/scripts/wine-env.sh"
trap wine_env_stop EXIT
trap 'exit 130' INT TERM
wine_env_start --own-display || exit 1

rm -rf "$shots"
mkdir -p "$shots"
export PATHMOOR_SCREENSHOTS
PATHMOOR_SCREENSHOTS=$(winepath -w "$shots" 2>/dev/null)

# Screens of a journey that failed halfway would show a broken program: keep the old gallery.
ctest --test-dir "$build" --output-on-failure -R '^JourneyTest\.' || {
    echo "gallery: the journey failed; docs/screenshots/ left as it was" >&2
    exit 1
}

mkdir -p "$gallery"
status=0
for name in "${images[@]}"; do
    if [ -f "$shots/$name.bmp" ]; then
        convert "$shots/$name.bmp" "$gallery/$name.png" || status=1
    else
        echo "gallery: the journey saved no $name.bmp" >&2
        status=1
    fi
done
[ $status -eq 0 ] && echo "gallery: ${#images[@]} images in $gallery"
exit $status
