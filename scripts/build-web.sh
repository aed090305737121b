#!/usr/bin/env bash
# Builds the web page, one self-contained file: <build folder>/CamSetup-<version>.html.
#   scripts/build-web.sh [BUILD_DIR] [cmake options...]     (default build/web)
# Needs Debian's emscripten (scripts/install-deps.sh installs it).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/build/web}
shift || true
# Debian's emscripten finds its JavaScript tools (acorn) there.
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
emcmake cmake -S "$root" -B "$out" -DCMAKE_BUILD_TYPE=Release -DCAMSETUP_WERROR=ON "$@" >/dev/null
cmake --build "$out" -j"${JOBS:-2}"
version=$(cat "$out/VERSION")
echo "$out/CamSetup-$version.html"
