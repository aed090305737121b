#!/usr/bin/env bash
# Builds the fuzz targets of the two file readers with clang and runs each for a bounded time.
#
#   scripts/fuzz.sh            about 20 seconds per target (a minute in all)
#   scripts/fuzz.sh 600        ten minutes per target
#
# Needs clang and its runtime (Debian: apt-get install -y clang libclang-rt-14-dev).
# Exits non-zero when a target finds a crash, a sanitizer report, a failed check, a leak or a
# hang; the input that caused it is kept in <build>/fuzz-findings/. The committed seed corpus in
# tests/fuzz/corpus is only read: inputs found during the run go to a temporary folder.
# FUZZ_BUILD_DIR (default build-fuzz) and FUZZ_JOBS (default 2) adjust the build.
set -euo pipefail

seconds=${1:-20}
if ! [[ $seconds =~ ^[0-9]+$ ]] || [ "$seconds" -lt 1 ]; then
    echo "usage: $0 [seconds per target]" >&2
    exit 2
fi

root=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD_DIR:-$root/build-fuzz}
targets=(FuzzSendSetReader FuzzMenuReader FuzzSendSetImage)
declare -A max_len=([FuzzSendSetReader]=2048 [FuzzMenuReader]=256 [FuzzSendSetImage]=1240)

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCAMSETUP_FUZZ=ON -DCAMSETUP_WERROR=ON >/dev/null
cmake --build "$build" -j"${FUZZ_JOBS:-2}" --target "${targets[@]}" >/dev/null

# The targets write a file per input: a memory file system, where there is one, is much faster.
scratch=${TMPDIR:-/tmp}
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
    scratch=/dev/shm
fi
work=$(mktemp -d "$scratch/camsetup-fuzz-run-XXXXXX")
trap 'rm -rf "$work"' EXIT
findings=$build/fuzz-findings
mkdir -p "$findings"

failed=()
for t in "${targets[@]}"; do
    mkdir -p "$work/$t/corpus" "$work/$t/tmp"
    echo "== $t: $seconds s"
    # New inputs go to the first (temporary) folder; the committed seeds are only read.
    if TMPDIR="$work/$t/tmp" "$build/tests/fuzz/$t" "$work/$t/corpus" "$root/tests/fuzz/corpus/$t" \
        -max_total_time="$seconds" -max_len="${max_len[$t]}" -timeout=10 \
        -dict="$root/tests/fuzz/scrambled.dict" \
        -artifact_prefix="$findings/$t-" -print_final_stats=1 >"$work/$t.log" 2>&1; then
        grep -E '^#[0-9]+[[:space:]]+DONE|^stat::(number_of_executed_units|average_exec_per_sec|new_units_added)' \
            "$work/$t.log" || true
    else
        tail -n 40 "$work/$t.log"
        failed+=("$t")
    fi
done

if [ ${#failed[@]} -ne 0 ]; then
    echo "fuzzing found problems in: ${failed[*]} (inputs in $findings)" >&2
    exit 1
fi
echo "fuzzing found nothing"
