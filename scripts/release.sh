#!/usr/bin/env bash
# Builds what ships, in Release, and writes it to dist/ (or to the folder given):
#   CamSetup-VERSION.exe             the program for Windows (static, stripped)
#   camfile-VERSION.exe              the command-line companion for Windows
#   camfile-VERSION-linux-x86_64     the command-line companion for Linux (static)
#   CamSetup-VERSION.html            the forms as one web page, for any system with a browser
#   README.txt                       what each file is and how to start it
#   CamSetup-VERSION.zip             the five files above in one download
#   SHA256SUMS                       the checksums of the files above
# The build is reproducible: the same commit gives byte-identical files wherever and whenever it
# is built (no build paths, no time stamps; dates come from the commit, SOURCE_DATE_EPOCH).
#
# Usage: scripts/release.sh [OUT_DIR]      builds in build/release/ beside this script's tree
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/dist}
build="$root/build/release"
bash "$root/scripts/install-deps.sh"

if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    if ! SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct 2>/dev/null); then
        echo "release.sh: not a git checkout; set SOURCE_DATE_EPOCH to the commit's date" >&2
        exit 2
    fi
fi
export SOURCE_DATE_EPOCH TZ=UTC LC_ALL=C
jobs=$(nproc)

echo "== Windows program and companion"
cmake -S "$root" -B "$build/win" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCAMSETUP_RELEASE=ON >/dev/null
cmake --build "$build/win" -j"$jobs" --target CamSetup camfile
echo "== Linux companion"
cmake -S "$root" -B "$build/linux" -DCMAKE_BUILD_TYPE=Release -DCAMSETUP_RELEASE=ON \
    -DCAMSETUP_SANITIZE=OFF >/dev/null
cmake --build "$build/linux" -j"$jobs" --target camfile

echo "== Web page"
JOBS=$jobs bash "$root/scripts/build-web.sh" "$build/web" -DCAMSETUP_RELEASE=ON >/dev/null

version=$(cat "$build/win/VERSION")
program="$build/win/bin/CamSetup.exe"

# What ships must be small, free of debug sections and need nothing beyond Windows' own DLLs.
problems=()
size=$(stat -c %s "$program")
if [ "$size" -gt 512000 ]; then
    problems+=("CamSetup.exe is $size bytes, more than 500 KB")
fi
for exe in "$program" "$build/win/bin/camfile.exe"; do
    if x86_64-w64-mingw32-objdump -h "$exe" | grep -q '\.debug'; then
        problems+=("$(basename "$exe") has debug sections")
    fi
    while read -r dll; do
        case "${dll,,}" in
        kernel32.dll | user32.dll | gdi32.dll | comctl32.dll | comdlg32.dll | shell32.dll | \
            ole32.dll | advapi32.dll | msvcrt.dll | version.dll) ;;
        *) problems+=("$(basename "$exe") imports $dll, which is not part of Windows") ;;
        esac
    done < <(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p')
done
if readelf -l "$build/linux/camfile" | grep -q 'INTERP'; then
    problems+=("the Linux camfile is not static")
fi
if [ ${#problems[@]} -ne 0 ]; then
    printf 'release.sh: %s\n' "${problems[@]}" >&2
    exit 1
fi

# A folder of an earlier release is replaced; anything else is left alone.
if [ -e "$out" ] && [ -n "$(ls -A "$out" 2>/dev/null)" ] && [ ! -f "$out/SHA256SUMS" ]; then
    echo "release.sh: $out is not empty and holds no earlier release; choose another folder" >&2
    exit 2
fi
rm -rf "$out"
mkdir -p "$out"
win_program="CamSetup-$version.exe"
win_camfile="camfile-$version.exe"
linux_camfile="camfile-$version-linux-x86_64"
install -m 0755 "$program" "$out/$win_program"
install -m 0755 "$build/win/bin/camfile.exe" "$out/$win_camfile"
install -m 0755 "$build/linux/camfile" "$out/$linux_camfile"
web_page="CamSetup-$version.html"
install -m 0644 "$build/web/$web_page" "$out/$web_page"
date=$(date -u -d "@$SOURCE_DATE_EPOCH" +%Y-%m-%d)
sed -e "s/@VERSION@/$version/g" -e "s/@DATE@/$date/g" -e "s/@WIN_PROGRAM@/$win_program/g" \
    -e "s/@WIN_CAMFILE@/$win_camfile/g" -e "s/@LINUX_CAMFILE@/$linux_camfile/g" \
    -e "s/@WEB_PAGE@/$web_page/g" \
    "$root/scripts/release-readme.txt" | sed 's/$/\r/' >"$out/README.txt"
chmod 0644 "$out/README.txt"
files=("$win_program" "$win_camfile" "$linux_camfile" "$web_page" README.txt)
# The zip is reproducible too: fixed dates and modes, a fixed order, no extra fields (-X), no
# folder entries (-D); zip stores local time, which is UTC here.
touch -d "@$SOURCE_DATE_EPOCH" "$out"/*
zip_name="CamSetup-$version.zip"
(cd "$out" && zip -q -X -D "$zip_name" "${files[@]}")
(cd "$out" && sha256sum -- "${files[@]}" "$zip_name" >SHA256SUMS)
touch -d "@$SOURCE_DATE_EPOCH" "$out"/*

echo "== $out"
(cd "$out" && for f in *; do printf '%9d  %s\n' "$(stat -c %s "$f")" "$f"; done)
cat "$out/SHA256SUMS"
