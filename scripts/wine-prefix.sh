#!/usr/bin/env bash
# Prepares a Wine prefix for the program: no window-manager wait, and the Chinese font linked to
# the dialog fonts so Chinese texts show. Usage: wine-prefix.sh PREFIX
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=wine-env.sh
source "$here/wine-env.sh"
export WINEPREFIX=${1:?usage: wine-prefix.sh PREFIX}

if [ -f "$WINEPREFIX/.camsetup-ready" ]; then
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
wineserver -w
touch "$WINEPREFIX/.camsetup-ready"
