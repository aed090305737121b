#!/usr/bin/env bash
# Runs GUI tests on a virtual screen of a given size and resolution, in a Wine prefix of its own
# (prepared by test-gui.sh; prepared here when missing).
# Usage: test-screen.sh WIDTHxHEIGHT DPI GUI_TESTS_EXE [gtest arguments]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=wine-env.sh
source "$here/wine-env.sh"
size=${1:?usage: test-screen.sh WIDTHxHEIGHT DPI GUI_TESTS_EXE [gtest arguments]}
dpi=${2:?}
exe=${3:?}
shift 3
build=$(cd "$(dirname "$exe")/.." && pwd)
export WINEPREFIX="$build/wineprefix-$size-$dpi"
bash "$here/wine-prefix.sh" "$WINEPREFIX" "$dpi"
if [ -n "${CAMSETUP_HEADLESS:-}" ]; then
    echo "no screen of its own without a display: skipped"
    exit 0
fi
status=0
xvfb-run -a -s "-screen 0 ${size}x24" "$WINE" "$exe" "$@" || status=$?
timeout 30 wineserver -w 2>/dev/null || true
exit $status
