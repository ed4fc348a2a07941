#!/bin/sh
# Builds Brisalo and runs it full screen (/s) on this desktop; any arguments replace
# /s (for example: tools/run.sh /c). Without a display it runs the saver for a few
# seconds on a private Xvfb and writes a screenshot to build/screenshot.png.
set -e
cd "$(dirname "$0")/.."
tools/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc 2>/dev/null || echo 2)" --target brisalo brisalo-frames

[ $# -eq 0 ] && set -- /s
if [ -n "$DISPLAY" ] && xdpyinfo >/dev/null 2>&1; then
    exec build/brisalo "$@"
fi

echo "No X display here: running 'brisalo $*' on a private Xvfb for 6 seconds."
xvfb-run -a -s "-screen 0 1280x720x24 -noreset" sh -c '
    build/brisalo "$@" &
    saver=$!
    sleep 6
    import -window root build/screenshot.png
    kill -TERM $saver 2>/dev/null || true
    wait $saver
' run "$@"
echo "Screenshot written to build/screenshot.png"
