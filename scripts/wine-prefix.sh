#!/usr/bin/env bash
# Prepares a Wine prefix for the program: no window-manager wait, and the Chinese font linked to
# the dialog fonts so Chinese texts show. Usage: wine-prefix.sh PREFIX
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=wine-env.sh
source "$here/wine-env.sh"
export WINEPREFIX=${1:?usage: wine-prefix.sh PREFIX}

if [ -f "$WINEPREFIX/.camsetup-ready-2" ]; then
    exit 0
fi
mkdir -p "$WINEPREFIX"
wineboot -i >/dev/null 2>&1 || "$WINE" wineboot -i >/dev/null 2>&1

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
timeout 60 wineserver -w || wineserver -k
touch "$WINEPREFIX/.camsetup-ready-2"
