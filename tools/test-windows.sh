#!/bin/sh
# The Windows saver under Wine: cross-builds build-windows/ and runs the Wine cases on a
# private Xvfb display in a fresh Wine prefix. Needs the Linux build in build/: the
# Windows frames are compared with brisalo-frames' pictures.
set -e
cd "$(dirname "$0")/.."
started=$(date +%s)
tools/build-windows.sh
[ -x build/brisalo-frames ] || { echo "test-windows: build the Linux tree in build/ first" >&2; exit 1; }

WINEPREFIX="$(pwd)/build-windows/wineprefix"
rm -rf "$WINEPREFIX"
# Mono and Gecko stay away: their installers would ask and wait.
WINEDEBUG=-all
WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX WINEDEBUG WINEDLLOVERRIDES

status=0
# shellcheck disable=SC2016  # expanded by the inner shell
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" sh -c '
    wine wineboot -i >/dev/null 2>&1
    python3 tests/windows/wine_e2e.py build-windows build
    status=$?
    wineserver -k
    exit $status' || status=$?
echo "test-windows: $(( $(date +%s) - started )) s"
exit $status
