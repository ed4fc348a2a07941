#!/usr/bin/env python3
"""Brisalo under a real screen-saver daemon, on a private Xvfb, as an ordinary user: the
daemon's own command starts it and the screen shows the kaleidoscope; the daemon's
deactivation ends it and leaves no saver process behind.

Usage: daemon_test.py BRISALO HOST [ARGUMENTS]
HOST is one of
  xscreensaver       a private ~/.xscreensaver whose only program is the built saver (a GL
                     entry; ARGUMENTS, default "--root", are its part of the line), started
                     by `xscreensaver-command -activate`; `-cycle` stops it for a new one,
                     and the daemon's log must read that as a normal end
  xscreensaver-two-monitors
                     the same on a screen split into two monitors, each of which gets a
                     copy of its own, and the two copies must show different pictures
  xscreensaver-list  no ~/.xscreensaver: `brisalo --add-to-xscreensaver` makes one from the
                     system's list, a second run changes nothing, and `-select N` of
                     Brisalo's place in that list starts it
  mate               MATE's screensaver with the package's desktop entry (theme
                     screensavers-brisalo) in a private data folder, on a private session
                     bus, started by `mate-screensaver-command --activate`. MATE runs only
                     savers from the hack folder, so for the test's run a link of a name of
                     its own there (made as root, removed after) stands for the package's
Run as root, the test creates the system user brisalo-host (the daemons launch nothing as
root) and runs the daemon as that user. Exit 0 when it passes, 1 when it fails.
"""
import os
import pwd
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from saver_e2e import (TWO_MONITORS, Display, Failure, check, end_group, processes_running,  # noqa: E402
                       wait_for)
import pictures  # noqa: E402

TEST_USER = "brisalo-host"
HACK_FOLDER = "/usr/libexec/xscreensaver"
MODULE = "brisalo-dialogs.so"


def settings_file(home, binary, arguments):
    with open(os.path.join(home, ".xscreensaver"), "w") as f:
        f.write("mode:\t\tone\nselected:\t0\ntimeout:\t0:30:00\ncycle:\t\t0:00:00\nlock:\t\tFalse\n"
                "splash:\t\tFalse\nfade:\t\tFalse\nunfade:\t\tFalse\ndpmsEnabled:\tFalse\n"
                "programs:\tGL: %s %s \\n\n" % (binary, arguments))


def programs_in(text):
    """The programs list as XScreenSaver reads it, one entry a program."""
    start = text.index("programs:")
    lines = text[start + len("programs:"):].split("\n")
    value = []
    for line in lines:
        value.append(line[:-1] if line.endswith("\\") else line)
        if not line.endswith("\\"):
            break
    return [p.strip() for p in "".join(value).split("\\n") if p.strip()]


def add_to_list(home, binary):
    """The user's one step, twice; returns the place of Brisalo's entry, counted from 1."""
    settings = os.path.join(home, ".xscreensaver")
    env = dict(os.environ, HOME=home)
    env.pop("DISPLAY", None)
    step = subprocess.run([binary, "--add-to-xscreensaver"], env=env, stdin=subprocess.DEVNULL,
                          capture_output=True, text=True, timeout=20)
    check(step.returncode == 0 and step.stderr == "", "the step failed: %r" % step.stderr)
    check(step.stdout.startswith("Created %s" % settings), "it did not say what it did: %r" % step.stdout)
    with open(settings, "rb") as f:
        made = f.read()
    programs = programs_in(made.decode())
    ours = [i for i, p in enumerate(programs) if p.endswith("GL: %s --root" % binary)]
    check(len(ours) == 1 and ours[0] == len(programs) - 1, "not once, at the end: %s" % programs[-3:])
    check(len(programs) > 100, "the system's list was not copied: %d programs" % len(programs))
    again = subprocess.run([binary, "--add-to-xscreensaver"], env=env, stdin=subprocess.DEVNULL,
                           capture_output=True, text=True, timeout=20)
    check(again.returncode == 0 and "already" in again.stdout, "the second step: %r" % again.stdout)
    with open(settings, "rb") as f:
        check(f.read() == made, "the second step changed the file")
    return ours[0] + 1


def log_text(work):
    with open(os.path.join(work, "daemon.log")) as log:
        return log.read()


def command(display, *args, tool="xscreensaver-command"):
    return subprocess.run([tool, *args], env=display.env, stdin=subprocess.DEVNULL,
                          capture_output=True, text=True, timeout=20)


def mate_session(work, hack, display):
    """MATE's side: the entry made from the package's template, naming the hack folder's
    link, the settings, a session bus of its own. Returns the bus process, to end last."""
    entries = os.path.join(work, "share", "applications", "screensavers")
    os.makedirs(entries)
    with open(os.path.join(work, "dist", "brisalo-mate.desktop.in")) as template:
        entry = template.read().replace("%HOST_COPY%", hack)
    with open(os.path.join(entries, "brisalo.desktop"), "w") as f:
        f.write(entry)
    display.env.update(XDG_DATA_DIRS=os.path.join(work, "share") + ":/usr/share",
                       XDG_CONFIG_HOME=os.path.join(display.env["HOME"], ".config"),
                       GSETTINGS_BACKEND="keyfile")
    bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address"], env=display.env,
                           stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, text=True, start_new_session=True)
    display.env["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().strip()
    for key, value in (("mode", "single"), ("themes", "['screensavers-brisalo']"), ("lock-enabled", "false"),
                       ("idle-activation-enabled", "false")):
        result = subprocess.run(["gsettings", "set", "org.mate.screensaver", key, value], env=display.env,
                                stdin=subprocess.DEVNULL, capture_output=True, text=True, timeout=20)
        check(result.returncode == 0, "gsettings set %s: %s" % (key, result.stderr))
    return bus


def kaleidoscope_on_screen(display, shot):
    display.screenshot("root", shot)
    colours = subprocess.run(["convert", shot, "-format", "%k", "info:"], stdin=subprocess.DEVNULL,
                             capture_output=True, text=True, timeout=30).stdout
    # The daemon's own blank screen is one colour; a frame of buttons has thousands.
    return display.brightest(shot) > 0.2 and int(colours or 0) > 1000


def copies_differ(display, shot):
    """The two monitors' copies, started in the same second, show faces of their own. Their
    buttons move by frames, not time, so even equal copies drift apart in place; the colours
    they show stay the same (a colour distance near 0.01) where faces are shared, and differ
    by far more (0.5 and over) where they are not. A few looks, in case two faces happen to be
    alike."""
    distances = []
    for _ in range(3):
        display.screenshot("root", shot)
        halves = [pictures.crop(shot, geometry, shot + name + ".png", display.env)
                  for name, geometry in TWO_MONITORS["monitors"]]
        distances.append(pictures.histogram_distance(*[pictures.colour_histogram(h, display.env) for h in halves]))
        if distances[-1] > 0.08:
            print("    the monitors' colours differ by %.3f" % distances[-1])
            return
        time.sleep(2.0)
    raise Failure("the two monitors show the same faces (colour distances %r)" % distances)


def as_user(work, host, arguments):
    """The daemon's part, run as the ordinary user."""
    binary = os.path.join(work, "brisalo")
    home = os.path.join(work, "home")
    os.mkdir(home)
    place = None
    if host == "xscreensaver-list":
        place = add_to_list(home, binary)
    elif host.startswith("xscreensaver"):
        settings_file(home, binary, arguments)
    bus = None
    two = host == "xscreensaver-two-monitors"
    with Display(**(TWO_MONITORS if two else {})) as display:
        display.env["HOME"] = home
        if host == "mate":
            bus = mate_session(work, arguments, display)
            run_daemon = ["mate-screensaver", "--no-daemon", "--debug"]
            tool = "mate-screensaver-command"
            query, activate, deactivate = ["--query"], ["--activate"], ["--deactivate"]
        else:
            run_daemon = ["xscreensaver", "-no-splash", "-verbose"]
            tool = "xscreensaver-command"
            query, deactivate = ["-time"], ["-deactivate"]
            activate = ["-activate"] if place is None else ["-select", str(place)]
        daemon = subprocess.Popen(run_daemon, env=display.env,
                                  stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                  stderr=open(os.path.join(work, "daemon.log"), "w"), start_new_session=True)
        try:
            wait_for("the daemon answering", lambda: command(display, *query, tool=tool).returncode == 0, 20)
            check(not processes_running(binary), "the saver ran before it was asked to")
            check(command(display, *activate, tool=tool).returncode == 0, "%s was refused" % " ".join(activate))
            copies = 2 if two else 1
            pids = wait_for("%d Brisalo processes after %s" % (copies, activate[0]),
                            lambda: len(processes_running(binary)) == copies and processes_running(binary), 10)
            shot = os.path.join(work, "screen.png")
            wait_for("the kaleidoscope on the screen", lambda: kaleidoscope_on_screen(display, shot), 30)
            if two:
                time.sleep(2.0)  # both copies past their first frames
                copies_differ(display, shot)
            check(processes_running(binary) == pids, "the saver was restarted: %s, then %s" % (
                pids, processes_running(binary)))
            if host == "xscreensaver":
                # The daemon kills the saver for the next one, and logs how it ended.
                check(command(display, "-cycle", tool=tool).returncode == 0, "-cycle was refused")
                said = wait_for("the daemon's word on the first saver's end", lambda: [
                    line for line in log_text(work).splitlines() if any("child pid %d " % pid in line for pid in pids)],
                    10)
                check(all("exited normally" in line for line in said), "the daemon took the end for a crash: %s" % said)
                wait_for("a new saver after -cycle",
                         lambda: processes_running(binary) and processes_running(binary) != pids, 10)
            check(command(display, *deactivate, tool=tool).returncode == 0, "%s was refused" % deactivate[0])
            wait_for("no Brisalo process after -deactivate", lambda: not processes_running(binary), 10)
            check(daemon.poll() is None, "the daemon ended")
        except Failure:
            with open(os.path.join(work, "daemon.log")) as log:
                print("daemon log:\n" + log.read()[-4000:])
            raise
        finally:
            for pid in processes_running(binary):
                os.kill(pid, signal.SIGKILL)
            end_group(daemon)
            if bus is not None:
                os.killpg(bus.pid, signal.SIGTERM)
                bus.wait(timeout=10)


def copy_sources(script, work):
    """The scripts and the MATE entry's template, beside the saver."""
    source = os.path.join(os.path.dirname(script), "..", "..")
    for folder, name in (("tests/host", "daemon_test.py"), ("tests/e2e", "saver_e2e.py"),
                         ("tests/support", "pictures.py"), ("dist", "brisalo-mate.desktop.in")):
        target = os.path.join(work, os.path.basename(folder))
        os.makedirs(target, mode=0o755, exist_ok=True)
        shutil.copy(os.path.join(source, folder, name), os.path.join(target, name))


def main():
    if len(sys.argv) == 5 and sys.argv[1] == "--as-user":
        try:
            as_user(sys.argv[2], sys.argv[3], sys.argv[4])
        except Failure as failure:
            print("FAILED: %s" % failure)
            return 1
        print("passed")
        return 0
    if len(sys.argv) not in (3, 4) or sys.argv[2] not in ("xscreensaver", "xscreensaver-two-monitors",
                                                          "xscreensaver-list", "mate"):
        raise SystemExit(__doc__)
    host = sys.argv[2]
    tools = ["mate-screensaver", "mate-screensaver-command", "dbus-daemon", "gsettings"] if host == "mate" else \
        ["xscreensaver", "xscreensaver-command"]
    for tool in tools + ["Xvfb", "xdotool", "import", "convert"]:
        if shutil.which(tool) is None:
            print("FAILED: %s is not installed (tools/deps.sh installs it)" % tool)
            return 1
    built = os.path.abspath(sys.argv[1])
    arguments = sys.argv[3] if len(sys.argv) == 4 else "--root"
    hack = None
    if host == "mate":
        if not os.access(HACK_FOLDER, os.W_OK):
            print("skipped: making the link in %s needs root" % HACK_FOLDER)
            return 77
        hack = arguments = os.path.join(HACK_FOLDER, "brisalo-test-%d" % os.getpid())
    # A copy of its own, beside its dialog module, that the user can run and the test can
    # tell from any other saver.
    work = tempfile.mkdtemp(prefix="brisalo-xscreensaver-")
    try:
        shutil.copy(built, os.path.join(work, "brisalo"))
        if hack is not None:
            os.symlink(os.path.join(work, "brisalo"), hack)
        module = os.path.join(os.path.dirname(built), MODULE)
        if os.path.exists(module):
            shutil.copy(module, os.path.join(work, MODULE))
        script = os.path.abspath(__file__)
        if os.getuid() != 0:
            copy_sources(script, work)
            return subprocess.run([sys.executable, script, "--as-user", work, host, arguments],
                                  timeout=240).returncode
        try:
            pwd.getpwnam(TEST_USER)
        except KeyError:
            subprocess.run(["useradd", "--system", "--user-group", "--no-create-home", "--home-dir", "/nonexistent",
                            "--shell", "/usr/sbin/nologin", TEST_USER], check=True, timeout=60)
        user = pwd.getpwnam(TEST_USER)
        os.chmod(work, 0o755)
        for name in ("", "brisalo", MODULE):
            if os.path.exists(os.path.join(work, name)):
                os.chown(os.path.join(work, name), user.pw_uid, user.pw_gid)
        # The user may not reach the source tree: the scripts go along in copies.
        copy_sources(script, work)
        # The user's Python: the one running this may live in root's home.
        python = shutil.which("python3", path="/usr/local/bin:/usr/bin:/bin") or sys.executable
        return subprocess.run(["runuser", "-u", TEST_USER, "--", python,
                               os.path.join(work, "host", "daemon_test.py"), "--as-user", work, host, arguments],
                              timeout=240).returncode
    finally:
        if hack is not None and os.path.islink(hack):
            os.unlink(hack)
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
