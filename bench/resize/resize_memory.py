#!/usr/bin/env python3
"""Resident size of a hosted saver after its host was resized many times, beside a fresh
run at the final size. Not a test: it prints both figures and their difference.

Usage: resize_memory.py BRISALO HOST_WINDOW [RESIZES]
(from a build tree: bench/resize/resize_memory.py build/brisalo build/tests/e2e/e2e_host_window)
HOST_WINDOW is the e2e host stand-in (build/tests/e2e/e2e_host_window). The host is resized
RESIZES times (default 2000), one every 20 ms, to sizes from 320 x 240 to 1219 x 699, and
ends at the largest; the figures are medians of samples taken once the run has settled.
"""
import os
import random
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "e2e"))
from saver_e2e import Display  # noqa: E402

FINAL = (1219, 699)


def resident_kib(pid):
    with open("/proc/%d/status" % pid) as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    raise RuntimeError("no VmRSS for %d" % pid)


def settled_resident_kib(pid, seconds=3.0):
    time.sleep(seconds)
    samples = []
    for _ in range(10):
        samples.append(resident_kib(pid))
        time.sleep(0.1)
    return statistics.median(samples)


class Host:
    def __init__(self, program, display, size):
        self.process = subprocess.Popen([program, str(size[0]), str(size[1])], env=display.env,
                                        stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        self.window = int(self.process.stdout.readline())

    def resize(self, width, height):
        self.process.stdin.write("resize %d %d\n" % (width, height))
        self.process.stdin.flush()
        self.process.stdout.readline()

    def close(self):
        self.process.stdin.close()
        self.process.wait(timeout=10)


def run(brisalo, host_program, display, start, resizes):
    host = Host(host_program, display, start)
    saver = subprocess.Popen([brisalo, "--window-id", str(host.window)], env=display.env,
                             stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    try:
        time.sleep(2.0)
        sizes = random.Random(16)
        for done in range(1, resizes + 1):
            host.resize(sizes.randint(320, 1219), sizes.randint(240, 699))
            time.sleep(0.02)
            if done % 500 == 0:
                print("  %d resizes: %.1f MB resident" % (done, resident_kib(saver.pid) / 1024), flush=True)
        if resizes:
            host.resize(*FINAL)
        return settled_resident_kib(saver.pid)
    finally:
        saver.terminate()
        saver.wait(timeout=20)
        host.close()


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    brisalo, host_program = sys.argv[1], sys.argv[2]
    resizes = int(sys.argv[3]) if len(sys.argv) > 3 else 2000
    with Display() as display:
        fresh = run(brisalo, host_program, display, FINAL, 0)
        resized = run(brisalo, host_program, display, (320, 240), resizes)
    print("fresh run at %dx%d: %.1f MB resident" % (FINAL[0], FINAL[1], fresh / 1024))
    print("after %d resizes:    %.1f MB resident" % (resizes, resized / 1024))
    print("difference:          %+.1f MB" % ((resized - fresh) / 1024))


if __name__ == "__main__":
    main()
