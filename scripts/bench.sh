#!/usr/bin/env bash
# Installs what is missing, builds the benchmarks and their floor programs and
# runs each benchmark under Wine on a private display, printing one table of
# all their rows; lines that are not table rows follow it, under the
# benchmark's name. Not part of the test suite. Takes several minutes.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${PATHMOOR_BUILD_DIR:-$top/build}

# Build output goes to stderr: stdout is the table.
"$top/scripts/setup.sh" >&2 || exit 1
PATHMOOR_BUILD_DIR=$build "$top/scripts/build.sh" --target benchmarks >&2 || exit 1

source "$top/scripts/wine-env.sh"
trap wine_env_stop EXIT
trap 'exit 130' INT TERM
wine_env_start --own-display || exit 1

header='| measure | pathmoor | floor | ratio | goal |'
notes=$(mktemp)
status=0
echo "$header"
echo '|---|---|---|---|---|'
for source in "$top"/bench/*.cpp; do
    name=$(basename "$source" .cpp)
    if ! output=$(wine "$build/bin/$name.exe" | tr -d '\r'); then
        status=1
        printf '\n%s failed\n' "$name" >>"$notes"
    fi
    grep '^| ' <<<"$output" | grep -vxF "$header"
    other=$(grep -v '^|' <<<"$output")
    [ -n "$other" ] && printf '\n%s:\n%s\n' "$name" "$other" >>"$notes"
done
cat "$notes"
rm -f "$notes"
exit $status
