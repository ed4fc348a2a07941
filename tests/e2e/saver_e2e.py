#!/usr/bin/env python3
"""Drives the real brisalo binary on a private Xvfb display with xdotool.

Usage: saver_e2e.py BRISALO HOST_WINDOW CASE
Exit 0 when the case passes, 1 when it fails, 77 when it cannot run here.
"""
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import pictures  # noqa: E402  (shared with the Windows suite)

SKIP = 77


class Failure(Exception):
    pass


# What a start on a display without GLX says, in X terms.
NO_GLX_VISUAL = "glXChooseFBConfig() failed:  The X display has no GLX visual for double-buffered RGBA drawing."


def check(condition, message):
    if not condition:
        raise Failure(message)


class Display:
    """A private Xvfb, so that the saver's grabs touch nobody else's windows."""

    def __init__(self, opengl=True, screen="1280x1024", monitors=()):
        self.options = [] if opengl else ["-extension", "GLX"]
        self.screen = screen
        self.monitors = monitors  # (name, "WxH+X+Y"): RandR monitors that split the screen

    def __enter__(self):
        # A display number of our own choosing, well away from the low ones that other
        # servers and `Xvfb -displayfd` take first. Without -noreset the server resets when
        # its last client leaves, and a saver that connects just then finds no display.
        first = 140 + os.getpid() % 200
        for number in list(range(first, 400)) + list(range(140, first)):
            if self._taken(number):
                continue
            self.server = subprocess.Popen(
                ["Xvfb", ":%d" % number, "-screen", "0", self.screen + "x24", "-nolisten", "tcp", "-noreset",
                 *self.options],
                stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            self.env = dict(os.environ, DISPLAY=":%d" % number, NO_AT_BRIDGE="1")
            if self._ready():
                self.config = tempfile.mkdtemp(prefix="brisalo-e2e-")
                self.env["XDG_CONFIG_HOME"] = self.config
                self._split()
                return self
            self.server.kill()
            self.server.wait()
        raise Failure("no Xvfb display could be started")

    def _split(self):
        # The first monitor holds the real output; the millimetres only need to be there.
        for index, (name, geometry) in enumerate(self.monitors):
            size, x, y = geometry.split("+")
            width, height = size.split("x")
            subprocess.run(["xrandr", "--setmonitor", name, "%s/300x%s/300+%s+%s" % (width, height, x, y),
                            "screen" if index == 0 else "none"],
                           env=self.env, stdin=subprocess.DEVNULL, capture_output=True, check=True, timeout=20)

    def crop(self, path, geometry, name):
        return pictures.crop(path, geometry, os.path.join(self.config, name), self.env)

    @staticmethod
    def _taken(number):
        if os.path.exists("/tmp/.X%d-lock" % number):
            return True
        with open("/proc/net/unix") as sockets:
            return ("/tmp/.X11-unix/X%d\n" % number) in sockets.read()

    def unused_number(self):
        """A display number that no server answers on."""
        for number in range(399, 140, -1):
            if not self._taken(number):
                return number
        raise Failure("every display number is taken")

    def _ready(self):
        deadline = time.time() + 10
        while time.time() < deadline:
            if self.server.poll() is not None:
                return False  # someone else took the number first
            probe = subprocess.run(["xdotool", "getmouselocation"], env=self.env, stdin=subprocess.DEVNULL,
                                   capture_output=True, timeout=10)
            if probe.returncode == 0:
                return True
            time.sleep(0.1)
        return False

    def __exit__(self, *exc):
        self.server.terminate()
        self.server.wait(timeout=10)
        shutil.rmtree(self.config, ignore_errors=True)

    def xdotool(self, *args, check_result=True):
        result = subprocess.run(["xdotool", *args], env=self.env, stdin=subprocess.DEVNULL, capture_output=True,
                                text=True, timeout=20)
        if check_result and result.returncode != 0:
            raise Failure("xdotool %s: %s" % (" ".join(args), result.stderr.strip()))
        return result.stdout.strip()

    def viewable(self, window):
        info = subprocess.run(["xwininfo", "-id", str(window)], env=self.env, stdin=subprocess.DEVNULL,
                              capture_output=True, text=True, timeout=20)
        return info.returncode == 0 and "Map State: IsViewable" in info.stdout

    def wait_viewable(self, window, timeout=15.0):
        deadline = time.time() + timeout
        while not self.viewable(window):
            if time.time() > deadline:
                raise Failure("window %d never became viewable" % window)
            time.sleep(0.05)

    def focus(self, window):
        # A window found by name may not be mapped yet; X answers a focus on it with BadMatch.
        self.wait_viewable(window)
        self.xdotool("windowfocus", "--sync", str(window))

    def find(self, name, process, timeout=15.0):
        """Ids of the viewable windows with this exact name, waiting for the first one."""
        deadline = time.time() + timeout
        while time.time() < deadline:
            found = self.xdotool("search", "--name", "^%s$" % name, check_result=False)
            shown = [int(w) for w in found.split() if self.viewable(int(w))]
            if shown:
                return shown
            if process.poll() is not None:
                out, err = process.communicate()
                raise Failure("the saver ended (%d) before a window named %r appeared: %r %r" %
                              (process.returncode, name, out, err))
            time.sleep(0.1)
        out, err = stop(process)
        raise Failure("no window named %r appeared; the saver said %r %r" % (name, out, err))

    def screenshot(self, window, path):
        subprocess.run(["import", "-window", str(window), path], env=self.env, check=True, timeout=30,
                       stdin=subprocess.DEVNULL, capture_output=True)
        keep = os.environ.get("BRISALO_E2E_SHOTS")  # a folder to keep the pictures in, for a person to see
        if keep:
            shutil.copy(path, os.path.join(keep, os.path.basename(path)))

    def brightest(self, path, measure="maxima"):
        return pictures.brightness(path, self.env, measure)

    def rotation_mismatch(self, path, quarter_turns=1):
        return pictures.rotation_mismatch(path, self.env, quarter_turns)

    def start(self, *args):
        # timeout(1) passes SIGTERM on to the saver and keeps a broken run from hanging.
        return subprocess.Popen(["timeout", "60", BRISALO, *args], env=self.env, stdin=subprocess.DEVNULL,
                                stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True, start_new_session=True)


def stop(process):
    """Ends a saver that a failed case left running, timeout(1) and all, and returns its output."""
    if process.poll() is None:
        os.killpg(process.pid, signal.SIGKILL)
    if process.stdout.closed:
        return "", ""
    return process.communicate(timeout=10)


def end_group(process):
    """A server's whole process group: SIGTERM, then SIGKILL if it stays 10 s."""
    if process.poll() is None:
        os.killpg(process.pid, signal.SIGTERM)
        try:
            process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            os.killpg(process.pid, signal.SIGKILL)
            process.wait(timeout=10)


def wait_for(what, condition, timeout):
    """condition() until it is true, its value; a Failure after timeout seconds."""
    deadline = time.monotonic() + timeout
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() > deadline:
            raise Failure("%s: not within %.0f s" % (what, timeout))
        time.sleep(0.1)


def processes_running(binary):
    """Pids of the processes running this very file (a copy whose path is unique to the run)."""
    found = []
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            try:
                if os.readlink("/proc/%s/exe" % entry) == binary:
                    found.append(int(entry))
            except OSError:
                pass
    return found


def ended(process, within=8.0):
    try:
        process.wait(timeout=within)
    except subprocess.TimeoutExpired:
        return False
    return True


def expect_exit_zero(process, what, within=8.0):
    check(ended(process, within), "%s: the saver did not end" % what)
    out, err = process.communicate()
    check(process.returncode == 0, "%s: exit code %d, stderr %r" % (what, process.returncode, err))
    return out, err


def expect_end_by_signal(process, what, number, within=8.0):
    """A hosted run, once torn down, dies of the signal that stopped it, as hosts expect;
    through timeout(1) that reads as 128 plus its number."""
    check(ended(process, within), "%s: the saver did not end" % what)
    out, err = process.communicate()
    check(process.returncode in (-number, 128 + number),
          "%s: exit code %d, not death by signal %d; stderr %r" % (what, process.returncode, number, err))
    return out, err


def expect_running(process, what):
    time.sleep(0.6)
    check(process.poll() is None, "%s ended the saver" % what)


def start_full_screen(display):
    display.xdotool("mousemove", "640", "512")
    saver = display.start("/s")
    display.find("SaverWindow", saver)
    time.sleep(1.0)  # grabs and the first frames
    return saver


def case_screensaver_keeps_running(display):
    saver = start_full_screen(display)
    try:
        for keys in (["space"], ["Left", "Up", "Right", "Down"], ["1", "9", "0", "2"], ["m", "m"], ["s"]):
            display.xdotool("key", "--delay", "80", *keys)
            expect_running(saver, "keys %s" % " ".join(keys))
        for x, y in ((690, 512), (590, 512), (640, 462), (640, 562), (680, 552)):
            display.xdotool("mousemove", str(x), str(y))
            expect_running(saver, "a move to %d,%d" % (x, y))
        display.xdotool("click", "4")  # a wheel turn is no button press
        display.xdotool("click", "5")
        expect_running(saver, "the wheel")
        display.xdotool("key", "alt+F4")  # the close command is swallowed full screen
        expect_running(saver, "Alt+F4")
        display.xdotool("key", "Escape")
        expect_exit_zero(saver, "Escape")
    finally:
        stop(saver)


def closes_on(action):
    def run(display):
        saver = start_full_screen(display)
        try:
            display.xdotool(*action)
            expect_exit_zero(saver, " ".join(action))
            check(not display.xdotool("search", "--name", "^SaverWindow$", check_result=False),
                  "the window outlived the saver")
        finally:
            stop(saver)
    return run


def case_screensaver_ends_on_sigterm(display):
    saver = start_full_screen(display)
    saver.terminate()
    expect_exit_zero(saver, "SIGTERM")


def saver_pid(process):
    """The saver itself, not the timeout(1) that runs it."""
    deadline = time.time() + 5
    while time.time() < deadline:
        try:
            with open("/proc/%d/task/%d/children" % (process.pid, process.pid)) as f:
                children = f.read().split()
        except OSError:
            children = []
        if children:
            return int(children[0])
        time.sleep(0.05)
    raise Failure("the saver process never appeared")


def stop_at_its_start(process, timeout=5.0):
    """SIGTERM the moment the process can take it: once its handler shows in /proc (before
    that only the dynamic loader runs, which no program can guard)."""
    deadline = time.monotonic() + timeout
    while process.poll() is None and time.monotonic() < deadline:
        try:
            with open("/proc/%d/status" % process.pid) as f:
                caught = int(next(line for line in f if line.startswith("SigCgt:")).split()[1], 16)
        except (OSError, StopIteration, ValueError):
            caught = 0
        if caught & (1 << (signal.SIGTERM - 1)):
            process.send_signal(signal.SIGTERM)
            return
    raise Failure("the saver never took SIGTERM: exit code %s" % process.poll())


def case_stopped_at_its_start_ends_through_teardown(display):
    """A full-screen run ends with 0, a hosted one dies of the signal, both after teardown."""
    for args, number in [(["/s"], 20), (["--root"], 5)]:
        for run in range(number):
            saver = subprocess.Popen([BRISALO, *args], env=display.env, stdin=subprocess.DEVNULL,
                                     stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
            try:
                stop_at_its_start(saver)
                what = "%s stopped at its start, run %d" % (" ".join(args), run + 1)
                if args == ["/s"]:
                    expect_exit_zero(saver, what)
                else:
                    expect_end_by_signal(saver, what, signal.SIGTERM)
            finally:
                stop(saver)
    check(not display.xdotool("search", "--name", "^SaverWindow$", check_result=False),
          "a window outlived its saver")


def case_screensaver_ends_on_sighup(display):
    saver = start_full_screen(display)
    try:
        os.kill(saver_pid(saver), signal.SIGHUP)  # the terminal it ran in has closed
        expect_exit_zero(saver, "SIGHUP", within=3.0)
        check(not display.xdotool("search", "--name", "^SaverWindow$", check_result=False),
              "the window outlived the saver")
    finally:
        stop(saver)


def case_no_display_says_so(display):
    env = dict(display.env, DISPLAY=":%d" % display.unused_number())
    for mode in ("/s", "/p"):
        saver = subprocess.Popen([BRISALO, mode, "12345"], env=env, stdin=subprocess.DEVNULL,
                                 stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        out, err = expect_exit_zero(saver, mode + " without a display")
        check(err == 'brisalo: cannot open the X display "%s"\n' % env["DISPLAY"],
              "%s: not one line naming the display: %r" % (mode, err))
        # A reader of standard error that has gone away does not kill it either.
        reader, writer = os.pipe()
        os.close(reader)
        saver = subprocess.Popen([BRISALO, mode], env=env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                 stderr=writer)
        os.close(writer)
        check(ended(saver), "%s: the saver did not end" % mode)
        check(saver.returncode == 0, "%s with a closed standard error: exit code %d" % (mode, saver.returncode))
    # Named but silent, a Wayland display is said to be so in the same line.
    runtime = tempfile.mkdtemp(prefix="brisalo-e2e-runtime-")
    try:
        env = {name: value for name, value in display.env.items() if name != "DISPLAY"}
        env.update(WAYLAND_DISPLAY="wayland-gone", XDG_RUNTIME_DIR=runtime)
        saver = subprocess.Popen([BRISALO, "/s"], env=env, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                                 stderr=subprocess.PIPE, text=True)
        out, err = expect_exit_zero(saver, "/s with a silent Wayland display and no X display")
        check(err == 'brisalo: cannot open the X display: DISPLAY is not set, and the Wayland display '
              '"wayland-gone" did not answer\n', "not one line naming both: %r" % err)
    finally:
        shutil.rmtree(runtime, ignore_errors=True)


def case_missing_opengl_in_a_preview_waits_for_its_host(display):
    host = subprocess.Popen([HOST_WINDOW, "320", "240"], env=display.env, stdin=subprocess.PIPE,
                            stdout=subprocess.PIPE, text=True)
    try:
        host_id = int(host.stdout.readline())
        saver = display.start("/p", str(host_id))
        display.find("SaverWindow", saver)
        expect_running(saver, "a preview without OpenGL")
        check(not display.xdotool("search", "--name", "^Error$", check_result=False), "a message box is up")
        host.stdin.write("destroy\n")
        host.stdin.flush()
        out, err = expect_exit_zero(saver, "destroying the host of a preview without OpenGL")
        check(err == "brisalo: %s\n" % NO_GLX_VISUAL,
              "not the one line on standard error: %r" % err)
    finally:
        host.stdin.close()
        host.wait(timeout=10)


def wait_symmetric(display, window, name, process, timeout=25.0):
    """Screenshots of the window until its picture is a bright kaleidoscope of eight
    mirrored sectors about the window's centre (the first seconds ease from ten sectors)."""
    shot = os.path.join(display.config, name)
    deadline = time.time() + timeout
    while True:
        check(process.poll() is None, "the saver ended while drawing %s" % name)
        display.screenshot(window, shot)
        mismatch = display.rotation_mismatch(shot)
        if mismatch < 0.01 and display.brightest(shot) > 0.2:
            return
        if time.time() > deadline:
            raise Failure("%s is not a kaleidoscope about the window's centre (mismatch %.4f)" % (name, mismatch))
        time.sleep(0.5)


def window_size(display, window):
    info = subprocess.run(["xwininfo", "-id", str(window)], env=display.env, stdin=subprocess.DEVNULL,
                          capture_output=True, text=True, check=True, timeout=20).stdout
    fields = dict(line.strip().split(":", 1) for line in info.splitlines() if ":" in line)
    return int(fields["Width"]), int(fields["Height"])


def ends_on_sigterm_at_once(process):
    pid = saver_pid(process)
    started = time.time()
    os.kill(pid, signal.SIGTERM)
    out, err = expect_end_by_signal(process, "SIGTERM", signal.SIGTERM, within=1.0)
    check(time.time() - started < 1.0, "SIGTERM took %.2f s" % (time.time() - started))
    check(not os.path.exists("/proc/%d" % pid), "the saver process is left")
    return out, err


def case_host_root_draws_a_kaleidoscope(display):
    env = dict(display.env)
    env.pop("XSCREENSAVER_WINDOW", None)
    saver = subprocess.Popen(["timeout", "60", BRISALO, "--root"], env=env, stdin=subprocess.DEVNULL,
                             stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True, start_new_session=True)
    try:
        child = display.find("SaverWindow", saver)[0]
        check(window_size(display, child) == (1280, 1024), "not the root window's size")
        wait_symmetric(display, "root", "root.png", saver)
        out, err = ends_on_sigterm_at_once(saver)
        check(out == "" and err == "", "it said something: %r %r" % (out, err))
    finally:
        stop(saver)


def follows_its_host(args):
    """A hosted run or a preview fills its host's window at every size and ends with it."""
    def run(display):
        host = subprocess.Popen([HOST_WINDOW, "400", "300"], env=display.env, stdin=subprocess.PIPE,
                                stdout=subprocess.PIPE, text=True)
        try:
            host_id = int(host.stdout.readline())
            env = dict(display.env, XSCREENSAVER_WINDOW="0x1")  # --window-id comes first
            saver = subprocess.Popen(["timeout", "60", BRISALO, *[a % host_id if "%" in a else a for a in args]], env=env,
                                     stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                                     text=True, start_new_session=True)
            try:
                child = display.find("SaverWindow", saver)[0]
                tree = subprocess.run(["xwininfo", "-children", "-id", str(host_id)], env=display.env,
                                      stdin=subprocess.DEVNULL, capture_output=True, text=True, check=True,
                                      timeout=20).stdout
                check(hex(child) in tree, "not drawn in a child of the host:\n" + tree)
                check(window_size(display, child) == (400, 300), "not the host's size")
                wait_symmetric(display, host_id, "host-400.png", saver)
                for width, height in ((640, 480), (300, 360)):
                    host.stdin.write("resize %d %d\n" % (width, height))
                    host.stdin.flush()
                    check(host.stdout.readline().strip() == "resized", "the host did not resize")
                    deadline = time.time() + 5
                    while window_size(display, child) != (width, height):
                        check(time.time() < deadline, "the picture's window kept %s after the host became %dx%d" %
                              (window_size(display, child), width, height))
                        time.sleep(0.05)
                    wait_symmetric(display, host_id, "host-%d.png" % width, saver)
                host.stdin.write("destroy\n")
                host.stdin.flush()
                out, err = expect_exit_zero(saver, "destroying the host", within=3.0)
                check(err == "", "it said something: %r" % err)
            finally:
                stop(saver)
        finally:
            host.stdin.close()
            host.wait(timeout=10)
    return run


def case_host_window_id_ends_on_sigterm(display):
    host = subprocess.Popen([HOST_WINDOW, "320", "240"], env=display.env, stdin=subprocess.PIPE,
                            stdout=subprocess.PIPE, text=True)
    try:
        host_id = int(host.stdout.readline())
        saver = display.start("-window-id", str(host_id), "--passes", "3", "--no-mirrors")
        try:
            display.find("SaverWindow", saver)
            time.sleep(1.0)
            ends_on_sigterm_at_once(saver)
        finally:
            stop(saver)
        # A window that is not there: one line, exit 0.
        saver = display.start("--window-id", "0x1")
        out, err = expect_exit_zero(saver, "a missing window")
        check(err.count("\n") == 1 and err.startswith("brisalo: "), "not one line: %r" % err)
    finally:
        host.stdin.close()
        host.wait(timeout=10)


def case_host_window_id_names_what_cannot_be_drawn_in(display):
    """A target that is there but cannot hold a window of ours is named for what it is."""
    for kind, reason in (("input-only", "it is not a window that can be drawn in (BadMatch)"),
                         ("pixmap", "it is a pixmap, not a window")):
        host = subprocess.Popen([HOST_WINDOW, "320", "240", kind], env=display.env, stdin=subprocess.PIPE,
                                stdout=subprocess.PIPE, text=True)
        try:
            target = int(host.stdout.readline())
            saver = display.start("--window-id", str(target))
            out, err = expect_exit_zero(saver, "a %s target" % kind)
            check(err == "brisalo: cannot draw in window 0x%x: %s\n" % (target, reason), "%s: %r" % (kind, err))
        finally:
            host.stdin.close()
            host.wait(timeout=10)


def case_help_and_version(display):
    for args, first in ((["--help"], "Usage: brisalo"), (["-version"], "brisalo 1.0"), (["--root", "--help"], "Usage:")):
        saver = display.start(*args)
        out, err = expect_exit_zero(saver, " ".join(args), within=5.0)
        check(out.startswith(first) and err == "", "%s: %r %r" % (" ".join(args), out, err))
    check(not display.xdotool("search", "--name", "^SaverWindow$", check_result=False), "it drew")
    # A text that could not be written is the one failure with an exit code of its own.
    for args in (["--help"], ["--version"]):
        for how, stdout in (("to /dev/full", open("/dev/full", "w")), ("with stdout closed", None)):
            close = (1,) if stdout is None else ()
            result = subprocess.run(["timeout", "20", BRISALO, *args], env=display.env, stdin=subprocess.DEVNULL,
                                    stdout=stdout if stdout is not None else subprocess.DEVNULL,
                                    stderr=subprocess.PIPE, text=True,
                                    preexec_fn=(lambda: os.close(1)) if close else None)
            if stdout is not None:
                stdout.close()
            what = "%s %s" % (args[0], how)
            check(result.returncode == 1, "%s: exit code %d" % (what, result.returncode))
            check(result.stderr.startswith("brisalo: cannot write to standard output: ") and
                  result.stderr.count("\n") == 1, "%s: %r" % (what, result.stderr))


def case_unknown_words_say_so(display):
    for args in (["/x"], ["--bogus"], ["--rot"], ["-h"], ["-v"], ["-passes", "3"], ["--passes", "3"]):
        what = " ".join(args)
        saver = display.start(*args)
        out, err = expect_exit_zero(saver, what, within=5.0)
        check(out == "" and err.count("\n") == 1 and err.startswith("brisalo: ") and "--help" in err,
              "%s: %r %r" % (what, out, err))
    # The lock is a Wayland session's: here one line says whose job locking is.
    out, err = expect_exit_zero(display.start("--lock", "-f"), "--lock -f", within=5.0)
    check(out == "" and err.count("\n") == 1 and "session locker's job" in err, "--lock -f: %r %r" % (out, err))
    check(not display.xdotool("search", "--name", "^SaverWindow$", check_result=False), "it drew")
    check(settings_text(display) is None, "it wrote the settings")


def case_screensaver_ends_when_focus_moves_away(display):
    other = subprocess.Popen([HOST_WINDOW, "100", "100"], env=display.env, stdin=subprocess.PIPE,
                             stdout=subprocess.PIPE, text=True)
    try:
        other_id = int(other.stdout.readline())
        saver = start_full_screen(display)
        display.wait_viewable(other_id)
        display.xdotool("windowfocus", str(other_id))
        expect_exit_zero(saver, "focus moving to another window")
    finally:
        other.stdin.close()
        other.wait(timeout=10)


def case_missing_opengl_shows_its_message(display):
    saver = display.start("/s")
    box = display.find("Error", saver)[0]
    display.screenshot("root", os.path.join(display.config, "error.png"))
    check(saver.poll() is None, "the saver ended before its message was read")
    display.focus(box)
    display.xdotool("key", "Return")
    out, err = expect_exit_zero(saver, "OK on the message")
    check(NO_GLX_VISUAL in err,
          "the message is not on standard error: %r" % err)


def case_screensaver_picture(display):
    saver = start_full_screen(display)
    try:
        time.sleep(1.5)
        shot = os.path.join(display.config, "full.png")
        display.screenshot("root", shot)
        check(display.brightest(shot) > 0.2, "the full-screen picture is black")
        display.xdotool("key", "Return")
        expect_exit_zero(saver, "Return")
    finally:
        stop(saver)


def case_preview_draws_in_its_host_until_it_goes(display):
    host = subprocess.Popen([HOST_WINDOW, "320", "240"], env=display.env, stdin=subprocess.PIPE,
                            stdout=subprocess.PIPE, text=True)
    try:
        host_id = int(host.stdout.readline())
        saver = display.start("/p", str(host_id))
        child = display.find("SaverWindow", saver)[0]
        info = subprocess.run(["xwininfo", "-id", str(child)], env=display.env, stdin=subprocess.DEVNULL,
                              capture_output=True, text=True, check=True, timeout=20).stdout
        check("Width: 320" in info and "Height: 240" in info, "the preview is not the host's size:\n" + info)
        check("Relative upper-left X:  0" in info and "Relative upper-left Y:  0" in info,
              "the preview is not at the host's corner:\n" + info)
        tree = subprocess.run(["xwininfo", "-children", "-id", str(host_id)], env=display.env,
                              stdin=subprocess.DEVNULL, capture_output=True, text=True, check=True, timeout=20).stdout
        check(hex(child) in tree, "the preview is not a child of its host:\n" + tree)
        time.sleep(2.0)
        shot = os.path.join(display.config, "preview.png")
        display.screenshot(host_id, shot)
        check(display.brightest(shot) > 0.2, "the preview is black")
        display.xdotool("mousemove", "100", "100")
        display.xdotool("click", "1")  # no close rule in a preview
        expect_running(saver, "a click in the preview")
        host.stdin.write("destroy\n")
        host.stdin.flush()
        expect_exit_zero(saver, "destroying the host")
    finally:
        host.stdin.close()
        host.wait(timeout=10)


def case_preview_of_no_window_ends_quietly(display):
    saver = display.start("/p", "123456789")
    out, err = expect_exit_zero(saver, "/p of no window")
    check(out == "" and err == "", "it said something: %r %r" % (out, err))


def settings_text(display):
    path = os.path.join(display.config, "brisalo", "settings.reg")
    if not os.path.exists(path):
        return None
    with open(path) as f:
        return f.read()


def configure(keys, expected_value):
    def run(display):
        dialog = display.start("/c")
        window = display.find("Config dialog", dialog)[0]
        time.sleep(0.5)
        display.screenshot("root", os.path.join(display.config, "dialog.png"))
        display.focus(window)
        for key in keys:
            display.xdotool("key", key)
            time.sleep(0.15)
        expect_exit_zero(dialog, "the dialog")
        text = settings_text(display)
        if expected_value is None:
            check(text is None, "Cancel stored something:\n%s" % text)
        else:
            check(text is not None and '"UseMirrors"=dword:%08x' % expected_value in text,
                  "OK did not store UseMirrors=%d:\n%s" % (expected_value, text))
    return run


def case_configure_reports_a_failed_save(display):
    path = os.path.join(display.config, "brisalo", "settings.reg")
    os.makedirs(path)  # a folder where the file should be: no write can succeed, not even as root
    dialog = display.start("/c")
    window = display.find("Config dialog", dialog)[0]
    display.focus(window)
    display.xdotool("key", "Return")
    box = display.find("Error", dialog)[0]
    check(dialog.poll() is None, "the dialog ended before the failure was read")
    display.focus(box)
    display.xdotool("key", "Return")
    out, err = expect_exit_zero(dialog, "OK on the message")
    check("brisalo: The settings could not be saved to %s: Is a directory\n" % path in err,
          "the reason is not on standard error: %r" % err)
    check(os.path.isdir(path), "the folder was replaced")


def case_configure_starts_with_a_fifo_as_settings(display):
    folder = os.path.join(display.config, "brisalo")
    os.makedirs(folder)
    os.mkfifo(os.path.join(folder, "settings.reg"))
    dialog = display.start("/c")
    window = display.find("Config dialog", dialog, timeout=10.0)[0]
    display.focus(window)
    display.xdotool("key", "Escape")
    out, err = expect_exit_zero(dialog, "Escape")
    check(err.count("\n") == 1 and err.startswith("brisalo: ") and "not a regular file" in err,
          "not one line about the settings file: %r" % err)


def case_configure_is_owned_by_its_window(display):
    owner = subprocess.Popen([HOST_WINDOW, "200", "150"], env=display.env, stdin=subprocess.PIPE,
                             stdout=subprocess.PIPE, text=True)
    try:
        owner_id = int(owner.stdout.readline())
        # Named on the command line, or, for a bare /c, the window that has the focus.
        display.focus(owner_id)
        for args in (["/c:%d" % owner_id], ["/c"]):
            dialog = display.start(*args)
            window = display.find("Config dialog", dialog)[0]
            prop = subprocess.run(["xprop", "-id", str(window), "WM_TRANSIENT_FOR"], env=display.env,
                                  stdin=subprocess.DEVNULL, capture_output=True, text=True, timeout=20).stdout
            check(hex(owner_id) in prop, "%s: the dialog is not owned by its window: %s" % (args[0], prop))
            display.focus(window)
            display.xdotool("key", "Escape")
            expect_exit_zero(dialog, "Escape")
            display.focus(owner_id)
    finally:
        owner.stdin.close()
        owner.wait(timeout=10)


TWO_MONITORS = {"screen": "2560x720", "monitors": (("left", "1280x720+0+0"), ("right", "1280x720+1280+0"))}
PORTRAIT_BESIDE_LANDSCAPE = {"screen": "2000x1280",
                             "monitors": (("portrait", "720x1280+0+0"), ("landscape", "1280x720+720+0"))}


def wait_monitors_symmetric(display, saver, monitors, timeout=25.0):
    """Screenshots until every monitor shows a bright kaleidoscope about its own centre."""
    deadline = time.time() + timeout
    while True:
        check(saver.poll() is None, "the saver ended while drawing")
        shot = os.path.join(display.config, "monitors.png")
        display.screenshot("root", shot)
        parts = {name: display.crop(shot, geometry, name + ".png") for name, geometry in monitors}
        found = {name: pictures.kaleidoscope_about_centre(part, display.env) for name, part in parts.items()}
        if all(good for good, _ in found.values()):
            return parts
        if time.time() > deadline:
            raise Failure("not a kaleidoscope about each monitor's centre (mismatch, filled): %r" % found)
        time.sleep(0.5)


def case_screensaver_covers_two_monitors(display):
    display.xdotool("mousemove", "1260", "360")
    saver = display.start("/s")
    try:
        display.find("SaverWindow", saver)
        wait_monitors_symmetric(display, saver, TWO_MONITORS["monitors"])
        # Across the seam a move counts as the distance it is.
        display.xdotool("mousemove", "1300", "360")
        expect_running(saver, "40 pixels onto the next monitor")
        display.xdotool("mousemove", "1311", "360")
        expect_exit_zero(saver, "51 pixels onto the next monitor")
    finally:
        stop(saver)


def shows_monitors_soon(display, saver, monitors, changed, within=1.0):
    """Seconds from `changed` to the first screenshot that shows a kaleidoscope about each
    monitor's centre; a failure when none taken within `within` does. The screenshots are
    all taken first and judged afterwards, so that judging takes none of that time."""
    shots = []
    while time.time() - changed <= within:
        shot = os.path.join(display.config, "soon%d.png" % len(shots))
        taken = time.time() - changed
        display.screenshot("root", shot)
        shots.append((taken, shot))
    check(saver.poll() is None, "the saver ended while drawing")
    for taken, shot in shots:
        parts = {name: display.crop(shot, geometry, name + ".png") for name, geometry in monitors}
        if all(pictures.kaleidoscope_about_centre(part, display.env)[0] for part in parts.values()):
            return taken
    raise Failure("the picture did not follow the new monitors within %.1f s (%d screenshots)" %
                  (within, len(shots)))


def case_screensaver_follows_two_monitors_becoming_one(display):
    saver = display.start("/s")
    try:
        display.find("SaverWindow", saver)
        wait_monitors_symmetric(display, saver, TWO_MONITORS["monitors"])
        # Without monitors of its own the screen is one monitor again, of its one output.
        for name, _ in TWO_MONITORS["monitors"]:
            subprocess.run(["xrandr", "--delmonitor", name], env=display.env, stdin=subprocess.DEVNULL,
                           capture_output=True, check=True, timeout=20)
        one = shows_monitors_soon(display, saver, [("whole", "2560x720+0+0")], time.time())
        display._split()
        two = shows_monitors_soon(display, saver, TWO_MONITORS["monitors"], time.time())
        print("followed in %.2f s and %.2f s" % (one, two))
        saver.terminate()
        expect_exit_zero(saver, "SIGTERM")
    finally:
        stop(saver)


def case_screensaver_portrait_monitor_shows_everything(display):
    saver = display.start("/s")
    try:
        display.find("SaverWindow", saver)
        parts = wait_monitors_symmetric(display, saver, PORTRAIT_BESIDE_LANDSCAPE["monitors"])
        portrait = parts["portrait"]
        sides = [display.brightest(display.crop(portrait, g, "side%d.png" % i))
                 for i, g in enumerate(("4x1280+0+0", "4x1280+716+0"))]
        check(max(sides) < 0.05, "the circle is cut by the portrait monitor's sides: %r" % sides)
        lettering = display.brightest(display.crop(portrait, "360x70+360+1210", "lettering.png"))
        check(lettering > 0.05, "no lettering in the portrait monitor's lower right corner (%.3f)" % lettering)
        saver.terminate()
        expect_exit_zero(saver, "SIGTERM")
    finally:
        stop(saver)


def quick_exit(*args):
    def run(display):
        started = time.time()
        saver = display.start(*args)
        out, err = expect_exit_zero(saver, " ".join(args), within=5.0)
        check(time.time() - started < 3.0, "it took %.1f s" % (time.time() - started))
        check(out == "" and err == "", "it said something: %r %r" % (out, err))
        check(settings_text(display) is None, "it wrote the settings")
    return run


def case_a_key_ends_it_within_the_pause(display):
    """A saver that pauses 1000 ms after every frame still ends within 100 ms of a key: the
    pause waits on the display's connection. Three keys a third of a pause apart in its
    course; the median under 100 ms, each under half a pause."""
    latencies = []
    for phase in (0.0, 0.33, 0.67):
        display.xdotool("mousemove", "640", "512")
        saver = subprocess.Popen(["timeout", "60", os.environ["BRISALO_LONG_PAUSE_SAVER"], "/s"], env=display.env,
                                 stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True,
                                 start_new_session=True)
        try:
            display.find("SaverWindow", saver)
            time.sleep(1.0 + phase)  # grabs and the first frames, then a point in the pause
            display.xdotool("key", "Escape")
            sent = time.monotonic()
            expect_exit_zero(saver, "Escape")
            latencies.append(time.monotonic() - sent)
        finally:
            stop(saver)
    latencies.sort()
    check(latencies[1] < 0.1 and latencies[2] < 0.5, "Escape took %s s" % ", ".join("%.3f" % t for t in latencies))


CASES = {
    "screensaver_keeps_running": case_screensaver_keeps_running,
    "screensaver_ends_on_escape": closes_on(["key", "Escape"]),
    "screensaver_ends_on_enter": closes_on(["key", "Return"]),
    "screensaver_ends_on_letter": closes_on(["key", "q"]),
    "screensaver_ends_on_left_click": closes_on(["click", "1"]),
    "screensaver_ends_on_right_click": closes_on(["click", "3"]),
    "screensaver_ends_on_middle_click": closes_on(["click", "2"]),
    "screensaver_ends_on_51_pixels_across": closes_on(["mousemove", "691", "512"]),
    "screensaver_ends_on_51_pixels_down": closes_on(["mousemove", "640", "563"]),
    "screensaver_ends_on_sigterm": case_screensaver_ends_on_sigterm,
    "screensaver_ends_when_focus_moves_away": case_screensaver_ends_when_focus_moves_away,
    "missing_opengl_shows_its_message": case_missing_opengl_shows_its_message,
    "missing_opengl_in_a_preview_waits_for_its_host": case_missing_opengl_in_a_preview_waits_for_its_host,
    "screensaver_ends_on_sighup": case_screensaver_ends_on_sighup,
    "stopped_at_its_start_ends_through_teardown": case_stopped_at_its_start_ends_through_teardown,
    "no_display_says_so": case_no_display_says_so,
    "help_and_version": case_help_and_version,
    "host_root_draws_a_kaleidoscope": case_host_root_draws_a_kaleidoscope,
    "host_window_id_follows_its_window": follows_its_host(["--window-id", "0x%x"]),
    "host_window_id_ends_on_sigterm": case_host_window_id_ends_on_sigterm,
    "host_window_id_names_what_cannot_be_drawn_in": case_host_window_id_names_what_cannot_be_drawn_in,
    "preview_follows_its_host": follows_its_host(["/p", "%d"]),
    "screensaver_picture": case_screensaver_picture,
    "preview_draws_in_its_host_until_it_goes": case_preview_draws_in_its_host_until_it_goes,
    "preview_of_no_window_ends_quietly": case_preview_of_no_window_ends_quietly,
    "configure_ok_stores_mirrors_on": configure(["Return"], 1),
    "configure_unchecked_box_stores_mirrors_off": configure(["Tab", "Tab", "space", "shift+Tab", "shift+Tab",
                                                             "Return"], 0),
    "configure_escape_stores_nothing": configure(["Escape"], None),
    "configure_cancel_button_stores_nothing": configure(["Tab", "space"], None),
    "configure_is_owned_by_its_window": case_configure_is_owned_by_its_window,
    "configure_reports_a_failed_save": case_configure_reports_a_failed_save,
    "configure_starts_with_a_fifo_as_settings": case_configure_starts_with_a_fifo_as_settings,
    "screensaver_covers_two_monitors": case_screensaver_covers_two_monitors,
    "screensaver_portrait_monitor_shows_everything": case_screensaver_portrait_monitor_shows_everything,
    "screensaver_follows_two_monitors_becoming_one": case_screensaver_follows_two_monitors_becoming_one,
    "unknown_words_say_so": case_unknown_words_say_so,
    "change_password_ends_at_once": quick_exit("/a"),
    "a_key_ends_it_within_the_pause": case_a_key_ends_it_within_the_pause,
}

if __name__ == "__main__":
    if len(sys.argv) != 4 or sys.argv[3] not in CASES:
        print(__doc__ + "\nCases: " + " ".join(CASES))
        sys.exit(2)
    BRISALO, HOST_WINDOW, name = sys.argv[1:]
    for tool in ("Xvfb", "xdotool", "xwininfo", "xrandr", "import", "convert", "identify", "compare", "timeout"):
        if shutil.which(tool) is None:
            print("skipped: %s is not installed" % tool)
            sys.exit(SKIP)
    try:
        layout = TWO_MONITORS if "two_monitors" in name else PORTRAIT_BESIDE_LANDSCAPE if "portrait" in name else {}
        with Display(opengl=not name.startswith("missing_opengl"), **layout) as display:
            CASES[name](display)
    except Failure as failure:
        print("FAILED: %s" % failure)
        sys.exit(1)
    print("passed")
