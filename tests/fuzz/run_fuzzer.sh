#!/bin/sh
# Runs one libFuzzer harness.
#   run_fuzzer.sh replay HARNESS CORPUS               each input of CORPUS once
#   run_fuzzer.sh run HARNESS CORPUS WORK SECONDS     mutates a fresh copy of CORPUS in WORK
#   run_fuzzer.sh extend HARNESS CORPUS WORK SECONDS  the same, keeping what WORK found before
# Inputs that crash, leak or hang are written beside WORK as WORK-crash-..., -leak-, -timeout-.
# Running HARNESS on such a file alone shows the input's own messages too.
set -e
mode=$1 harness=$2 corpus=$3
# Generous for one input on a loaded machine; a bounded run must stay bounded.
# One word an option: $limits is split on purpose below.
limits="-rss_limit_mb=2048 -timeout=25"
# shellcheck disable=SC2086
case $mode in
replay)
    exec "$harness" $limits "$corpus"/*
    ;;
run|extend)
    work=$4 seconds=$5
    [ "$mode" = run ] && rm -rf "$work"
    mkdir -p "$work"
    cp "$corpus"/* "$work"/
    # A harness may bring a dictionary of its format's tokens: tests/fuzz/NAME.dict.
    dict=$(dirname "$(dirname "$corpus")")/$(basename "$corpus").dict
    if [ -f "$dict" ]; then set -- -dict="$dict"; else set --; fi
    # Standard error is closed for the inputs' own messages; libFuzzer and the sanitizers
    # keep a copy of it for their reports.
    # shellcheck disable=SC2086
    exec "$harness" $limits "$@" -max_total_time="$seconds" -close_fd_mask=2 -print_final_stats=1 \
        -artifact_prefix="$work-" "$work"
    ;;
*)
    echo "usage: $0 replay HARNESS CORPUS | run|extend HARNESS CORPUS WORK SECONDS" >&2
    exit 2
    ;;
esac
