#!/usr/bin/env python3
"""CPU per frame of `brisalo /s` on one 2560x720 monitor and on the same screen split into two
1280x720 monitors, side by side in one run (alternating, several repetitions, medians).

Usage: measure_monitors.py BRISALO [--baseline OLD_BRISALO] [--runs N] [--seconds S]
The saver's CPU and the X server's are counted apart; frames come from a preloaded probe
that counts buffer swaps. --baseline adds a column for another build on one monitor.
"""
import argparse
import os
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "support"))
from swaps import build_probe, cpu_seconds, swaps  # noqa: E402
LAYOUTS = {
    "one 2560x720": [],
    "two 1280x720": [("left", "1280/338x720/190+0+0", "screen"), ("right", "1280/338x720/190+1280+0", "none")],
}


def one_run(binary, layout, probe, seconds, warmup=4.0):
    read_end, write_end = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "2560x720x24", "-nolisten",
                               "tcp", "-noreset"], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL, pass_fds=(write_end,))
    os.close(write_end)
    with os.fdopen(read_end) as announced:
        display = ":" + announced.readline().strip()
    env = dict(os.environ, DISPLAY=display, LD_PRELOAD=probe)
    with tempfile.TemporaryDirectory() as folder:
        count = os.path.join(folder, "swaps")
        env["BRISALO_PROBE_OUT"] = count
        env["XDG_CONFIG_HOME"] = folder
        try:
            for name, geometry, output in LAYOUTS[layout]:
                subprocess.run(["xrandr", "--setmonitor", name, geometry, output], env=dict(env, LD_PRELOAD=""),
                               check=True, capture_output=True, timeout=20)
            saver = subprocess.Popen([binary, "/s"], env=env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                     stderr=subprocess.DEVNULL)
            time.sleep(warmup)
            frames0, saver0, server0 = swaps(count), cpu_seconds(saver.pid), cpu_seconds(server.pid)
            time.sleep(seconds)
            frames1, saver1, server1 = swaps(count), cpu_seconds(saver.pid), cpu_seconds(server.pid)
            saver.terminate()
            saver.wait(timeout=20)
        finally:
            server.terminate()
            server.wait(timeout=20)
    frames = max(frames1 - frames0, 1)
    return {"fps": frames / seconds, "saver": (saver1 - saver0) * 1000 / frames,
            "server": (server1 - server0) * 1000 / frames}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("brisalo")
    parser.add_argument("--baseline")
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--seconds", type=float, default=12.0)
    options = parser.parse_args()
    with tempfile.TemporaryDirectory() as folder:
        probe = build_probe(folder)
        columns = [(name, os.path.abspath(options.brisalo), layout) for name, layout in
                   (("one monitor", "one 2560x720"), ("two monitors", "two 1280x720"))]
        if options.baseline:
            columns.append(("baseline, one", os.path.abspath(options.baseline), "one 2560x720"))
        results = {name: [] for name, _, _ in columns}
        for _ in range(options.runs):
            for name, binary, layout in columns:
                results[name].append(one_run(binary, layout, probe, options.seconds))
    print("%-16s %8s %18s %18s" % ("", "fps", "saver ms/frame", "X server ms/frame"))
    medians = {}
    for name, runs in results.items():
        medians[name] = {key: statistics.median(r[key] for r in runs) for key in ("fps", "saver", "server")}
        m = medians[name]
        print("%-16s %8.1f %18.1f %18.1f" % (name, m["fps"], m["saver"], m["server"]))
    one, two = medians["one monitor"], medians["two monitors"]
    print("two monitors / one: saver %.2f, saver + X server %.2f" % (
        two["saver"] / one["saver"], (two["saver"] + two["server"]) / (one["saver"] + one["server"])))
    return 0


if __name__ == "__main__":
    sys.exit(main())
