#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need, when any is missing.
set -euo pipefail
packages=(
    cmake make g++ googletest libgtest-dev   # native build and unit tests
    g++-mingw-w64-x86-64                     # the Windows program (x86_64-w64-mingw32-g++-posix)
    wine64                                   # runs it on Linux (binaries in /usr/lib/wine)
    xvfb xauth                               # a virtual display for the GUI tests
    fonts-wine                               # Tahoma, MS Sans Serif and Marlett: the dialogs as on Windows
    fonts-wqy-microhei                       # Chinese glyphs for the dialogs under Wine
    clang libclang-rt-14-dev                 # libFuzzer targets of the file readers
    python3                                  # test helpers
    git zip                                  # the release: its date from the commit, its zip
    emscripten                               # the web page: the core in WebAssembly
    chromium nodejs                          # the web page's tests: headless Chromium, from Node.js
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
# Debian's Node.js comes without npm; another Node.js build may bring its own.
command -v npm >/dev/null || missing+=(npm)
if [ ${#missing[@]} -ne 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        sudo="sudo"
    fi
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
# The web tests' one npm package, puppeteer-core (it drives the Chromium above and downloads no
# browser), exactly as the lockfile gives it.
web_tests="$(cd "$(dirname "$0")/.." && pwd)/tests/web"
if [ ! -f "$web_tests/node_modules/.package-lock.json" ] ||
    [ "$web_tests/package-lock.json" -nt "$web_tests/node_modules/.package-lock.json" ]; then
    (cd "$web_tests" && npm ci --no-audit --no-fund --ignore-scripts >/dev/null)
fi
