#!/bin/sh
# Builds Brisalo in build-run/ and runs it full screen (/s) on this desktop; any arguments
# replace /s (for example: tools/run.sh /c). Without a display it runs the saver for a few
# seconds on a private Xvfb and writes a screenshot to build-run/screenshot.png. The tree
# builds no tests and stops on no warning: a newer compiler's warning must not keep a
# user from running it.
set -e
cd "$(dirname "$0")/.."
. tools/lib.sh
tools/deps.sh run
configure_tree build-run -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRISALO_WERROR=OFF -DBRISALO_TESTS=OFF \
    -DBRISALO_BENCH=OFF
cmake --build build-run -j "$(brisalo_jobs)" --target brisalo brisalo-frames

[ $# -eq 0 ] && set -- /s
if [ -n "$DISPLAY" ] && xdpyinfo >/dev/null 2>&1; then
    exec build-run/brisalo "$@"
fi

echo "No X display here: running 'brisalo $*' on a private Xvfb for 6 seconds."
# shellcheck disable=SC2016  # expanded by the inner shell
xvfb-run -a -s "-screen 0 1280x720x24 -noreset" sh -c '
    build-run/brisalo "$@" &
    saver=$!
    sleep 6
    import -window root build-run/screenshot.png
    kill -TERM $saver 2>/dev/null || true
    wait $saver
' run "$@"
echo "Screenshot written to build-run/screenshot.png"
