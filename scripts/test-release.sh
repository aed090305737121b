#!/usr/bin/env bash
# Checks what ships. Builds the release twice, the second time from a copy of the tree in another
# folder, and compares the files byte for byte; then starts the shipped programs: CamSetup.exe
# under Wine up to Main Setup and out through its close box, camfile.exe --version, and the
# Linux camfile on files the Windows camfile wrote. Prints "PASS: ..." or "FAIL: ..." per check.
#
# Usage: test-release.sh WIN_BUILD      a Windows test build holding bin/MainSetupSmoke.exe
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
win=$(cd "${1:?usage: test-release.sh WIN_BUILD}" && pwd)
# shellcheck source=wine-env.sh
source "$here/wine-env.sh"
export WINEPREFIX="$win/wineprefix"
work="$root/build/release-check"
rm -rf "$work"
mkdir -p "$work/scratch"
# Both builds take their dates from the same commit.
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo 0)}
export SOURCE_DATE_EPOCH

check() { # check NAME COMMAND...: runs the command, prints PASS or FAIL with its output
    local name=$1
    shift
    if "$@" >"$work/check.log" 2>&1; then
        echo "PASS: $name"
        return 0
    fi
    echo "FAIL: $name"
    tail -n 40 "$work/check.log"
    return 1
}

release_from_copy() { # the sources as they stand, without builds and git, built elsewhere
    mkdir -p "$work/tree" &&
        tar -C "$root" --exclude=./build --exclude=./dist --exclude=./.git -cf - . |
        tar -C "$work/tree" -xf - &&
        bash "$work/tree/scripts/release.sh" "$work/dist-2"
}

same_files() { # same_files DIR1 DIR2: identical file lists and bytes
    local a=$1 b=$2 f
    echo "first build:"
    cat "$a/SHA256SUMS"
    echo "second build:"
    cat "$b/SHA256SUMS"
    diff <(cd "$a" && ls -A) <(cd "$b" && ls -A) || return 1
    for f in "$a"/*; do
        cmp "$f" "$b/$(basename "$f")" || return 1
    done
}

main_setup_smoke() ( # on an English system and a virtual display; then ends Wine's processes
    cd "$work/scratch" &&
        LC_ALL=C.UTF-8 xvfb-run -a -s "-screen 0 1280x1024x24" bash -c \
            '"$@"; status=$?; wineserver -k 2>/dev/null; exit $status' smoke \
            "$WINE" "$win/bin/MainSetupSmoke.exe" "$1"
)

version_is() { # version_is EXPECTED COMMAND...: the command prints exactly EXPECTED
    local expected=$1 got
    shift
    got=$("$@" | tr -d '\r') || return 1
    echo "$got"
    [ "$got" = "$expected" ]
}

companions_agree() { # the Windows camfile writes; both camfiles show the file the same way
    local linux=$1 windows=$2
    (
        set -e
        cd "$work/scratch"
        "$WINE" "$windows" set --new CFG.BIN bySendBy=Email country="United Kingdom" \
            operator=Vodafone "szRecp[2]=north@example.com"
        "$WINE" "$windows" set --new menu.dat Language=German SerialOn=On Serial=N001
        for file in CFG.BIN menu.dat; do
            "$linux" show "$file" >"linux-$file.txt"
            "$WINE" "$windows" show "$file" | tr -d '\r' >"windows-$file.txt"
            diff "linux-$file.txt" "windows-$file.txt"
        done
        grep -E '^  bySendBy +2 +Email$' linux-CFG.BIN.txt
        grep -E '^  sMmsSet.szApn ' linux-CFG.BIN.txt
        grep -E '^  Language +3 +German$' linux-menu.dat.txt
    )
}

check "release build" bash "$root/scripts/release.sh" "$work/dist-1"
check "release build from a copy of the tree in another folder" release_from_copy
if check "the two release builds are byte-identical" same_files "$work/dist-1" "$work/dist-2"; then
    cat "$work/check.log"
fi

dist="$work/dist-1"
version=$(cat "$root/build/release/win/VERSION" 2>/dev/null)
check "SHA256SUMS matches the shipped files" bash -c "cd '$dist' && sha256sum -c SHA256SUMS"

bash "$here/wine-prefix.sh" "$WINEPREFIX"
check "shipped CamSetup.exe shows Main Setup with its version and ends with 0 by its close box" \
    main_setup_smoke "$dist/CamSetup-$version.exe"
check "shipped camfile.exe --version" \
    version_is "camfile $version" "$WINE" "$dist/camfile-$version.exe" --version
check "shipped Linux camfile --version" \
    version_is "camfile $version" "$dist/camfile-$version-linux-x86_64" --version
check "shipped Linux camfile shows the files the shipped camfile.exe wrote, as it shows them" \
    companions_agree "$dist/camfile-$version-linux-x86_64" "$dist/camfile-$version.exe"
wineserver -k 2>/dev/null || true
exit 0
