#!/bin/sh
# Builds and runs the benchmarks on a private Xvfb display, printing medians of
# several repetitions. Extra arguments go to every benchmark (e.g. --benchmark_filter=).
set -e
cd "$(dirname "$0")/.."
. tools/lib.sh
tools/deps.sh run test
configure_test_tree
cmake --build build -j "$(brisalo_jobs)"
for bench in build/bench/*/*_bench; do
    [ -x "$bench" ] || continue
    xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" "$bench" --benchmark_repetitions=5 \
        --benchmark_report_aggregates_only=true "$@"
done
