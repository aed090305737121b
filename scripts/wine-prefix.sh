#!/usr/bin/env bash
# Prepares a Wine prefix for the program: no window-manager wait, and the Chinese font linked to
# the dialog fonts so Chinese texts show, at a screen resolution of DPI dots per inch (96, or 144
# for 150 % scaling). Usage: wine-prefix.sh PREFIX [DPI]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=wine-env.sh
source "$here/wine-env.sh"
export WINEPREFIX=${1:?usage: wine-prefix.sh PREFIX [DPI]}
dpi=${2:-96}

if [ -f "$WINEPREFIX/.camsetup-ready-3-$dpi" ]; then
    exit 0
fi
mkdir -p "$WINEPREFIX"
wineboot -i >/dev/null 2>&1 || "$WINE" wineboot -i >/dev/null 2>&1

# Wine's own fonts (Tahoma, MS Sans Serif, Marlett for the caption buttons), from fonts-wine, go
# where every Wine version finds them: Debian's Wine looks for them elsewhere than fonts-wine puts
# them, and the dialogs then fall back to a wider font and the close box to a letter.
fonts="$WINEPREFIX/drive_c/windows/Fonts"
for dir in /usr/share/wine/fonts /usr/share/fonts/truetype/wine /opt/wine*/share/wine/fonts; do
    if [ -d "$dir" ]; then
        mkdir -p "$fonts"
        cp -n "$dir"/*.ttf "$fonts"/ 2>/dev/null || true
    fi
done

reg() { "$WINE" reg add "$@" /f >/dev/null 2>&1; }
reg 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N
sys='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
for font in "Tahoma" "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif" "DejaVu Sans"; do
    reg "$sys" /v "$font" /t REG_MULTI_SZ /d "wqy-microhei.ttc,WenQuanYi Micro Hei"
done
# Wine's caption, menu and message-box fonts ask for the Western character set, for which it does
# not link the Chinese font: ask for the default set instead, so Chinese captions and message
# boxes show their characters.
logfont() { # weight in hex (little-endian 4 bytes), then "MS Shell Dlg" as the face
    local face pad
    face=$(printf 'MS Shell Dlg' | iconv -t UTF-16LE | od -An -tx1 -v | tr -d ' \n')
    pad=$(printf '%0*d' $((128 - ${#face})) 0)
    printf 'f5ffffff000000000000000000000000%s0000000100000022%s%s' "$1" "$face" "$pad"
}
metrics='HKCU\Control Panel\Desktop\WindowMetrics'
reg "$metrics" /v CaptionFont /t REG_BINARY /d "$(logfont bc020000)"
for name in SmCaptionFont MenuFont StatusFont MessageFont IconFont; do
    reg "$metrics" /v "$name" /t REG_BINARY /d "$(logfont 90010000)"
done
# Wine reads the resolution from either key, depending on its version.
reg 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi"
reg 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' /v LogPixels /t REG_DWORD /d "$dpi"
timeout 60 wineserver -w || wineserver -k
rm -f "$WINEPREFIX"/.camsetup-ready-*
touch "$WINEPREFIX/.camsetup-ready-3-$dpi"
