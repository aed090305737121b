# Sourced by the scripts: where Wine is and how to run it unattended.
# shellcheck shell=bash
export PATH="/usr/lib/wine:$PATH"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
WINE=$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)
export WINE
