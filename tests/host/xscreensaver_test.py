#!/usr/bin/env python3
"""Brisalo under the real XScreenSaver daemon, on a private Xvfb, as an ordinary user: a
private ~/.xscreensaver whose only program is the built saver (a GL entry);
`xscreensaver-command -activate` starts it and the screen shows the kaleidoscope; `-cycle`
stops it for a new one, and the daemon's log reads that as the normal end of a saver;
`-deactivate` ends it and leaves no saver process behind.

Usage: xscreensaver_test.py BRISALO [ARGUMENTS]
ARGUMENTS is the saver's part of the programs line (default "--root"). Run as root, the
test creates the system user brisalo-host (the daemon launches nothing as root) and runs
the daemon as that user. Exit 0 when it passes, 1 when it fails.
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
from saver_e2e import Display, Failure, check  # noqa: E402

TEST_USER = "brisalo-host"
MODULE = "brisalo-dialogs.so"


def wait_for(what, condition, timeout):
    deadline = time.monotonic() + timeout
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() > deadline:
            raise Failure("%s: not within %.0f s" % (what, timeout))
        time.sleep(0.1)


def saver_processes(binary):
    """Pids of the processes running this very file (its path is unique to the run)."""
    found = []
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            try:
                if os.readlink("/proc/%s/exe" % entry) == binary:
                    found.append(int(entry))
            except OSError:
                pass
    return found


def settings_file(home, binary, arguments):
    with open(os.path.join(home, ".xscreensaver"), "w") as f:
        f.write("mode:\t\tone\nselected:\t0\ntimeout:\t0:30:00\ncycle:\t\t0:00:00\nlock:\t\tFalse\n"
                "splash:\t\tFalse\nfade:\t\tFalse\nunfade:\t\tFalse\ndpmsEnabled:\tFalse\n"
                "programs:\tGL: %s %s \\n\n" % (binary, arguments))


def log_text(work):
    with open(os.path.join(work, "daemon.log")) as log:
        return log.read()


def command(display, *args):
    return subprocess.run(["xscreensaver-command", *args], env=display.env, stdin=subprocess.DEVNULL,
                          capture_output=True, text=True, timeout=20)


def kaleidoscope_on_screen(display, shot):
    display.screenshot("root", shot)
    colours = subprocess.run(["convert", shot, "-format", "%k", "info:"], stdin=subprocess.DEVNULL,
                             capture_output=True, text=True, timeout=30).stdout
    # The daemon's own blank screen is one colour; a frame of buttons has thousands.
    return display.brightest(shot) > 0.2 and int(colours or 0) > 1000


def as_user(work, arguments):
    """The daemon's part, run as the ordinary user."""
    binary = os.path.join(work, "brisalo")
    home = os.path.join(work, "home")
    os.mkdir(home)
    settings_file(home, binary, arguments)
    with Display() as display:
        display.env["HOME"] = home
        daemon = subprocess.Popen(["xscreensaver", "-no-splash", "-verbose"], env=display.env,
                                  stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                  stderr=open(os.path.join(work, "daemon.log"), "w"), start_new_session=True)
        try:
            wait_for("the daemon answering", lambda: command(display, "-time").returncode == 0, 20)
            check(not saver_processes(binary), "the saver ran before it was asked to")
            check(command(display, "-activate").returncode == 0, "-activate was refused")
            pids = wait_for("a Brisalo process after -activate", lambda: saver_processes(binary), 10)
            shot = os.path.join(work, "screen.png")
            wait_for("the kaleidoscope on the screen", lambda: kaleidoscope_on_screen(display, shot), 30)
            check(saver_processes(binary) == pids, "the saver was restarted: %s, then %s" % (
                pids, saver_processes(binary)))
            # The daemon kills the saver for the next one and waits for it.
            check(command(display, "-cycle").returncode == 0, "-cycle was refused")
            said = wait_for("the daemon's word on the first saver's end", lambda: [
                line for line in log_text(work).splitlines() if any("child pid %d " % pid in line for pid in pids)], 10)
            check(all("exited normally" in line for line in said), "the daemon took the end for a crash: %s" % said)
            wait_for("a new saver after -cycle", lambda: saver_processes(binary) and saver_processes(binary) != pids, 10)
            check(command(display, "-deactivate").returncode == 0, "-deactivate was refused")
            wait_for("no Brisalo process after -deactivate", lambda: not saver_processes(binary), 10)
            check(daemon.poll() is None, "the daemon ended")
        except Failure:
            with open(os.path.join(work, "daemon.log")) as log:
                print("daemon log:\n" + log.read()[-4000:])
            raise
        finally:
            for pid in saver_processes(binary):
                os.kill(pid, signal.SIGKILL)
            if daemon.poll() is None:
                os.killpg(daemon.pid, signal.SIGTERM)
                try:
                    daemon.wait(timeout=10)
                except subprocess.TimeoutExpired:
                    os.killpg(daemon.pid, signal.SIGKILL)
                    daemon.wait(timeout=10)


def main():
    if len(sys.argv) == 4 and sys.argv[1] == "--as-user":
        try:
            as_user(sys.argv[2], sys.argv[3])
        except Failure as failure:
            print("FAILED: %s" % failure)
            return 1
        print("passed")
        return 0
    if len(sys.argv) not in (2, 3):
        raise SystemExit(__doc__)
    for tool in ("xscreensaver", "xscreensaver-command", "Xvfb", "xdotool", "import", "convert"):
        if shutil.which(tool) is None:
            print("FAILED: %s is not installed (tools/deps.sh installs it)" % tool)
            return 1
    built = os.path.abspath(sys.argv[1])
    arguments = sys.argv[2] if len(sys.argv) == 3 else "--root"
    # A copy of its own, beside its dialog module, that the user can run and the test can
    # tell from any other saver.
    work = tempfile.mkdtemp(prefix="brisalo-xscreensaver-")
    try:
        shutil.copy(built, os.path.join(work, "brisalo"))
        module = os.path.join(os.path.dirname(built), MODULE)
        if os.path.exists(module):
            shutil.copy(module, os.path.join(work, MODULE))
        script = os.path.abspath(__file__)
        if os.getuid() != 0:
            return subprocess.run([sys.executable, script, "--as-user", work, arguments], timeout=240).returncode
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
        for folder, name in (("host", "xscreensaver_test.py"), ("e2e", "saver_e2e.py")):
            os.makedirs(os.path.join(work, folder), mode=0o755, exist_ok=True)
            shutil.copy(os.path.join(os.path.dirname(script), "..", folder, name), os.path.join(work, folder, name))
        # The user's Python: the one running this may live in root's home.
        python = shutil.which("python3", path="/usr/local/bin:/usr/bin:/bin") or sys.executable
        return subprocess.run(["runuser", "-u", TEST_USER, "--", python,
                               os.path.join(work, "host", "xscreensaver_test.py"), "--as-user", work, arguments],
                              timeout=240).returncode
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
