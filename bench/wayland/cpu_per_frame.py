#!/usr/bin/env python3
"""CPU per frame of the Wayland saver (headless sway, pixman, Mesa's software GL through
EGL) against the X11 saver (Xvfb, GLX) at the same sizes, side by side in one run, and what
the Wayland saver costs with its output off. A benchmark, not a test: it prints medians and
ratios and fails only when it cannot run.

Usage: cpu_per_frame.py BUILD_DIR [SECONDS] [RUNS]
Each run lets the saver settle for 8 s, then counts its CPU time (user + system, from
/proc) and its frames over SECONDS (default 20); a preloaded probe counts the buffer swaps
(one output, so one swap a frame). The Wayland run then turns the output off (sway 1.8 and
later; `output * power off`), waits 3 s and takes the saver's and sway's CPU over SECONDS
again, as a share of one core. Run as root, sway and the Wayland saver run as the system
user brisalo-host (sway refuses root).
"""
import glob
import os
import pwd
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "support"))
from swaps import build_probe, cpu_seconds, swaps  # noqa: E402

SIZES = ((640, 480), (1920, 1080))
USER = "brisalo-host"


def child_named(parent, name, timeout=10):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        for entry in os.listdir("/proc"):
            if entry.isdigit():
                try:
                    with open("/proc/%s/stat" % entry) as f:
                        fields = f.read().rsplit(")", 1)[1].split()
                    if os.readlink("/proc/%s/exe" % entry).endswith(name) and _descends(int(entry), parent):
                        return int(entry)
                except (OSError, ValueError):
                    pass
        time.sleep(0.1)
    raise SystemExit("no %s process under %d" % (name, parent))


def _descends(pid, ancestor):
    while pid > 1:
        if pid == ancestor:
            return True
        with open("/proc/%d/stat" % pid) as f:
            pid = int(f.read().rsplit(")", 1)[1].split()[1])
    return False


def measure(saver, server, log_path, seconds, count):
    """CPU seconds per frame of the saver and of its display server, and frames per second."""
    time.sleep(8.0)  # the frame rate swings for the first seconds before it settles near 24
    start = (cpu_seconds(saver), cpu_seconds(server), time.monotonic(), swaps(count))
    time.sleep(seconds)
    end = (cpu_seconds(saver), cpu_seconds(server), time.monotonic(), swaps(count))
    frames = end[3] - start[3]
    if frames <= 0:
        raise SystemExit("the saver drew no frame: %s" % open(log_path).read()[-500:])
    return (end[0] - start[0]) / frames, (end[1] - start[1]) / frames, frames / (end[2] - start[2])


def dark(saver, server, ipc, env, seconds):
    """CPU of the saver and of sway, as shares of a core, with every output off; None where
    this sway cannot turn one off."""
    done = subprocess.run(as_user(["swaymsg", "-s", ipc, "output * power off"]), env=env,
                          stdin=subprocess.DEVNULL, capture_output=True, text=True, timeout=20)
    if done.returncode != 0:
        return None
    time.sleep(3.0)  # past the second after which an output that shows nothing counts as off
    start = (cpu_seconds(saver), cpu_seconds(server), time.monotonic())
    time.sleep(seconds)
    end = (cpu_seconds(saver), cpu_seconds(server), time.monotonic())
    return (end[0] - start[0]) / (end[2] - start[2]), (end[1] - start[1]) / (end[2] - start[2])


def probe_env(env, work):
    """The swap counter preloaded, with a count file the saver's user may write."""
    with tempfile.NamedTemporaryFile(prefix="swaps-", dir=work, delete=False) as f:
        count = f.name
    if os.getuid() == 0:
        user = pwd.getpwnam(USER)
        os.chown(count, user.pw_uid, user.pw_gid)
    env["LD_PRELOAD"] = os.path.join(work, "probe.so")
    env["BRISALO_PROBE_OUT"] = count
    return count


def stop(process):
    if process.poll() is None:
        os.killpg(process.pid, signal.SIGTERM)
        try:
            process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            os.killpg(process.pid, signal.SIGKILL)
            process.wait(timeout=10)


def x11_run(build, size, seconds, work):
    number = 150 + os.getpid() % 200
    server = subprocess.Popen(["Xvfb", ":%d" % number, "-screen", "0", "%dx%dx24" % size, "-nolisten", "tcp",
                               "-noreset"], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL, start_new_session=True)
    log_path = os.path.join(work, "x11.log")
    env = dict(os.environ, DISPLAY=":%d" % number, XDG_CONFIG_HOME=work)
    env.pop("WAYLAND_DISPLAY", None)
    count = probe_env(env, work)
    try:
        time.sleep(1.0)
        with open(log_path, "w") as log:
            saver = subprocess.Popen([os.path.join(build, "brisalo"), "--root"], env=env,
                                     stdin=subprocess.DEVNULL, stdout=log, stderr=log, start_new_session=True)
        try:
            return measure(saver.pid, server.pid, log_path, seconds, count)
        finally:
            stop(saver)
    finally:
        stop(server)


def as_user(command):
    return ["runuser", "-u", USER, "--", *command] if os.getuid() == 0 else command


def wayland_run(build, size, seconds, work):
    runtime = tempfile.mkdtemp(prefix="runtime-", dir=work)
    os.chmod(runtime, 0o700)
    if os.getuid() == 0:
        user = pwd.getpwnam(USER)
        os.chown(runtime, user.pw_uid, user.pw_gid)
    config = os.path.join(work, "sway.conf")
    with open(config, "w") as f:
        f.write("output HEADLESS-1 resolution %dx%d position 0 0\ndefault_border none\nxwayland disable\n"
                "seat seat0 fallback true\n" % size)
    env = {"PATH": "/usr/sbin:/usr/bin:/bin", "HOME": work, "XDG_RUNTIME_DIR": runtime, "XDG_CONFIG_HOME": work,
           "WLR_BACKENDS": "headless", "WLR_RENDERER": "pixman", "WLR_LIBINPUT_NO_DEVICES": "1"}
    sway = subprocess.Popen(as_user(["sway", "-c", config]), env=env, stdin=subprocess.DEVNULL,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
    log_path = os.path.join(work, "wayland.log")
    try:
        deadline = time.monotonic() + 10
        while not os.path.exists(os.path.join(runtime, "wayland-1")) and time.monotonic() < deadline:
            time.sleep(0.05)
        env["WAYLAND_DISPLAY"] = "wayland-1"
        count = probe_env(env, work)
        with open(log_path, "w") as log:
            saver = subprocess.Popen(as_user([os.path.join(build, "brisalo-wayland"), "/s"]), env=env,
                                     stdin=subprocess.DEVNULL, stdout=log, stderr=log, start_new_session=True)
        try:
            pids = child_named(saver.pid, "brisalo-wayland"), child_named(sway.pid, "sway")
            lit = measure(*pids, log_path, seconds, count)
            ipc = glob.glob(os.path.join(runtime, "sway-ipc.*"))
            return lit + (dark(*pids, ipc[0], env, seconds) if ipc else None,)
        finally:
            stop(saver)
    finally:
        stop(sway)


def main():
    if len(sys.argv) < 2:
        raise SystemExit(__doc__)
    build = os.path.abspath(sys.argv[1])
    seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 20.0
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 3
    for tool in ("Xvfb", "sway"):
        if shutil.which(tool) is None:
            raise SystemExit("%s is not installed (tools/deps.sh installs it)" % tool)
    work = tempfile.mkdtemp(prefix="brisalo-wayland-bench-")
    os.chmod(work, 0o755)
    try:
        os.chmod(build_probe(work), 0o755)
        print("%-10s %-8s %14s %14s %8s" % ("size", "saver", "client ms/frame", "server ms/frame", "fps"))
        for size in SIZES:
            results = {}
            darks = []
            for name, run in (("X11", x11_run), ("Wayland", wayland_run)):
                samples = [run(build, size, seconds, work) for _ in range(runs)]
                results[name] = [statistics.median(s[i] for s in samples) for i in range(3)]
                if name == "Wayland":
                    darks = [s[3] for s in samples if s[3] is not None]
                print("%-10s %-8s %14.2f %14.2f %8.1f" % ("%dx%d" % size, name, results[name][0] * 1000,
                                                          results[name][1] * 1000, results[name][2]))
            print("%-10s Wayland / X11 client CPU per frame: %.2f" % (
                "%dx%d" % size, results["Wayland"][0] / results["X11"][0]))
            if darks:
                print("%-10s Wayland, output off: saver %.2f%% of a core, sway %.2f%% (medians of %d)" % (
                    "%dx%d" % size, statistics.median(d[0] for d in darks) * 100,
                    statistics.median(d[1] for d in darks) * 100, len(darks)))
            else:
                print("%-10s Wayland, output off: this sway cannot turn an output off" % ("%dx%d" % size))
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
