#!/usr/bin/env bash
# Builds the Windows program and starts it (through Wine on Linux).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
if [ -z "${DISPLAY:-}" ]; then
    echo "run.sh: no display (DISPLAY is not set). Start the program from a desktop session," >&2
    echo "or give it a virtual one, e.g.: xvfb-run -a scripts/run.sh" >&2
    exit 1
fi
build="$root/build/win"
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target CamSetup -j"$(nproc)"
# shellcheck source=wine-env.sh
source "$root/scripts/wine-env.sh"
export WINEPREFIX="${WINEPREFIX:-$HOME/.local/share/camsetup/wineprefix}"
bash "$root/scripts/wine-prefix.sh" "$WINEPREFIX"
# The save folder starts as the current directory: start where the user stands.
exec "$WINE" "$build/bin/CamSetup.exe"
