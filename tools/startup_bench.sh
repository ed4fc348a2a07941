#!/bin/sh
# Start-up time (exec to first swap) and peak resident size of the saver's runs, medians
# of several runs on a private Xvfb. Give other builds to compare as LABEL=PATH:
#   tools/startup_bench.sh [LABEL=BRISALO ...]      (default: now=build/brisalo)
# RUNS (default 11) and MODES (default "/s" "/p HOST") come from the environment.
set -e
cd "$(dirname "$0")/.."
. tools/lib.sh
tools/deps.sh run test
configure_test_tree
cmake --build build -j "$(brisalo_jobs)" --target brisalo e2e_host_window
cc -O2 -shared -fPIC -o build/first_swap_probe.so bench/startup/first_swap_probe.c -ldl
[ $# -eq 0 ] && set -- now=build/brisalo
MODES=${MODES:-"/s|/p HOST"}
IFS='|'
# shellcheck disable=SC2086
xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" python3 bench/startup/measure_startup.py \
    build/first_swap_probe.so build/tests/e2e/e2e_host_window "${RUNS:-11}" "$@" -- $MODES
