#!/usr/bin/env bash
# Builds both builds and runs every test: the native suite, the GUI suite under Xvfb and Wine,
# the web page's tests in headless Chromium, the release built twice and compared, a smoke test of what ships, and a short run of the
# file-reader fuzzers. Warnings are errors. Ends with the line "N passed, N failed".
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh" || exit 1
jobs=$(nproc)
native="$root/build/native"
win="$root/build/win"
log=$(mktemp -d)
passed=0
failed=0

count_ctest() { # adds the counts of a ctest run's summary line
    local line
    line=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -1)
    if [ -z "$line" ]; then
        failed=$((failed + 1)) # the suite did not run at all
        return
    fi
    local f t
    f=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
    t=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\2/' <<<"$line")
    passed=$((passed + t - f))
    failed=$((failed + f))
}

echo "== Native build and unit tests"
if cmake -S "$root" -B "$native" -DCMAKE_BUILD_TYPE=Debug -DCAMSETUP_SANITIZE=ON \
    -DCAMSETUP_WERROR=ON >/dev/null &&
    cmake --build "$native" -j"$jobs"; then
    ctest --test-dir "$native" --output-on-failure -j"$jobs" 2>&1 | tee "$log/native.txt"
    count_ctest "$log/native.txt"
else
    echo "native build failed"
    failed=$((failed + 1))
fi

echo "== Windows build and GUI tests under Wine"
if cmake -S "$root" -B "$win" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCAMSETUP_WERROR=ON >/dev/null && cmake --build "$win" -j"$jobs"; then
    bash "$root/scripts/test-gui.sh" "$win" 2>&1 | tee "$log/gui.txt"
    count_ctest "$log/gui.txt"
else
    echo "Windows build failed"
    failed=$((failed + 1))
fi

echo "== Web page and its tests in headless Chromium"
if JOBS=$jobs bash "$root/scripts/build-web.sh" "$root/build/web"; then
    CAMFILE="$native/camfile" node "$root/tests/web/run-tests.js" 2>&1 | tee "$log/web.txt"
    line=$(grep -E '^[0-9]+ passed, [0-9]+ failed$' "$log/web.txt" | tail -1)
    if [ -n "$line" ]; then
        passed=$((passed + $(cut -d' ' -f1 <<<"$line")))
        failed=$((failed + $(cut -d' ' -f3 <<<"$line")))
    else
        failed=$((failed + 1)) # the tests did not run at all
    fi
else
    echo "web page build failed"
    failed=$((failed + 1))
fi

echo "== Release: built twice and compared, and what ships started"
bash "$root/scripts/test-release.sh" "$win" 2>&1 | tee "$log/release.txt"
release_passed=$(grep -c '^PASS: ' "$log/release.txt")
release_failed=$(grep -c '^FAIL: ' "$log/release.txt")
if [ $((release_passed + release_failed)) -eq 0 ]; then
    release_failed=1 # the checks did not run at all
fi
passed=$((passed + release_passed))
failed=$((failed + release_failed))

if [ -f "$root/scripts/fuzz.sh" ]; then
    echo "== Fuzzing the file readers"
    if FUZZ_BUILD_DIR="$root/build/fuzz" bash "$root/scripts/fuzz.sh" 2>&1 | tee "$log/fuzz.txt"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
    fi
fi

rm -rf "$log"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
