#!/usr/bin/env python3
"""Start-up time (exec to first buffer swap) and peak resident size of saver runs.

Usage: measure_startup.py PROBE_SO HOST_WINDOW RUNS LABEL=BRISALO... -- MODE...
A MODE is an argument line such as "/s", "/p HOST" (HOST: a test window's id) or "--root".
Needs an X display (run it under xvfb-run). Prints the median of RUNS runs per binary and
mode: milliseconds from just before the exec to the program's first XOpenDisplay (loading
and starting it) and to its first glXSwapBuffers (the probe, preloaded, stamps both), and
the peak resident size of a 3-second run (wait4's ru_maxrss).
Runs of the binaries alternate, so a busy machine slows them alike.
"""
import os
import signal
import statistics
import subprocess
import sys
import tempfile
import time

RUN_SECONDS = 3.0


def one_run(binary, args, probe, out):
    if os.path.exists(out):
        os.remove(out)
    env = dict(os.environ, LD_PRELOAD=probe, BRISALO_PROBE_OUT=out, NO_AT_BRIDGE="1")
    env["BRISALO_PROBE_T0_NS"] = str(time.clock_gettime_ns(time.CLOCK_MONOTONIC))
    pid = os.posix_spawn(binary, [binary, *args], env)
    deadline = time.monotonic() + 30
    while not (os.path.exists(out) and os.path.getsize(out) > 0):
        if time.monotonic() > deadline or os.waitpid(pid, os.WNOHANG) != (0, 0):
            os.kill(pid, signal.SIGKILL)
            raise SystemExit("%s %s never swapped its buffers" % (binary, " ".join(args)))
        time.sleep(0.01)
    time.sleep(RUN_SECONDS)
    os.kill(pid, signal.SIGTERM)
    _, status, usage = os.wait4(pid, 0)
    with open(out) as f:
        opened, swapped, _ = f.read().split()
    return int(opened) / 1000.0, int(swapped) / 1000.0, usage.ru_maxrss / 1024.0


def main():
    if "--" not in sys.argv or len(sys.argv) < 6:
        raise SystemExit(__doc__)
    split = sys.argv.index("--")
    probe, host_window, runs = os.path.abspath(sys.argv[1]), sys.argv[2], int(sys.argv[3])
    binaries = [item.split("=", 1) for item in sys.argv[4:split]]
    modes = sys.argv[split + 1:]
    host = subprocess.Popen([host_window, "320", "240"], stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
    host_id = host.stdout.readline().strip()
    out = os.path.join(tempfile.mkdtemp(prefix="brisalo-startup-"), "probe")
    try:
        print("%-10s %-10s %16s %16s %16s" % ("binary", "mode", "X opened (ms)", "first swap (ms)",
                                               "peak RSS (MiB)"))
        for mode in modes:
            args = mode.replace("HOST", host_id).split()
            results = {label: ([], [], []) for label, _ in binaries}
            for _ in range(runs):
                for label, binary in binaries:
                    for column, value in zip(results[label], one_run(os.path.abspath(binary), args, probe, out)):
                        column.append(value)
            for label, columns in results.items():
                print("%-10s %-10s %16.1f %16.1f %16.1f" % ((label, mode) + tuple(map(statistics.median, columns))),
                      flush=True)
    finally:
        host.stdin.close()
        host.wait(timeout=10)


if __name__ == "__main__":
    main()
