#!/bin/sh
# Builds and runs the benchmarks on a private Xvfb display, printing medians of
# several repetitions. Extra arguments go to every benchmark (e.g. --benchmark_filter=).
set -e
cd "$(dirname "$0")/.."
tools/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc 2>/dev/null || echo 2)"
for bench in build/bench/*/*_bench; do
    [ -x "$bench" ] || continue
    xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" "$bench" --benchmark_repetitions=5 \
        --benchmark_report_aggregates_only=true "$@"
done
