#!/bin/sh
# Fuzzes one harness of tests/fuzz for longer than the test command does.
# Usage: tools/fuzz.sh NAME [SECONDS]     (default 600 seconds)
# Builds the clang tree build-fuzz/ if needed. What the run finds stays in
# build-fuzz/tests/fuzz/NAME.long/ (grown across runs, seeded from tests/fuzz/corpus/NAME/),
# and an input that crashes, leaks or hangs in build-fuzz/tests/fuzz/NAME.long-crash-... etc.
set -e
cd "$(dirname "$0")/.."
name=$1
seconds=${2:-600}
if [ -z "$name" ] || [ ! -d "tests/fuzz/corpus/$name" ]; then
    echo "usage: tools/fuzz.sh NAME [SECONDS]; NAME is one of:" "$(ls tests/fuzz/corpus)" >&2
    exit 2
fi
. tools/lib.sh
tools/deps.sh run test
configure_fuzz_tree
cmake --build build-fuzz --target "$name" -j "$(brisalo_jobs)"
exec tests/fuzz/run_fuzzer.sh extend "build-fuzz/tests/fuzz/$name" "tests/fuzz/corpus/$name" \
    "build-fuzz/tests/fuzz/$name.long" "$seconds"
