#!/usr/bin/env bash
# Runs the GUI suite of a Windows build under Wine on a virtual X display.
# Usage: test-gui.sh BUILD_DIR [ctest arguments, e.g. -R MainSetup]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=wine-env.sh
source "$here/wine-env.sh"
build=$(cd "${1:?usage: test-gui.sh BUILD_DIR [ctest args]}" && pwd)
shift
export WINEPREFIX="$build/wineprefix"

if [ -z "${CAMSETUP_IN_XVFB:-}" ] && [ -z "${CAMSETUP_HEADLESS:-}" ]; then
    bash "$here/wine-prefix.sh" "$WINEPREFIX"
    # The prefixes of the small and scaled screens' tests (test-screen.sh), made once, here, so
    # that tests running side by side never make the same one.
    bash "$here/wine-prefix.sh" "$build/wineprefix-1024x600-96" 96
    bash "$here/wine-prefix.sh" "$build/wineprefix-1280x800-144" 144
    export CAMSETUP_IN_XVFB=1
    exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$build" "$@"
fi
if [ -n "${CAMSETUP_HEADLESS:-}" ]; then
    # Wine's null graphics driver runs the dialogs without any display.
    bash "$here/wine-prefix.sh" "$WINEPREFIX"
    "$WINE" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /t REG_SZ /d null /f >/dev/null 2>&1
fi

wineserver -p 30 || true # one server for the whole run instead of one per test process
# Start Wine's own background processes now, so that they do not hold ctest's output pipes open.
"$WINE" wineboot </dev/null >/dev/null 2>&1 || true
status=0
# A test that fails runs once more, and fails only when it fails again: now and then a Wine process
# ends at its start without a word (seen as a failure in 0.00 s with no output), which is Wine's,
# not the program's. The first failure's output stays in the log.
ctest --test-dir "$build" --output-on-failure --repeat until-pass:2 "$@" || status=$?
wineserver -k 2>/dev/null || true
exit $status
