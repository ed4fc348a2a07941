#!/bin/sh
# Builds Brisalo and runs every test: first the lint (shellcheck, include rules), then the
# whole suite on a private Xvfb display, then the tests that need no GL again under
# AddressSanitizer and UndefinedBehaviorSanitizer, the fuzz harnesses (clang, libFuzzer)
# in build-fuzz/ for a short bounded run, the Windows saver under Wine, and last the Debian 13
# stage (tools/test-debian13.sh): today's compositors, and this Debian 12 package installed there.
set -e
cd "$(dirname "$0")/.."
. tools/lib.sh
tools/deps.sh run test windows
jobs=$(brisalo_jobs)

tools/lint.sh

configure_test_tree
cmake --build build -j "$jobs"
configure_tree build-sanitize -DCMAKE_BUILD_TYPE=Debug -DBRISALO_SANITIZE=ON -DBRISALO_BENCH=OFF -DBRISALO_WERROR=ON
cmake --build build-sanitize -j "$jobs"

# Tests never use the desktop's own display: the saver grabs keyboard and pointer.
BRISALO_REQUIRE_GL=1 xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
    ctest --test-dir build --output-on-failure -j 1
ctest --test-dir build-sanitize --output-on-failure -LE "gl|e2e"

# The fuzz harnesses, in a clang tree of their own: each replays its committed corpus, then
# mutates a copy of it for 30 s.
configure_fuzz_tree
cmake --build build-fuzz --target brisalo_fuzzers -j "$jobs"
ctest --test-dir build-fuzz --output-on-failure -L fuzz

# The Windows saver, cross-built with mingw-w64 and run under Wine.
tools/test-windows.sh

rm -rf build/debian12-package
cpack --config build/CPackConfig.cmake -B build/debian12-package >/dev/null
tools/test-debian13.sh build/debian12-package/brisalo_*.deb
