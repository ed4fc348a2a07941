#!/usr/bin/env python3
"""Runs the Windows saver and its test programs under Wine on the X display in DISPLAY.

Usage: wine_e2e.py WINDOWS_BUILD LINUX_BUILD [CASE...]
WINDOWS_BUILD holds Brisalo.scr and the test programs; LINUX_BUILD holds brisalo-frames.
WINEPREFIX must name a prefix made for this run. Prints one line per case; exit 0 when
every case passes.
"""
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import pictures  # noqa: E402  (shared with the Linux suite)

BUILD, LINUX_BUILD = sys.argv[1], sys.argv[2]
LINUX_FRAMES = os.path.join(LINUX_BUILD, "brisalo-frames")
SCR = os.path.join(BUILD, "Brisalo.scr")
MSI = os.path.join(BUILD, "Brisalo.msi")
UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall"
OWN_KEY = r"HKCU\Software\Vormix\Talvane"


class Failure(Exception):
    pass


class Skipped(Exception):
    """The case cannot be judged under this Wine; the reason is printed."""


def check(condition, message):
    if not condition:
        raise Failure(message)


def run(*args, timeout=60):
    return subprocess.run(list(args), stdin=subprocess.DEVNULL, capture_output=True, text=True, timeout=timeout)


def xdotool(*args, check_result=True):
    result = run("xdotool", *args, timeout=20)
    if check_result and result.returncode != 0:
        raise Failure("xdotool %s: %s" % (" ".join(args), result.stderr.strip()))
    return result.stdout.strip()


def viewable(window):
    info = run("xwininfo", "-id", str(window), timeout=20)
    return info.returncode == 0 and "Map State: IsViewable" in info.stdout


def geometry(window):
    info = run("xwininfo", "-id", str(window), timeout=20).stdout
    values = {}
    for line in info.splitlines():
        key, _, value = line.strip().partition(":")
        values[key] = value.strip()
    return (int(values["Absolute upper-left X"]), int(values["Absolute upper-left Y"]), int(values["Width"]),
            int(values["Height"]))


def start(*args):
    # timeout(1) keeps a broken run from hanging the suite.
    return subprocess.Popen(["timeout", "90", "wine", *args], stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                            stderr=subprocess.PIPE, text=True, start_new_session=True)


def stop(process):
    """Ends a run that a failed case left going, wine's own processes and all."""
    if process.poll() is None:
        try:
            os.killpg(process.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
    try:
        return process.communicate(timeout=30)
    except subprocess.TimeoutExpired:
        return "", ""


def find(name, process, timeout=40.0):
    """The first viewable window with this exact name (waiting for it to be mapped, since
    focusing an unmapped window fails with BadMatch)."""
    deadline = time.time() + timeout
    while time.time() < deadline:
        found = xdotool("search", "--name", "^%s$" % name, check_result=False)
        shown = [int(w) for w in found.split() if viewable(int(w))]
        if shown:
            return shown[0]
        if process.poll() is not None:
            out, err = process.communicate()
            raise Failure("ended (%d) before a window named %r appeared: %r %r" % (process.returncode, name, out, err))
        time.sleep(0.2)
    stop(process)
    raise Failure("no window named %r appeared" % name)


def ended(process, timeout=20.0):
    try:
        process.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        stop(process)
        raise Failure("still running %d s after the input that should end it" % timeout)
    check(process.returncode == 0, "exit code %d" % process.returncode)


def running_after(process, seconds):
    time.sleep(seconds)
    check(process.poll() is None, "ended (%s) when it should keep running" % process.returncode)


def mirrors_stored():
    result = run("wine", "reg", "query", OWN_KEY, "/v", "UseMirrors")
    if result.returncode != 0:
        return None
    for line in result.stdout.splitlines():
        parts = line.split()
        if len(parts) == 3 and parts[0] == "UseMirrors":
            check(parts[1] == "REG_DWORD", "UseMirrors is stored as %s" % parts[1])
            return int(parts[2], 16)
    return None


def forget_mirrors():
    run("wine", "reg", "delete", OWN_KEY, "/f")


def mirrors_as_installed():
    """For the cases that judge the kaleidoscope: a setting left by an earlier case would turn
    the mirrors off and fail them for the wrong reason."""
    stored = mirrors_stored()
    check(stored is None, "an earlier case left UseMirrors=%r" % stored)


def saver(path=SCR):
    """A full-screen saver, its window found, focused and with the pointer resting on it,
    wherever it stands. The pointer is moved only over a saver: since Wine 10 a Windows
    program is told where the pointer stands as Wine's windows last saw it, and a move made
    over no Wine window would reach the next saver as a move of its own."""
    process = start(path, "/s")
    window = find("SaverWindow", process)
    xdotool("windowfocus", "--sync", str(window))
    time.sleep(2.0)  # a few frames, and the mouse origin taken
    check(process.poll() is None, "ended on its own (%s)" % process.returncode)
    return process, window


def case_screensaver_covers_the_screen_and_draws():
    mirrors_as_installed()
    process, window = saver()
    try:
        check(geometry(window) == (0, 0, 1280, 1024), "window geometry %r" % (geometry(window),))
        with tempfile.TemporaryDirectory() as folder:
            shots = [os.path.join(folder, "saver-%d.png" % i) for i in (1, 2)]
            for shot in shots:
                subprocess.run(["import", "-window", str(window), shot], check=True, timeout=60,
                               stdin=subprocess.DEVNULL, capture_output=True)
                time.sleep(1.0)
            keep = os.environ.get("BRISALO_E2E_SHOTS")  # a folder to keep the picture in, for a person to see
            if keep:
                shutil.copy(shots[0], os.path.join(keep, "wine-saver.png"))
            # Buttons still fading in light fewer pixels; the share lit is not a fixed number.
            lit = float(run("convert", shots[0], "-colorspace", "gray", "-threshold", "10%", "-format",
                            "%[fx:mean]", "info:").stdout)
            brightest = float(run("convert", shots[0], "-colorspace", "gray", "-format", "%[fx:maxima]",
                                  "info:").stdout)
            changed = run("compare", "-metric", "AE", shots[0], shots[1], "null:").stderr.split()
        print("    %.1f%% of the screen lit, brightest %.2f, %s pixels changed in a second" %
              (lit * 100, brightest, changed[0] if changed else "?"))
        check(brightest > 0.3 and 0.01 < lit < 0.9, "no kaleidoscope: %.3f lit, brightest %.3f" % (lit, brightest))
        check(changed and float(changed[0]) > 1000, "the picture does not move")
    finally:
        stop(process)


def case_screensaver_keeps_running_on_kept_keys():
    process, window = saver()
    try:
        xdotool("key", "--window", str(window), "space", "Up", "Left", "3", "m", "s")
        running_after(process, 1.5)
        xdotool("windowfocus", "--sync", str(window), "key", "Escape")
        ended(process)
    finally:
        stop(process)


def case_screensaver_ends_on_escape():
    process, window = saver()
    xdotool("windowfocus", "--sync", str(window), "key", "Escape")
    ended(process)


def case_screensaver_ends_on_click():
    process, window = saver()
    xdotool("click", "1")
    ended(process)


def case_screensaver_ends_on_51_pixels():
    process, window = saver()
    xdotool("mousemove_relative", "--", "50", "0")  # still within the threshold
    running_after(process, 1.0)
    xdotool("mousemove_relative", "--", "1", "0")
    ended(process)


def case_screensaver_ends_when_another_program_takes_the_foreground():
    # A Windows program opening its window, as on Windows. (Since Wine 10 an X window
    # outside Wine that takes the focus, with no window manager, no longer deactivates
    # Wine's windows, so a Linux window would test Wine rather than the saver.)
    process, window = saver()
    other = start("notepad")
    try:
        find(".*Notepad", other)
        ended(process)
    finally:
        stop(process)
        stop(other)


def end_wineserver():
    """Waits for the wineserver to end by itself, which is when it writes the registry out: a
    server killed forgets what was stored since its last write (a deleted UseMirrors=0
    came back after a kill). Killed only when something keeps it past 30 s."""
    try:
        subprocess.run(["wineserver", "-w"], stdin=subprocess.DEVNULL, capture_output=True, timeout=30)
    except subprocess.TimeoutExpired:
        subprocess.run(["wineserver", "-k"], stdin=subprocess.DEVNULL, capture_output=True, timeout=30)


class OwnDisplay:
    """An Xvfb of this case's own, which the server numbers itself (so no other server on this
    machine can be mistaken for it), with Wine's windows moved there."""

    def __init__(self, *options):
        self.options = options

    def __enter__(self):
        read_end, write_end = os.pipe()
        self.server = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-nolisten", "tcp", "-noreset",
                                        *self.options], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                       stderr=subprocess.DEVNULL, pass_fds=(write_end,))
        os.close(write_end)
        with os.fdopen(read_end) as announced:
            number = int(announced.readline().strip() or "-1")
        check(number >= 0, "no display of our own could be started")
        end_wineserver()  # one still holding the other display would take this run's windows there
        self.previous = os.environ["DISPLAY"]
        os.environ["DISPLAY"] = ":%d" % number
        deadline = time.time() + 10
        while xdotool("getmouselocation", check_result=False) == "":
            check(time.time() < deadline and self.server.poll() is None, "no display :%d" % number)
            time.sleep(0.1)
        return self

    def __exit__(self, *exc):
        end_wineserver()
        os.environ["DISPLAY"] = self.previous
        self.server.terminate()
        self.server.wait(timeout=10)


def case_missing_opengl_shows_its_message():
    """On a display without GLX no pixel format matches: the message box, then exit code 0."""
    with OwnDisplay("-screen", "0", "1280x1024x24", "-extension", "GLX"):
        process = start(SCR, "/s")
        try:
            box = find("Error", process)
            check(xdotool("search", "--name", "^SaverWindow$", check_result=False) != "",
                  "the message came before the window was made")
            xdotool("windowfocus", "--sync", str(box), "key", "Return")
            ended(process)
        finally:
            stop(process)


WINE_X11_KEY = r"HKCU\Software\Wine\X11 Driver"


def case_screensaver_covers_two_monitors():
    """Two monitors side by side: one window over both, a kaleidoscope about each one's centre."""
    mirrors_as_installed()
    with OwnDisplay("-screen", "0", "2560x720x24"):
        for name, layout, output in (("left", "1280/338x720/190+0+0", "screen"),
                                     ("right", "1280/338x720/190+1280+0", "none")):
            check(run("xrandr", "--setmonitor", name, layout, output).returncode == 0, "xrandr --setmonitor")
        # Without RandR Wine counts the monitors that Xinerama reports. Its desktop reads the
        # setting when it starts and stores the monitors it finds in the registry, where a
        # program started beside it may still read the last run's. So the run that writes the
        # setting stores RandR's one monitor, and a run between it and the saver's stores two.
        run("wine", "reg", "add", WINE_X11_KEY, "/v", "UseXRandR", "/d", "N", "/f")
        end_wineserver()
        stored = run("wine", "reg", "query", WINE_X11_KEY, "/v", "UseXRandR").stdout.split()
        check(stored[-1:] == ["N"], "UseXRandR reads back as %r" % stored)
        end_wineserver()
        process = None
        try:
            told = program("brisalo_screen_report.exe").split()
            if told[:2] != ["monitors", "2"] or told[-2:] != ["2560", "720"]:
                # Wine 10 without RandR gives the second monitor no mode, and leaves it out
                # of the virtual screen, which is what a full-screen saver covers.
                raise Skipped("Wine's virtual screen does not span the two monitors here: %s" % " ".join(told))
            xdotool("mousemove", "640", "360")
            process = start(SCR, "/s")
            window = find("SaverWindow", process)
            check(geometry(window) == (0, 0, 2560, 720), "window geometry %r" % (geometry(window),))
            with tempfile.TemporaryDirectory() as folder:
                shot = os.path.join(folder, "monitors.png")
                deadline = time.time() + 40
                while True:
                    check(process.poll() is None, "ended on its own (%s)" % process.returncode)
                    subprocess.run(["import", "-window", "root", shot], check=True, timeout=60,
                                   stdin=subprocess.DEVNULL, capture_output=True)
                    found = [pictures.kaleidoscope_about_centre(pictures.crop(shot, g, shot + side + ".png"))
                             for side, g in (("left", "1280x720+0+0"), ("right", "1280x720+1280+0"))]
                    keep = os.environ.get("BRISALO_E2E_SHOTS")  # for a person to see, passed or not
                    if keep:
                        shutil.copy(shot, os.path.join(keep, "wine-monitors.png"))
                    if all(good for good, _ in found):
                        break
                    check(time.time() < deadline, "not a kaleidoscope about each monitor's centre: %r" % found)
                    time.sleep(1.0)
            xdotool("windowfocus", "--sync", str(window), "key", "Escape")
            ended(process)
        finally:
            if process is not None:
                stop(process)
            run("wine", "reg", "delete", WINE_X11_KEY, "/v", "UseXRandR", "/f")


def configure(keys, expected, what):
    """The dialog from a clean registry: the keys typed into it, then what UseMirrors holds.
    The registry is left clean again: a later case that looks for the kaleidoscope must not
    inherit the mirrors turned off."""
    forget_mirrors()
    try:
        process = start(SCR, "/c")
        window = find("Config dialog", process)
        xdotool("windowfocus", "--sync", str(window))
        time.sleep(0.5)
        xdotool("key", *keys)
        ended(process)
        check(mirrors_stored() == expected, "UseMirrors after %s: %r" % (what, mirrors_stored()))
    finally:
        forget_mirrors()


def case_configure_enter_stores_mirrors():
    configure(["Return"], 1, "OK")


def case_configure_unchecked_box_stores_mirrors_off():
    configure(["Tab", "Tab", "space", "Return"], 0, "unchecking")  # OK, Cancel, then the box


def case_configure_escape_stores_nothing():
    configure(["Escape"], None, "Escape")


def case_configure_owned_by_no_window_is_shown_unowned():
    # A number that names no window, however long, still gets the dialog, as on X11.
    for handle in ("123456", "9" * 10000):
        process = start(SCR, "/c:" + handle)
        try:
            window = find("Config dialog", process)
        except Failure as error:
            raise Failure("/c:%s: %s" % (handle[:12], error))
        xdotool("windowfocus", "--sync", str(window))
        time.sleep(0.5)
        xdotool("key", "Escape")
        ended(process)


def prefix_processes():
    """(pid, executable, command line) of the processes running on this run's prefix."""
    wanted = ("WINEPREFIX=" + os.environ["WINEPREFIX"]).encode()
    found = []
    for entry in os.listdir("/proc"):
        try:
            if entry.isdigit() and wanted in open("/proc/%s/environ" % entry, "rb").read().split(b"\0"):
                found.append((int(entry), os.readlink("/proc/%s/exe" % entry),
                              open("/proc/%s/cmdline" % entry, "rb").read()))
        except OSError:
            pass
    return found


def wines_own(command):
    """Wine's own programs (services.exe, explorer.exe /desktop, winedevice.exe ...)."""
    return command.lower().startswith(b"c:\\windows\\system32\\")


def run_left(process):
    """The run's processes still alive: timeout(1), wine and the programs it started."""
    left = []
    for pid, exe, command in prefix_processes():
        try:
            fields = open("/proc/%d/stat" % pid).read().rsplit(")", 1)[1].split()
        except OSError:
            continue
        if int(fields[3]) == process.pid and fields[0] != "Z" and not wines_own(command):
            left.append(pid)
    return left


def saver_processes():
    """Wine names each process by its Windows command line."""
    return [pid for pid, _, command in prefix_processes() if command.split(b"\0")[0].lower().endswith(b"brisalo.scr")]


def alive(pid):
    try:
        return open("/proc/%d/stat" % pid).read().rsplit(")", 1)[1].split()[0] != "Z"
    except OSError:
        return False


def ends_with_its_wineserver(process, what, waiting):
    """The wineserver killed under a running mode: what `waiting` lists ends. Wine's own
    programs wait on their server for ever, as any Wine thread that waits does; they are
    ended here, so that the case leaves nothing behind."""
    servers = [pid for pid, exe, _ in prefix_processes() if os.path.basename(exe).startswith("wineserver")]
    check(servers, "%s: no wineserver of this prefix" % what)
    for pid in servers:
        os.kill(pid, signal.SIGKILL)
    killed = time.time()
    while waiting() and time.time() < killed + 20:
        time.sleep(0.2)
    print("    %s: ended %.1f s after its wineserver" % (what, time.time() - killed))
    left = waiting()
    for pid, exe, _ in prefix_processes():
        if "wine" in os.path.basename(exe):
            os.kill(pid, signal.SIGKILL)
    stop(process)
    check(not left, "%s: still waiting 20 s after the wineserver was killed: %s" % (what, left))


def case_killed_wineserver_ends_configure_and_preview():
    end_wineserver()  # what earlier cases stored, and cleaned up, must outlive the kill
    process = start(SCR, "/c")
    find("Config dialog", process)
    ends_with_its_wineserver(process, "/c", lambda: ([process.pid] if process.poll() is None else []) +
                             run_left(process))
    # The host is this suite's own stand-in for the display settings; the saver is judged.
    process = start(os.path.join(BUILD, "brisalo_preview_check.exe"), "hold",
                    "Z:" + os.path.abspath(SCR).replace("/", "\\"))
    line = process.stdout.readline()
    check(line.strip() == "previewing", "/p: the preview did not start: %r" % line)
    savers = saver_processes()
    check(savers, "/p: no saver among the prefix's processes")
    ends_with_its_wineserver(process, "/p", lambda: [pid for pid in savers if alive(pid)])


def case_preview_ends_when_its_host_process_is_killed():
    host = start(os.path.join(BUILD, "brisalo_preview_check.exe"), "hold",
                 "Z:" + os.path.abspath(SCR).replace("/", "\\"))
    try:
        line = host.stdout.readline()
        check(line.strip() == "previewing", "the preview did not start: %r" % line)
        programs = [(pid, command.split(b"\0")[0].lower()) for pid, _, command in prefix_processes()]
        savers = saver_processes()
        hosts = [pid for pid, program in programs if program.endswith(b"brisalo_preview_check.exe")]
        check(savers and hosts, "no saver or no host among %r" % programs)
        for pid in hosts:
            os.kill(pid, signal.SIGKILL)
        killed = time.time()
        while any(alive(pid) for pid in savers) and time.time() < killed + 10:
            time.sleep(0.2)
        left = [pid for pid in savers if alive(pid)]
        for pid in left:
            os.kill(pid, signal.SIGKILL)
        check(not left, "the preview still runs 10 s after its host's process was killed")
        print("    ended %.1f s after its host's process" % (time.time() - killed))
    finally:
        stop(host)


def case_other_modes_end_at_once():
    # A preview handle that names no window, the password change (no such hook on NT
    # systems) and an unknown switch: nothing to show, exit code 0.
    for args in (["/p", "12345"], ["/a", "0"], ["/x"]):
        process = start(SCR, *args)
        try:
            ended(process, timeout=30)
        except Failure as error:
            raise Failure("%s: %s" % (" ".join(args), error))


def program(name, *args, timeout=120):
    result = run("timeout", str(timeout), "wine", os.path.join(BUILD, name), *args, timeout=timeout + 30)
    check(result.returncode == 0, "%s %s: exit %d\n%s%s" % (name, " ".join(args), result.returncode,
                                                          result.stdout, result.stderr))
    return result.stdout


def case_preview_from_inside():
    program("brisalo_preview_check.exe", "inside")


def case_preview_ends_with_its_host():
    program("brisalo_preview_check.exe", "scr", "Z:" + os.path.abspath(SCR).replace("/", "\\"))


def read_ppm(path):
    with open(path, "rb") as file:
        data = file.read()
    fields = data.split(maxsplit=4)
    check(fields[0] == b"P6" and fields[3] == b"255", "%s is not a binary PPM" % path)
    return int(fields[1]), int(fields[2]), fields[4]


def case_same_seed_same_frame_as_linux():
    with tempfile.TemporaryDirectory() as folder:
        linux = os.path.join(folder, "linux")
        windows = os.path.join(folder, "windows")
        os.mkdir(linux)
        os.mkdir(windows)
        result = run(LINUX_FRAMES, "--size", "640x360", "--seed", "7", "--out", linux, "48", timeout=300)
        check(result.returncode == 0, "brisalo-frames: %s" % result.stderr)
        run("convert", os.path.join(linux, "frame-00048.png"), os.path.join(linux, "frame-00048.ppm"))
        program("brisalo_frame_dump.exe", "--size", "640x360", "--seed", "7", "--out",
                "Z:" + windows.replace("/", "\\"), "48", timeout=300)
        a = read_ppm(os.path.join(linux, "frame-00048.ppm"))
        b = read_ppm(os.path.join(windows, "frame-00048.ppm"))
        check(a[:2] == b[:2] == (640, 360), "sizes %r and %r" % (a[:2], b[:2]))
        difference = sum(abs(x - y) for x, y in zip(a[2], b[2])) / len(a[2])
        lit = sum(1 for x in b[2] if x > 24) / len(b[2])
        print("    mean absolute difference %.3f per channel; %.0f%% of channels lit" % (difference, lit * 100))
        check(lit > 0.05, "the Windows frame is nearly black")
        check(difference < 1.0, "mean absolute difference %.3f per channel" % difference)


def case_resources_read_back():
    program("brisalo_resource_check.exe", "Z:" + os.path.abspath(SCR).replace("/", "\\"))


def prefix_files():
    """Every file in the Wine prefix's C: drive, with its size."""
    drive = os.path.join(os.environ["WINEPREFIX"], "drive_c")
    found = {}
    for folder, _, names in os.walk(drive):
        for name in names:
            path = os.path.join(folder, name)
            if not os.path.islink(path):
                found[os.path.relpath(path, drive)] = os.path.getsize(path)
    return found


def uninstall_entries():
    """The values of each Apps & Features key whose DisplayName names Brisalo."""
    listing = run("wine", "reg", "query", UNINSTALL_KEY, "/s").stdout
    keys, values = [], []
    for line in listing.splitlines() + ["HKEY_END"]:
        if line.startswith("HKEY_"):
            if any(v.split()[:1] == ["DisplayName"] and "Brisalo" in v for v in values):
                keys.append(values)
            values = []
        elif line.strip():
            values.append(line.strip())
    return keys


def case_installer_installs_runs_and_uninstalls():
    msi = "Z:" + os.path.abspath(MSI).replace("/", "\\")
    installed = os.path.join(os.environ["WINEPREFIX"], "drive_c", "windows", "system32", "Brisalo.scr")
    check(not os.path.exists(installed), "Brisalo.scr is in the system folder before the install")
    before = prefix_files()
    result = run("wine", "msiexec", "/i", msi, "/qn", timeout=300)
    check(result.returncode == 0, "msiexec /i: exit %d %s" % (result.returncode, result.stderr[-2000:]))
    with open(installed, "rb") as copy, open(SCR, "rb") as built:
        check(copy.read() == built.read(), "the installed Brisalo.scr is not the built one")
    try:
        entries = uninstall_entries()
        check(len(entries) == 1 and any(v.startswith("UninstallString") and "MsiExec.exe /X{" in v
                                        for v in entries[0]), "not one Apps & Features entry: %r" % entries)
        # It runs from there as the display settings would start it.
        process, window = saver("C:\\windows\\system32\\Brisalo.scr")
        try:
            xdotool("key", "Escape")
            ended(process)
        finally:
            stop(process)
    finally:
        result = run("wine", "msiexec", "/x", msi, "/qn", timeout=300)
    check(result.returncode == 0, "msiexec /x: exit %d %s" % (result.returncode, result.stderr[-2000:]))
    after = prefix_files()
    # The saver's own run leaves its settings in the registry, not on the drive.
    added = sorted(set(after) - set(before))
    check(not os.path.exists(installed) and not added, "left behind: %s" % added[:20])
    check(not uninstall_entries(), "the Apps & Features entry stays: %r" % uninstall_entries())


def case_shell_unit_tests():
    program("brisalo_shell_tests.exe")


def case_needs_only_system_dlls():
    allowed = {"advapi32.dll", "gdi32.dll", "glu32.dll", "kernel32.dll", "msvcrt.dll", "opengl32.dll", "user32.dll"}
    dump = run("x86_64-w64-mingw32-objdump", "-p", SCR)
    check(dump.returncode == 0, "objdump: %s" % dump.stderr)
    imported = {line.split(":", 1)[1].strip().lower() for line in dump.stdout.splitlines()
                if line.strip().startswith("DLL Name:")}
    check(imported and imported <= allowed, "imports %s" % sorted(imported - allowed or imported))


CASES = [name for name in sorted(globals()) if name.startswith("case_") and
         (len(sys.argv) < 4 or name[5:] in sys.argv[3:])]


def main():
    failed, skipped = [], []
    for name in CASES:
        began = time.time()
        try:
            globals()[name]()
            print("PASS %s (%.1f s)" % (name[5:], time.time() - began), flush=True)
        except Skipped as reason:
            skipped.append(name)
            print("SKIP %s: %s" % (name[5:], reason), flush=True)
        except Exception as error:  # a broken case must not stop the others
            failed.append(name)
            print("FAIL %s (%.1f s): %s" % (name[5:], time.time() - began, error), flush=True)
    print("%d of %d Windows cases passed, %d skipped" % (len(CASES) - len(failed) - len(skipped), len(CASES),
                                                          len(skipped)))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
