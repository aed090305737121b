#!/usr/bin/env bash
# Prints, from one run, the figures the program is held to:
#   - the first window's time: Main Setup of the release CamSetup.exe against a bare dialog
#     program with the same manifest, started alternately under Wine on a virtual display,
#     median of 15 rounds, and their ratio (goal: at most 1.10); and against the same bare
#     program showing Main Setup's template, which leaves out what the window's controls cost;
#   - "camfile set" as a whole process, the native release build, median of RUNS runs, on a
#     menu.dat and on a CFG.BIN;
#   - the size of the release CamSetup.exe (goal: under 500 KB, 512000 bytes).
# Builds what it measures in build/bench/ (Release, as scripts/release.sh builds it).
#
# Usage: scripts/bench.sh [RUNS]      RUNS of each camfile set, 31 unless given
#        scripts/bench.sh --web       the web page instead, in headless Chromium: the time until
#                                     its first form is ready and the time of a Generate
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
build="$root/build/bench"
if [ "${1:-}" = "--web" ]; then
    page=$(bash "$here/build-web.sh" "$build/web" -DCAMSETUP_RELEASE=ON | tail -1)
    echo "$(basename "$page"): $(stat -c %s "$page") bytes"
    exec node "$here/bench-web.js" "$page" 15
fi
runs=${1:-31}
pairs=15
# shellcheck source=wine-env.sh
source "$here/wine-env.sh"
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct 2>/dev/null || date +%s)
fi
export SOURCE_DATE_EPOCH

echo "== building (build/bench)" >&2
cmake -S "$root" -B "$build/win" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCAMSETUP_RELEASE=ON >/dev/null
cmake --build "$build/win" -j2 --target CamSetup BareDialog BareMainDialog FirstWindow >/dev/null
cmake -S "$root" -B "$build/linux" -DCMAKE_BUILD_TYPE=Release -DCAMSETUP_RELEASE=ON \
    -DCAMSETUP_SANITIZE=OFF >/dev/null
cmake --build "$build/linux" -j2 --target camfile >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

median() { sort -n | awk '{ v[NR] = $1 } END { m = int((NR + 1) / 2); print (NR % 2) ? v[m] : (v[m] + v[m + 1]) / 2 }'; }

echo "== first window under Wine ($pairs rounds)" >&2
export WINEPREFIX="$build/wineprefix"
bash "$here/wine-prefix.sh" "$WINEPREFIX" >/dev/null
cp "$build/win/bin/CamSetup.exe" "$build/win/bin/BareDialog.exe" \
    "$build/win/bin/BareMainDialog.exe" "$work/"
winpath() { printf 'Z:%s' "${1//\//\\}"; }
window=$(cd "$work" && LC_ALL=C.UTF-8 xvfb-run -a -s "-screen 0 1280x1024x24" bash -c \
    '"$@"; status=$?; wineserver -k 2>/dev/null; exit $status' bench \
    "$WINE" "$build/win/bin/FirstWindow.exe" "$pairs" "$(winpath "$work/CamSetup.exe")" \
    "$(winpath "$work/BareDialog.exe")" "$(winpath "$work/BareMainDialog.exe")" | tr -d '\r' |
    sed -e 's/against [^ ]*BareDialog.exe:/  against a bare dialog:/' \
        -e "s/against [^ ]*BareMainDialog.exe:/  against a bare dialog with Main Setup's template:/")
echo "$window" | grep '^round' >&2

echo "== camfile set ($runs runs each)" >&2
camfile="$build/linux/camfile"
time_set() { # prints the milliseconds of each run of camfile set FILE ASSIGNMENTS...
    local file=$1
    shift
    for _ in $(seq "$runs"); do
        rm -f "$file"
        local start end
        start=$(date +%s%N)
        "$camfile" set --new "$file" "$@" >/dev/null || { echo "bench.sh: camfile set failed" >&2; exit 1; }
        end=$(date +%s%N)
        echo "scale=3; ($end - $start) / 1000000" | bc
    done
}
menu_ms=$(time_set "$work/menu.dat" CapMode=Video Language=German Interval=30s SerialOn=On \
    Serial=AB12 ClockMode=Input Year=2030 Month=2 Day=28 | median)
cfg_ms=$(time_set "$work/CFG.BIN" bySendBy=Email country="United Kingdom" operator=Vodafone \
    "szRecp[0]=13800138000" | median)

size=$(stat -c %s "$build/win/bin/CamSetup.exe")

echo
echo "first window (Main Setup shown), $(echo "$window" | grep '^median')"
echo "$window" | grep '^  against'
printf 'camfile set menu.dat, whole process, median of %d: %s ms\n' "$runs" "$menu_ms"
printf 'camfile set CFG.BIN, whole process, median of %d: %s ms\n' "$runs" "$cfg_ms"
printf 'CamSetup.exe (release): %d bytes, %.1f KB (goal: under 500 KB)\n' "$size" \
    "$(echo "scale=1; $size / 1024" | bc)"
