#!/usr/bin/env python3
"""The Wayland saver under a headless sway (cage for the xdg-shell case), run as an ordinary
user in a private runtime folder, driven with wtype, a virtual pointer and a virtual keyboard,
seen through grim.

Usage: wayland_e2e.py BUILD_DIR VIRTUAL_INPUT STEPPED_SAVER CASE
BUILD_DIR holds brisalo, brisalo-wayland, brisalo-dialogs.so and brisalo-frames. Run as root,
the test runs everything as the system user brisalo-host (sway refuses root). Every step is
bounded. Exit 0 when the case passes, 1 when it fails, 77 when it cannot run here.
"""
import glob
import json
import os
import pwd
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from saver_e2e import (SKIP, Failure, check, end_group, processes_running, stop_at_its_start,  # noqa: E402
                       wait_for)

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import pictures  # noqa: E402  (shared with the X11 and Windows suites)

TEST_USER = "brisalo-host"
PROGRAMS = ("brisalo", "brisalo-wayland", "brisalo-dialogs.so", "brisalo-frames")
TOOLS = ("sway", "swaymsg", "swayidle", "grim", "wtype", "cage", "convert", "compare", "identify", "timeout")


class Skip(Exception):
    """The case cannot run with what this system has."""


class Pictures:
    """The picture checks of the X11 end-to-end tests, on files grim wrote."""

    def __init__(self, env):
        self.env = env

    def rotation_mismatch(self, path):
        return pictures.rotation_mismatch(path, self.env)

    def brightest(self, path):
        return pictures.brightness(path, self.env)

    def colours(self, path):
        """An empty output is one grey, as symmetric as can be; a frame of buttons has thousands."""
        out = subprocess.run(["convert", path, "-format", "%k", "info:"], env=self.env, stdin=subprocess.DEVNULL,
                             capture_output=True, text=True, timeout=30).stdout
        return int(out or 0)


# How each compositor starts headless, as an ordinary user with software rendering: its
# command, and whether it runs inside a D-Bus session of its own (KWin and Mutter need one).
SOCKET = "wayland-brisalo"
KINDS = {
    "labwc": (["labwc"], False),
    "kwin": (["kwin_wayland", "--virtual", "--no-lockscreen", "--no-global-shortcuts", "--width", "640", "--height",
              "480", "--socket", SOCKET], True),
    "mutter": (["mutter", "--headless", "--wayland", "--no-x11", "--wayland-display", SOCKET], True),
    # Headless weston has no seat, so no shell would activate the saver: the kiosk shell shows
    # every toplevel full screen without one. --debug offers the screenshooter.
    "weston": (["weston", "--backend=headless", "--renderer=pixman", "--width=640", "--height=480", "--shell=kiosk",
                "--debug", "--socket=" + SOCKET], False),
}


class Compositor:
    """A headless sway (or cage running one program, or another compositor of KINDS) in a
    runtime folder of its own."""

    def __init__(self, work, outputs=1, cage_program=None, kind="sway", monitors=("640x480",)):
        self.work = work
        self.outputs = outputs
        self.cage_program = cage_program
        self.kind = "cage" if cage_program is not None else kind
        self.monitors = monitors  # Mutter's virtual monitors
        self.children = []

    def __enter__(self):
        self.runtime = tempfile.mkdtemp(prefix="brisalo-wayland-", dir=self.work)
        os.chmod(self.runtime, 0o700)
        self.env = {"PATH": "/usr/bin:/bin", "HOME": self.work, "XDG_RUNTIME_DIR": self.runtime,
                    "XDG_CONFIG_HOME": os.path.join(self.work, "config"), "WLR_BACKENDS": "headless",
                    "WLR_RENDERER": "pixman", "WLR_LIBINPUT_NO_DEVICES": "1", "LANG": "C.UTF-8"}
        log = open(os.path.join(self.runtime, "compositor.log"), "w")
        if self.kind == "sway":
            config = os.path.join(self.runtime, "sway.conf")
            with open(config, "w") as f:
                f.write("output HEADLESS-1 resolution 640x480 position 0 0\ndefault_border none\n"
                        "focus_follows_mouse no\nseat seat0 fallback true\nxwayland disable\n")
            command = ["sway", "-c", config]
        elif self.kind == "cage":
            command = ["cage", "--", *self.cage_program]
        else:
            command, own_bus = KINDS[self.kind]
            if self.kind == "kwin":
                command = command + ["--output-count", str(self.outputs)]
            if self.kind == "mutter":
                command = command + [a for size in self.monitors for a in ("--virtual-monitor", size)]
            if own_bus:
                bus = os.path.join(self.runtime, "bus")
                command = ["dbus-run-session", "--", "sh", "-c", 'echo "$DBUS_SESSION_BUS_ADDRESS" >"$0"; exec "$@"',
                           bus, *command]
        self.process = subprocess.Popen(command, env=self.env, stdin=subprocess.DEVNULL, stdout=log,
                                        stderr=subprocess.STDOUT, start_new_session=True)
        sockets = wait_for("the compositor's socket", self._socket, 20)
        self.env["WAYLAND_DISPLAY"] = os.path.basename(sockets)
        if self.kind in ("kwin", "mutter"):
            self.env["DBUS_SESSION_BUS_ADDRESS"] = wait_for("its D-Bus session", lambda: _read(bus), 10)
        if self.kind == "sway":
            self.ipc = wait_for("sway's IPC socket", lambda: glob.glob(os.path.join(self.runtime, "sway-ipc.*")), 10)[0]
            for number in range(2, self.outputs + 1):
                self.swaymsg("create_output")
                self.swaymsg("output HEADLESS-%d resolution 640x480 position %d 0" % (number, 640 * (number - 1)))
        return self

    def _socket(self):
        check(self.process.poll() is None, "the compositor ended at its start")
        found = [p for p in glob.glob(os.path.join(self.runtime, "wayland-*")) if not p.endswith(".lock")]
        return found[0] if found else None

    def __exit__(self, *exc):
        for child in self.children:
            stop(child)
        end_group(self.process)
        if exc[0] is not None and exc[0] is not Skip:
            with open(os.path.join(self.runtime, "compositor.log")) as log:
                print("compositor log:\n" + log.read()[-3000:])
        shutil.rmtree(self.runtime, ignore_errors=True)

    def run(self, *command, timeout=20):
        return subprocess.run(list(command), env=self.env, stdin=subprocess.DEVNULL, capture_output=True,
                              text=True, timeout=timeout)

    def swaymsg(self, *args):
        done = self.run("swaymsg", "-s", self.ipc, *args)
        check(done.returncode == 0, "swaymsg %s: %s" % (" ".join(args), done.stdout + done.stderr))
        return done.stdout

    def start(self, program, *args, trace=False, env=None, limit=60):
        # timeout(1) passes SIGTERM on and keeps a broken run from hanging. Standard error
        # goes to a file, which never fills up as an unread pipe would. A trace is the
        # protocol traffic, which tells what a compositor without screenshots did.
        log = tempfile.TemporaryFile(mode="w+", dir=self.work)
        env = dict(self.env, **(env or {}))
        if trace or os.environ.get("BRISALO_WAYLAND_DEBUG"):  # also for a person to read
            env["WAYLAND_DEBUG"] = "1"
        process = subprocess.Popen(["timeout", str(limit), program, *args], env=env, stdin=subprocess.DEVNULL,
                                   stdout=log, stderr=log, text=True, start_new_session=True)
        process.log = log
        self.children.append(process)
        return process

    def version(self):
        """sway's version as a tuple of numbers."""
        words = self.run("sway", "--version").stdout.split()
        return tuple(int(n) for n in words[-1].split("-")[0].split(".")[:2]) if words else (0,)

    def power(self, output, on):
        self.swaymsg("output %s power %s" % (output, "on" if on else "off"))

    def skip_without_output_power(self):
        """sway before 1.8 has no `power` command, and 1.7's headless outputs stay on for `dpms off`."""
        done = self.run("swaymsg", "-s", self.ipc, "output HEADLESS-1 power off")
        if done.returncode != 0:
            raise Skip("this sway cannot turn an output off: %s" % (done.stdout + done.stderr).strip())
        outputs = json.loads(self.swaymsg("-t", "get_outputs"))
        off = [o for o in outputs if o["name"] == "HEADLESS-1" and o.get("power") is False]
        self.power("HEADLESS-1", True)
        if not off:
            raise Skip("this sway leaves a headless output on when told to turn it off")

    def keys(self, *names):
        # The first key of a new virtual keyboard may be lost: a pause comes first.
        args = []
        for name in names:
            args += ["-k", name]
        done = self.run("wtype", "-s", "300", *args)
        check(done.returncode == 0, "wtype %s: %s" % (" ".join(names), done.stderr))

    def shot(self, output, name):
        """The output (all of them for None) as a PNG file: grim on wlroots compositors, weston's
        own screenshooter (which writes to the current folder) on weston."""
        path = os.path.join(self.work, "shots", name)
        if self.kind == "weston":
            folder = tempfile.mkdtemp(dir=self.work)
            done = subprocess.run(["weston-screenshooter"], cwd=folder, env=self.env, stdin=subprocess.DEVNULL,
                                  capture_output=True, text=True, timeout=20)
            taken = glob.glob(os.path.join(folder, "*.png"))
            check(done.returncode == 0 and len(taken) == 1, "weston-screenshooter: %s" % done.stderr)
            shutil.move(taken[0], path)
            os.rmdir(folder)
        else:
            done = self.run(*(["grim", "-o", output, path] if output else ["grim", path]))
            check(done.returncode == 0, "grim %s: %s" % (output, done.stderr))
        keep = os.environ.get("BRISALO_E2E_SHOTS")  # a folder to keep the pictures in, for a person to see
        if keep:
            shutil.copy(path, os.path.join(keep, name))
        return path

    def size(self, path):
        out = self.run("identify", "-format", "%w %h", path).stdout.split()
        return int(out[0]), int(out[1])

    def wait_kaleidoscope(self, output, name, process, size=(640, 480), timeout=30.0):
        """grim of the output until it shows a bright kaleidoscope of eight mirrored sectors
        about the output's centre, at the output's size (the first seconds ease from ten)."""
        pictures = Pictures(self.env)
        deadline = time.monotonic() + timeout
        while True:
            check(process.poll() is None, "the saver ended while drawing %s: %s" % (name, drain(process)))
            path = self.shot(output, name)
            mismatch = pictures.rotation_mismatch(path)
            if (self.size(path) == size and mismatch < 0.01 and pictures.brightest(path) > 0.2 and
                    pictures.colours(path) > 1000):
                return path
            if time.monotonic() > deadline:
                raise Failure("%s (%dx%d) is not a kaleidoscope about its centre at %dx%d (mismatch %.4f)" % (
                    name, *self.size(path), *size, mismatch))
            time.sleep(0.5)


def _read(path):
    try:
        with open(path) as f:
            return f.read().strip()
    except OSError:
        return ""


class CountedSaver:
    """The Wayland saver with the swap-counting probe preloaded: its swaps, surface by surface
    in the order of their first swap, and its CPU time."""

    def __init__(self, compositor, *args):
        self.path = os.path.join(compositor.runtime, "swaps-%d" % len(compositor.children))
        self.process = compositor.start(os.path.join(WORK, "brisalo-wayland"), *args, limit=150,
                                        env={"LD_PRELOAD": PROBE, "BRISALO_PROBE_OUT": self.path})
        self.pid = saver_pid(self.process)

    def swaps(self):
        """Every surface's swaps; [] before the first."""
        try:
            with open(self.path) as f:
                return [int(field) for field in f.read().split()[1:]]
        except (OSError, ValueError):
            return []

    def cpu(self):
        """User and system time of all its threads, in seconds."""
        with open("/proc/%d/stat" % self.pid) as f:
            fields = f.read().rsplit(")", 1)[1].split()
        return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")

    def over(self, seconds):
        """Swaps per surface and CPU seconds over the next `seconds`."""
        check(self.process.poll() is None, "the saver ended: %s" % drain(self.process))
        swaps, cpu = self.swaps(), self.cpu()
        time.sleep(seconds)
        after = self.swaps()
        swaps += [0] * (len(after) - len(swaps))
        return [b - a for a, b in zip(swaps, after)], self.cpu() - cpu

    def settle(self, what, still, timeout=10.0):
        """Until still(swaps) has held for a second and a half, each surface's swaps unchanged
        over it that still() is given."""
        deadline = time.monotonic() + timeout
        since, before = time.monotonic(), self.swaps()
        while time.monotonic() - since < 1.5:
            check(time.monotonic() < deadline, "%s: the saver went on swapping (%s)" % (what, self.swaps()))
            check(self.process.poll() is None, "%s: the saver ended: %s" % (what, drain(self.process)))
            time.sleep(0.1)
            now = self.swaps()
            if not still([a == b for a, b in zip(before, now)]):
                since, before = time.monotonic(), now

    def resumes(self, what, surfaces, within):
        """Each of those surfaces swaps again within `within` seconds."""
        before, started = self.swaps(), time.monotonic()
        while not all(self.swaps()[i] > before[i] for i in surfaces):
            check(time.monotonic() - started < within, "%s: no swap on surfaces %s within %.1f s (%s, then %s)" % (
                what, surfaces, within, before, self.swaps()))
            time.sleep(0.02)
        return time.monotonic() - started


class Device:
    """A virtual pointer or keyboard helper: one command a line, each answered once sway has it."""

    def __init__(self, compositor, kind):
        self.process = subprocess.Popen([VIRTUAL_INPUT, kind], env=compositor.env, stdin=subprocess.PIPE,
                                        stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        compositor.children.append(self.process)
        self._answer("the virtual %s" % kind)

    def _answer(self, what):
        line = self.process.stdout.readline()
        check(line.startswith("ok"), "%s: %r %s" % (what, line, self.process.stderr.read() if not line else ""))
        if os.environ.get("BRISALO_WAYLAND_DEBUG"):
            print("device: %s at %s" % (what, line.split()[-1]))

    def send(self, command):
        self.process.stdin.write(command + "\n")
        self.process.stdin.flush()
        self._answer(command)


def stop(process):
    if process.poll() is None:
        try:
            os.killpg(process.pid, signal.SIGKILL)
        except (ProcessLookupError, PermissionError):
            process.kill()
        process.wait(timeout=10)


def drain(process):
    """What the saver has written so far."""
    if not hasattr(process, "log"):
        return ""
    process.log.seek(0)
    return process.log.read()


def said(process):
    """What the saver wrote, without its protocol trace."""
    return "\n".join(line for line in drain(process).splitlines() if not re.match(r"\[ *\d+\.\d+\] ", line))


def saver_pid(process, name="brisalo-wayland"):
    """The saver under timeout(1)."""
    def child():
        for entry in os.listdir("/proc"):
            if entry.isdigit():
                try:
                    with open("/proc/%s/stat" % entry) as f:
                        fields = f.read().rsplit(")", 1)[1].split()
                    if int(fields[1]) == process.pid and os.readlink("/proc/%s/exe" % entry).endswith(name):
                        return int(entry)
                except (OSError, ValueError, IndexError):
                    pass
        return None
    return wait_for("the %s process" % name, child, 10)


def expect_exit_zero(process, what, within=8.0):
    try:
        process.wait(timeout=within)
    except subprocess.TimeoutExpired:
        stop(process)
        keep = os.environ.get("BRISALO_E2E_SHOTS")
        if keep:
            with open(os.path.join(keep, "saver.log"), "w") as f:
                f.write(drain(process))
        raise Failure("%s: the saver did not end within %.1f s: %s" % (what, within, said(process)[-3000:]))
    err = said(process)
    check(process.returncode == 0, "%s: exit code %d, stderr %r" % (what, process.returncode, err))
    return err


def expect_running(process, what):
    time.sleep(0.6)
    check(process.poll() is None, "%s ended the saver: %s" % (what, drain(process)))


def ends_on_sigterm_within_a_second(process):
    pid = saver_pid(process)
    started = time.monotonic()
    os.kill(pid, signal.SIGTERM)
    expect_exit_zero(process, "SIGTERM", within=1.0)
    check(time.monotonic() - started < 1.0, "SIGTERM took %.2f s" % (time.monotonic() - started))


def wait_drawing(compositor, output, process, size=(640, 480)):
    """Until the output shows a kaleidoscope that moves: a headless sway shows the last
    picture of a saver that has gone until something draws again."""
    first = compositor.wait_kaleidoscope(output, "start.png", process, size=size)
    wait_for("a moving picture", lambda: mean_difference(compositor.env, first, compositor.shot(
        output, "moved.png")) > 0.5, 10)


class Trace:
    """A saver's protocol traffic (WAYLAND_DEBUG): its outputs with their modes, the surfaces it
    made, which output the compositor says each is on, the size it gave each, and the frames
    each took. Object numbers are reused once freed: the latest use counts."""

    def __init__(self, text):
        self.modes = {}      # wl_output -> (width, height) of its current mode
        self.entered = {}    # wl_surface -> the wl_output it is on
        self.roles = {}      # layer or xdg object -> its wl_surface
        self.sizes = {}      # wl_surface -> the size of its last configure
        self.frames = {}     # wl_surface -> frames committed by EGL
        for line in text.splitlines():
            match = re.search(r"wl_output#(\d+)\.mode\((\d+), (\d+), (\d+)", line)
            if match and int(match.group(2)) & 1:
                self.modes[match.group(1)] = (int(match.group(3)), int(match.group(4)))
            match = re.search(r"wl_surface#(\d+)\.enter\(wl_output#(\d+)\)", line)
            if match:
                self.entered[match.group(1)] = match.group(2)
            match = re.search(r"(?:get_layer_surface|get_xdg_surface)\(new id (\w+#\d+), wl_surface#(\d+)", line)
            if match:
                self.roles[match.group(1)] = match.group(2)
            match = re.search(r"(xdg_surface#\d+)\.get_toplevel\(new id (xdg_toplevel#\d+)\)", line)
            if match and match.group(1) in self.roles:
                self.roles[match.group(2)] = self.roles[match.group(1)]
            match = re.search(r"(zwlr_layer_surface_v1#\d+)\.configure\(\d+, (\d+), (\d+)\)|"
                              r"(xdg_toplevel#\d+)\.configure\((\d+), (\d+),", line)
            if match:
                role, width, height = [g for g in match.groups() if g is not None]
                if role in self.roles:
                    self.sizes[self.roles[role]] = (int(width), int(height))
            match = re.search(r"egl surface queue\}  -> wl_surface#(\d+)\.commit\(\)", line)
            if match:
                self.frames[match.group(1)] = self.frames.get(match.group(1), 0) + 1

    def uncovered(self, outputs, frames):
        """Why the outputs are not each covered by a surface of their size that has taken
        the frames; None when they are."""
        if len(self.modes) != outputs:
            return "the saver knows %d outputs, not %d" % (len(self.modes), outputs)
        for output, mode in self.modes.items():
            on = [s for s, o in self.entered.items() if o == output and s in self.roles.values()]
            if len(on) != 1:
                return "wl_output#%s %dx%d has %d saver surfaces" % (output, *mode, len(on))
            size = self.sizes.get(on[0])
            if size not in (mode, (0, 0)):
                return "wl_surface#%s on a %dx%d output is configured at %s" % (on[0], *mode, size)
            if self.frames.get(on[0], 0) < frames:
                return "wl_surface#%s took %d frames" % (on[0], self.frames.get(on[0], 0))
        return None


def wait_covered(process, outputs, frames=20, timeout=30.0):
    """Until the trace shows every output covered by its own surface of its size, each having
    taken the frames: the way to see the saver where the compositor offers no screenshot."""
    deadline = time.monotonic() + timeout
    while True:
        check(process.poll() is None, "the saver ended: %s" % said(process)[-2000:])
        problem = Trace(drain(process)).uncovered(outputs, frames)
        if problem is None:
            return
        check(time.monotonic() < deadline, "not covered within %.0f s: %s" % (timeout, problem))
        time.sleep(0.3)


def wait_dialog_shown(process, timeout=20.0):
    """Until the trace shows the settings dialog's toplevel configured and drawn into."""
    def shown():
        text = drain(process)
        titled = re.search(r"(xdg_toplevel#\d+)\.set_title\(\"Config dialog\"\)", text)
        configured = titled and text.find(titled.group(1) + ".configure(", titled.end())
        return configured and configured > 0 and "attach(wl_buffer" in text[configured:]
    wait_for("the settings dialog on the screen", shown, timeout)


def no_arrow_over(compositor, saver, pointer, name):
    """The saver frozen, the pointer moved 30 pixels over it: two screenshots that differ
    in no pixel show no cursor (a visible arrow moves between them). The saver then takes
    the move, which keeps it running."""
    pid = saver_pid(saver)
    os.kill(pid, signal.SIGSTOP)
    try:
        time.sleep(0.3)  # the last frame it committed is on the output
        before = compositor.shot(None, name + "-before.png")
        pointer.send("move 30 0")
        after = compositor.shot(None, name + "-after.png")
    finally:
        os.kill(pid, signal.SIGCONT)
    compared = subprocess.run(["compare", "-metric", "AE", before, after, "null:"], env=compositor.env,
                              stdin=subprocess.DEVNULL, capture_output=True, text=True, timeout=30)
    check(compared.stderr.split()[0] == "0", "a cursor over the saver: %s pixels differ" % compared.stderr.strip())
    expect_running(saver, "a move of 30 pixels")


def start_full_screen(compositor, output="HEADLESS-1", size=(640, 480)):
    saver = compositor.start(os.path.join(WORK, "brisalo-wayland"), "/s")
    wait_drawing(compositor, output, saver, size)
    return saver


def case_covers_every_output_and_follows_them(work):
    with Compositor(work, outputs=2) as sway:
        saver = start_full_screen(sway)
        sway.wait_kaleidoscope("HEADLESS-2", "second.png", saver)
        sway.swaymsg("output HEADLESS-1 resolution 800x600 position 0 0")
        sway.swaymsg("output HEADLESS-2 position 800 0")
        sway.wait_kaleidoscope("HEADLESS-1", "resized.png", saver, size=(800, 600))
        sway.swaymsg("create_output")
        sway.swaymsg("output HEADLESS-3 resolution 640x480 position 1440 0")
        sway.wait_kaleidoscope("HEADLESS-3", "added.png", saver)
        sway.wait_kaleidoscope("HEADLESS-2", "second-again.png", saver)
        ends_on_sigterm_within_a_second(saver)


def case_keeps_running_on_kept_keys_and_40_pixels(work):
    with Compositor(work, outputs=2) as sway:
        pointer = Device(sway, "pointer")
        pointer.send("to 320 240 1280 480")
        saver = start_full_screen(sway)
        # Each wtype makes a keyboard and drops it: sway sends a leave, then takes the seat's
        # keyboard away, which is no loss of activation.
        for keys in (["space"], ["Left", "Up", "Right", "Down"], ["1", "9", "0", "2"], ["m", "m"], ["s"]):
            sway.keys(*keys)
            expect_running(saver, "keys %s" % " ".join(keys))
        # Per axis from the origin, where the pointer stood when the surface appeared under it.
        for move in ("move 40 0", "move -40 0", "move 0 40", "move 0 -80", "move 40 80"):
            pointer.send(move)
            expect_running(saver, move)
        pointer.send("to 640 240 1280 480")  # onto the second output's surface, 320 away
        expect_exit_zero(saver, "a move onto the other output")


def case_ends_on_escape_a_click_and_51_pixels(work):
    with Compositor(work) as sway:
        pointer = Device(sway, "pointer")
        pointer.send("to 320 240 640 480")
        for what, action in (("Escape", lambda: sway.keys("Escape")), ("a click", lambda: after_a_pixel(pointer, "click")),
                             ("51 pixels across", lambda: after_a_pixel(pointer, "move 51 0")),
                             ("51 pixels down", lambda: after_a_pixel(pointer, "move 0 51"))):
            saver = start_full_screen(sway)
            action()
            expect_exit_zero(saver, what)
            pointer.send("to 320 240 640 480")


def after_a_pixel(pointer, command):
    """A pixel's move, then the command. Sway 1.10 tells a layer surface that maps under a
    resting pointer nothing until the pointer moves or clicks (it looks for the surface
    before its first frame is in place): a click then goes to no client, and the first
    position the saver hears is where a move ended, its origin. A hand on a mouse moves it
    a little first; the pixel is kept, and the rule measures from there."""
    pointer.send("move 1 0")
    pointer.send(command)


def case_swayidle_starts_it_through_brisalo(work):
    with Compositor(work) as sway:
        brisalo = os.path.join(work, "brisalo")
        idle = sway.start("swayidle", "-w", "timeout", "2", brisalo + " /s", trace=True)
        time.sleep(1.0)
        check(not saver_processes(), "the saver started before the timeout")
        started = time.monotonic()
        wait_for("brisalo-wayland after 2 s without input", saver_processes, 10)
        check(time.monotonic() - started < 4.0, "it took %.1f s" % (time.monotonic() - started))
        wait_drawing(sway, "HEADLESS-1", idle)
        sway.keys("Escape")
        wait_for("no saver after Escape", lambda: not saver_processes(), 10)
        check(idle.poll() is None, "swayidle ended")
        # Where sway offers the standard idle protocol (1.10), swayidle uses it.
        trace = drain(idle)
        if '"ext_idle_notifier_v1"' in trace:
            check(re.search(r'bind\(\d+, "ext_idle_notifier_v1"', trace), "swayidle did not use ext-idle-notify-v1")
        # X11 host options stay with the X11 saver, which finds no X display here.
        done = sway.run(brisalo, "--root")
        check("X display" in done.stderr and not saver_processes(), "--root went to Wayland: %r" % done.stderr)
        done = sway.run(brisalo, "--help")
        check("--layer" in done.stdout, "brisalo --help did not hand over: %r" % done.stdout)
        # A Wayland saver that cannot be run is said to be what it is.
        folder = os.path.join(work, "not-executable")
        os.mkdir(folder)
        shutil.copy(brisalo, folder)
        shutil.copy(os.path.join(work, "brisalo-wayland"), folder)
        os.chmod(os.path.join(folder, "brisalo-wayland"), 0o644)
        done = sway.run(os.path.join(folder, "brisalo"), "--version")
        check(done.stderr == "brisalo: a Wayland session, but %s/brisalo-wayland is not executable; trying X11\n"
              % folder and done.stdout.startswith("brisalo "), "a twin that cannot run: %r" % done.stderr)
        # Words that are no option get the X11 saver's one line, and nothing runs.
        done = sway.run(brisalo, "--bogus", "/x")
        check(done.returncode == 0 and done.stderr == ('brisalo: ignoring "--bogus": not an option (see --help)\n'
                                              'brisalo: ignoring "/x": not an option (see --help)\n')
              and not saver_processes(), "an unknown word: %d %r" % (done.returncode, done.stderr))


def saver_processes():
    return processes_running(os.path.join(WORK, "brisalo-wayland"))


def stop_when_handed_over(process, timeout=5.0):
    """SIGTERM the moment the process has become the Wayland saver, while it loads."""
    deadline = time.monotonic() + timeout
    while process.poll() is None and time.monotonic() < deadline:
        try:
            handed_over = os.readlink("/proc/%d/exe" % process.pid).endswith("/brisalo-wayland")
        except OSError:
            handed_over = False
        if handed_over:
            process.send_signal(signal.SIGTERM)
            return
    raise Failure("brisalo never handed over: exit code %s" % process.poll())


def case_stopped_at_its_start_ends_through_teardown(work):
    """brisalo /s stopped the moment it takes SIGTERM, before it hands over to the Wayland
    saver, and the moment it has handed over, before the Wayland saver has a handler: the
    stop is kept for the Wayland saver, whose run ends with 0 through teardown."""
    with Compositor(work) as sway:
        for how, stopper in (("at its start", stop_at_its_start), ("as it hands over", stop_when_handed_over)):
            for run in range(20):
                saver = subprocess.Popen([os.path.join(work, "brisalo"), "/s"], env=sway.env,
                                         stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                                         text=True, start_new_session=True)
                what = "stopped %s, run %d" % (how, run + 1)
                try:
                    stopper(saver)
                    try:
                        err = saver.communicate(timeout=8)[1]
                    except subprocess.TimeoutExpired:
                        raise Failure("%s: the saver did not end" % what)
                    check(saver.returncode == 0, "%s: exit code %d, stderr %r" % (what, saver.returncode, err))
                finally:
                    stop(saver)
        check(not saver_processes(), "a saver outlived its stop")


def case_layer_takes_no_input_and_ends_on_sigterm(work):
    with Compositor(work) as sway:
        pointer = Device(sway, "pointer")
        pointer.send("to 320 240 640 480")
        saver = sway.start(os.path.join(work, "brisalo-wayland"), "--layer")
        sway.wait_kaleidoscope("HEADLESS-1", "layer.png", saver)
        sway.keys("Escape", "q")
        pointer.send("move 200 100")
        pointer.send("click")
        expect_running(saver, "keys, a move and a click")
        ends_on_sigterm_within_a_second(saver)


def case_xdg_shell_fills_the_screen_on_cage(work):
    saver_log = os.path.join(work, "cage-saver.log")
    program = ["sh", "-c", 'exec "$0" /s 2>"$1"', os.path.join(work, "brisalo-wayland"), saver_log]
    with Compositor(work, cage_program=program) as cage:
        size = cage.size(cage.shot(None, "cage-size.png"))
        cage.wait_kaleidoscope(None, "cage.png", cage.process, size=size)
        check(size[0] >= 640 and size[1] >= 480, "cage's output is %dx%d" % size)
        # cage has no virtual keyboard for wtype: a signal ends it, and cage ends with its program.
        pids = saver_processes()
        check(len(pids) == 1, "not one saver under cage: %s" % pids)
        os.kill(pids[0], signal.SIGTERM)
        try:
            cage.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            raise Failure("SIGTERM did not end the saver on cage")
        with open(saver_log) as log:
            err = log.read()
        check(err == "", "it said something: %r" % err)


def case_labwc_covers_hides_the_arrow_and_ends(work):
    with Compositor(work, kind="labwc") as labwc:
        pointer = Device(labwc, "pointer")
        pointer.send("to 300 200 1280 720")
        saver = labwc.start(os.path.join(work, "brisalo-wayland"), "/s", trace=True)
        wait_covered(saver, 1)
        labwc.wait_kaleidoscope(None, "labwc.png", saver, size=(1280, 720))
        no_arrow_over(labwc, saver, pointer, "labwc-arrow")
        labwc.keys("Escape")
        expect_exit_zero(saver, "Escape")
        ends_on_sigterm_within_a_second(start_full_screen(labwc, None, (1280, 720)))
        # Before any click on the desktop: labwc activates no new window after one.
        keyboard = Device(labwc, "keyboard")  # GTK's bindings match no key of wtype's keymaps
        dialog_ends_on_escape(labwc, lambda: keyboard.send("Escape"))
        layer_runs_without_input(labwc, pointer, (1280, 720))


def layer_runs_without_input(compositor, pointer, size):
    saver = compositor.start(os.path.join(WORK, "brisalo-wayland"), "--layer")
    compositor.wait_kaleidoscope(None, "layer.png", saver, size=size)
    compositor.keys("Escape")
    pointer.send("click")
    expect_running(saver, "Escape and a click")
    ends_on_sigterm_within_a_second(saver)


def dialog_ends_on_escape(compositor, escape):
    dialog = compositor.start(os.path.join(WORK, "brisalo"), "/c", trace=True)
    wait_dialog_shown(dialog)
    wait_keyboard_focus(dialog)
    escape()
    expect_exit_zero(dialog, "Escape in the dialog")


def wait_keyboard_focus(process):
    wait_for("the keyboard's focus", lambda: re.search(r"wl_keyboard#\d+\.enter\(", drain(process)), 10)


def dialog_ends_on_sigterm(compositor):
    dialog = compositor.start(os.path.join(WORK, "brisalo"), "/c", trace=True)
    wait_dialog_shown(dialog)
    ends_on_sigterm_within_a_second(dialog)


def layer_refused(compositor):
    done = compositor.run(os.path.join(WORK, "brisalo"), "--layer")
    check("needs a compositor with the layer shell" in done.stderr, "--layer: %r" % done.stderr)


def case_kwin_covers_both_outputs_and_ends(work):
    # The virtual backend without a DRM node composites with QPainter, where KWin's screenshot
    # effect does not load, and KWin offers no virtual keyboard: the trace shows the surfaces,
    # signals end the runs.
    with Compositor(work, outputs=2, kind="kwin") as kwin:
        saver = kwin.start(os.path.join(work, "brisalo-wayland"), "/s", trace=True)
        wait_covered(saver, 2)
        ends_on_sigterm_within_a_second(saver)
        layer = kwin.start(os.path.join(work, "brisalo-wayland"), "--layer", trace=True)
        wait_covered(layer, 2)
        ends_on_sigterm_within_a_second(layer)
        dialog_ends_on_sigterm(kwin)


class RemoteKeyboard:
    """Mutter's remote desktop session, the one way to type into a headless Mutter: its
    keyboard comes with the first key, which it may lose."""

    def __init__(self, compositor):
        try:
            from gi.repository import Gio, GLib  # only here: the other cases need no GObject
        except ImportError:
            raise Skip("python3-gi is not installed")
        self.GLib = GLib
        self.bus = Gio.DBusConnection.new_for_address_sync(
            compositor.env["DBUS_SESSION_BUS_ADDRESS"],
            Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)
        self.session = self._call("/org/gnome/Mutter/RemoteDesktop", "org.gnome.Mutter.RemoteDesktop",
                                  "CreateSession", None).unpack()[0]
        self._call(self.session, "org.gnome.Mutter.RemoteDesktop.Session", "Start", None)

    def _call(self, path, interface, method, args):
        from gi.repository import Gio
        return self.bus.call_sync("org.gnome.Mutter.RemoteDesktop", path, interface, method, args, None,
                                  Gio.DBusCallFlags.NONE, 5000, None)

    def key(self, code):
        """Press and release an evdev key code."""
        for pressed in (True, False):
            self._call(self.session, "org.gnome.Mutter.RemoteDesktop.Session", "NotifyKeyboardKeycode",
                       self.GLib.Variant("(ub)", (code, pressed)))
            time.sleep(0.1)


KEY_ESCAPE, KEY_SPACE = 1, 57  # evdev codes


def case_mutter_places_each_window_on_its_monitor_and_ends(work):
    # Mutter offers no screenshot without gnome-shell or PipeWire: the trace shows where each
    # fullscreen window went and how large.
    with Compositor(work, kind="mutter", monitors=("640x480", "800x600")) as mutter:
        keyboard = RemoteKeyboard(mutter)
        saver = mutter.start(os.path.join(work, "brisalo-wayland"), "/s", trace=True)
        wait_covered(saver, 2)
        keyboard.key(KEY_SPACE)  # kept, and it may be lost
        wait_keyboard_focus(saver)
        expect_running(saver, "space")
        keyboard.key(KEY_ESCAPE)
        expect_exit_zero(saver, "Escape")
        saver = mutter.start(os.path.join(work, "brisalo-wayland"), "/s", trace=True)
        wait_covered(saver, 2)
        ends_on_sigterm_within_a_second(saver)
        layer_refused(mutter)
        dialog_ends_on_escape(mutter, lambda: keyboard.key(KEY_ESCAPE))


def case_weston_kiosk_covers_and_ends_on_sigterm(work):
    # Headless weston has no seat: nothing to type with, nothing the desktop shell would
    # activate (the saver would sit under its panel); the kiosk shell needs no activation.
    with Compositor(work, kind="weston") as weston:
        saver = weston.start(os.path.join(work, "brisalo-wayland"), "/s", trace=True)
        wait_covered(saver, 1)
        wait_drawing(weston, None, saver)
        ends_on_sigterm_within_a_second(saver)
        layer_refused(weston)
        dialog_ends_on_sigterm(weston)


def case_output_unplugged_takes_its_surface(work):
    with Compositor(work, outputs=2) as sway:
        saver = start_full_screen(sway)
        sway.wait_kaleidoscope("HEADLESS-2", "second.png", saver)
        done = sway.run("swaymsg", "-s", sway.ipc, "output HEADLESS-2 unplug")
        if "Invalid output subcommand" in done.stdout + done.stderr:
            raise Skip("this sway cannot remove a headless output")
        check(done.returncode == 0, "unplug: %s" % (done.stdout + done.stderr))
        wait_drawing(sway, "HEADLESS-1", saver)
        check('"HEADLESS-2"' not in sway.swaymsg("-t", "get_outputs"), "HEADLESS-2 is still there")
        ends_on_sigterm_within_a_second(saver)


def mean_difference(env, one, other):
    compared = subprocess.run(["compare", "-metric", "MAE", one, other, "null:"], env=env,
                              stdin=subprocess.DEVNULL, capture_output=True, text=True, timeout=30)
    return float(compared.stderr.split("(")[1].split(")")[0]) * 255.0


def case_picture_is_the_frame_renderers(work):
    with Compositor(work) as sway:
        saver = sway.start(STEPPED_SAVER, "/s")
        wait_drawing(sway, "HEADLESS-1", saver)
        pid = saver_pid(saver, os.path.basename(STEPPED_SAVER))
        os.kill(pid, signal.SIGSTOP)
        time.sleep(0.3)  # the last frame it committed is on the output
        shot = sway.shot("HEADLESS-1", "stepped.png")
        os.kill(pid, signal.SIGCONT)
        os.kill(pid, signal.SIGTERM)
        expect_exit_zero(saver, "SIGTERM")
        frames = os.path.join(work, "frames")
        os.mkdir(frames)
        wanted = [str(n) for n in range(0, 300)]
        done = sway.run(os.path.join(work, "brisalo-frames"), "--size", "640x480", "--seed", "5", "--out",
                        frames, *wanted, timeout=120)
        check(done.returncode == 0, "brisalo-frames: %s" % done.stderr)
        best = min((mean_difference(sway.env, shot, path), path)
                   for path in sorted(glob.glob(os.path.join(frames, "*.png"))))
        check(best[0] < 1.0, "no frame of brisalo-frames --seed 5 is the saver's: the nearest, %s, differs by %.2f"
              % (os.path.basename(best[1]), best[0]))


def case_configure_dialog_on_wayland(work):
    """brisalo /c in a Wayland session: the settings dialog is a native xdg-shell window of the
    Wayland saver (this sway runs no Xwayland). Escape ends it with 0, storing nothing; Tab,
    space and Return work as on X11: the box unchecked, OK stores mirrors off."""
    settings = os.path.join(work, "config", "brisalo", "settings.reg")
    with Compositor(work) as sway:
        keyboard = Device(sway, "keyboard")
        for keys in (["Escape"], ["Tab", "Tab", "space", "shift+Tab", "shift+Tab", "Return"]):
            dialog = sway.start(os.path.join(work, "brisalo"), "/c")
            wait_for("the settings dialog", lambda: '"name": "Config dialog"' in sway.swaymsg("-t", "get_tree"), 20)
            tree = sway.swaymsg("-t", "get_tree")
            check('"app_id": "brisalo-wayland"' in tree and '"shell": "xdg_shell"' in tree,
                  "not a Wayland window of brisalo-wayland")
            time.sleep(0.5)
            for key in keys:
                keyboard.send(key)
            expect_exit_zero(dialog, " ".join(keys))
            if keys == ["Escape"]:
                check(not os.path.exists(settings), "Escape stored the settings")
        with open(settings) as f:
            text = f.read()
        check('"UseMirrors"=dword:00000000' in text, "OK did not store the unchecked box:\n%s" % text)


def case_a_key_ends_it_within_the_pause(work):
    """A saver that pauses 1000 ms after every frame still ends within 100 ms of a key: the
    pause waits on the compositor's connection. Three keys a third of a pause apart in its
    course; the median under 100 ms, each under half a pause."""
    saver_path = os.path.join(work, "brisalo-long-pause")
    with Compositor(work) as sway:
        keyboard = Device(sway, "keyboard")
        latencies = []
        for phase in (0.0, 0.33, 0.67):
            saver = sway.start(saver_path, "/s")
            shots = Pictures(sway.env)
            wait_for("the saver's picture", lambda: shots.colours(sway.shot("HEADLESS-1", "slow.png")) > 1000, 20)
            time.sleep(phase)  # a point in the pause
            keyboard.send("Escape")
            sent = time.monotonic()
            expect_exit_zero(saver, "Escape")
            latencies.append(time.monotonic() - sent)
        latencies.sort()
        check(latencies[1] < 0.1 and latencies[2] < 0.5,
              "Escape took %s s" % ", ".join("%.3f" % t for t in latencies))

# What a case needs beyond TOOLS (a compositor Debian 12 does not have, for one).
CASE_TOOLS = {"labwc_covers_hides_the_arrow_and_ends": ("labwc",),
              "kwin_covers_both_outputs_and_ends": ("kwin_wayland", "dbus-run-session"),
              "mutter_places_each_window_on_its_monitor_and_ends": ("mutter", "dbus-run-session"),
              "weston_kiosk_covers_and_ends_on_sigterm": ("weston", "weston-screenshooter")}

def output_power_pauses(work, mode):
    """Two outputs: one off, the lit one draws on and the dark one swaps nothing; both off,
    the saver's CPU over 8 s is at most 5% of its CPU with both lit; both on, both swap
    again within a second and show a moving kaleidoscope."""
    with Compositor(work, outputs=2) as sway:
        sway.skip_without_output_power()
        saver = CountedSaver(sway, mode)
        wait_drawing(sway, "HEADLESS-1", saver.process)
        sway.wait_kaleidoscope("HEADLESS-2", "second.png", saver.process)
        lit, lit_cpu = saver.over(8.0)
        check(len(lit) == 2 and min(lit) >= 40, "both lit: swaps per surface over 8 s %s" % lit)
        sway.power("HEADLESS-2", False)
        saver.settle("HEADLESS-2 off", lambda still: still.count(True) == 1)
        one, _ = saver.over(8.0)
        check(sorted(one)[0] == 0 and max(one) >= lit[one.index(max(one))] // 2,
              "one off: swaps per surface over 8 s %s, both lit %s" % (one, lit))
        sway.power("HEADLESS-1", False)
        saver.settle("both off", all)
        dark, dark_cpu = saver.over(8.0)
        check(dark == [0, 0] and dark_cpu <= 0.05 * lit_cpu,
              "both off: %s swaps and %.2f s of CPU over 8 s, against %.2f s lit" % (dark, dark_cpu, lit_cpu))
        print("swaps per surface over 8 s: both lit %s, one off %s, both off %s; CPU %.2f s lit, %.2f s dark" % (
            lit, one, dark, lit_cpu, dark_cpu))
        sway.power("*", True)
        print("both on: swaps again after %.3f s" % saver.resumes("both on", [0, 1], within=1.0))
        wait_drawing(sway, "HEADLESS-1", saver.process)
        wait_drawing(sway, "HEADLESS-2", saver.process)
        ends_on_sigterm_within_a_second(saver.process)


def case_output_power_pauses_the_saver(work):
    output_power_pauses(work, "/s")


def case_output_power_pauses_the_layer(work):
    output_power_pauses(work, "--layer")


def case_hidden_output_costs_no_frames(work):
    """A saver under another one's opaque surface swaps nothing until it is uncovered: the
    background layer under a /s saver, and a /s saver under a later one (sway 1.7 still
    calls every overlay surface to draw, covered or not; 1.8's scene graph leaves covered
    ones be)."""
    with Compositor(work) as sway:
        for below_mode in ("--layer", "/s") if sway.version() >= (1, 8) else ("--layer",):
            below = CountedSaver(sway, below_mode)
            wait_drawing(sway, "HEADLESS-1", below.process)
            above = CountedSaver(sway, "/s")
            wait_for("the covering saver's first frame", above.swaps, 20)
            below.settle("%s under /s" % below_mode, all)
            hidden, _ = below.over(4.0)
            check(hidden == [0], "%s under /s swapped %s times in 4 s" % (below_mode, hidden))
            ends_on_sigterm_within_a_second(above.process)
            below.resumes("%s uncovered" % below_mode, [0], within=2.0)
            ends_on_sigterm_within_a_second(below.process)


CASES = {name[5:]: function for name, function in globals().items() if name.startswith("case_")}


def as_user(work, name):
    global WORK
    WORK = work
    os.makedirs(os.path.join(work, "shots"), exist_ok=True)
    os.makedirs(os.path.join(work, "config"), exist_ok=True)
    CASES[name](work)


def main():
    global VIRTUAL_INPUT, STEPPED_SAVER, PROBE
    if len(sys.argv) == 6 and sys.argv[1] == "--as-user":
        VIRTUAL_INPUT, STEPPED_SAVER = sys.argv[3:5]
        PROBE = os.path.join(sys.argv[2], "swap-probe.so")
        try:
            as_user(sys.argv[2], sys.argv[5])
        except Failure as failure:
            print("FAILED: %s" % failure)
            return 1
        except Skip as skip:
            print("skipped: %s" % skip)
            return SKIP
        print("passed")
        return 0
    if len(sys.argv) != 5 or sys.argv[4] not in CASES:
        print(__doc__ + "\nCases: " + " ".join(CASES))
        return 2
    for tool in TOOLS + CASE_TOOLS.get(sys.argv[4], ()):
        if shutil.which(tool) is None:
            print("skipped: %s is not installed (tools/deps.sh installs it)" % tool)
            return SKIP
    build, virtual_input, stepped, name = sys.argv[1:]
    # Copies of their own, which the user can run and the test can tell from any other.
    work = tempfile.mkdtemp(prefix="brisalo-wayland-e2e-")
    try:
        for program in PROGRAMS:
            shutil.copy(os.path.join(build, program), os.path.join(work, program))
        helpers = [os.path.join(work, os.path.basename(p)) for p in (virtual_input, stepped)]
        for program, copy in zip((virtual_input, stepped), helpers):
            shutil.copy(program, copy)
        if os.environ.get("BRISALO_SWAP_PROBE"):
            shutil.copy(os.environ["BRISALO_SWAP_PROBE"], os.path.join(work, "swap-probe.so"))
        if os.environ.get("BRISALO_LONG_PAUSE_SAVER"):
            shutil.copy(os.environ["BRISALO_LONG_PAUSE_SAVER"], os.path.join(work, "brisalo-long-pause"))
        script = os.path.abspath(__file__)
        for folder, file in (("wayland", "wayland_e2e.py"), ("e2e", "saver_e2e.py"), ("support", "pictures.py")):
            os.makedirs(os.path.join(work, "scripts", folder), exist_ok=True)
            shutil.copy(os.path.join(os.path.dirname(script), "..", folder, file),
                        os.path.join(work, "scripts", folder, file))
        command = [os.path.join(work, "scripts", "wayland", "wayland_e2e.py"), "--as-user", work, *helpers,
                   name]
        python = shutil.which("python3", path="/usr/local/bin:/usr/bin:/bin") or sys.executable
        if os.getuid() != 0:
            return subprocess.run([python, *command], timeout=170).returncode
        try:
            pwd.getpwnam(TEST_USER)
        except KeyError:
            subprocess.run(["useradd", "--system", "--user-group", "--no-create-home", "--home-dir", "/nonexistent",
                            "--shell", "/usr/sbin/nologin", TEST_USER], check=True, timeout=60)
        user = pwd.getpwnam(TEST_USER)
        for root, folders, files in os.walk(work):
            for entry in [root] + [os.path.join(root, f) for f in files]:
                os.chown(entry, user.pw_uid, user.pw_gid)
        os.chmod(work, 0o755)
        return subprocess.run(["runuser", "-u", TEST_USER, "--", python, *command], timeout=170).returncode
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
