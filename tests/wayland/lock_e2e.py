#!/usr/bin/env python3
"""brisalo --lock under a headless sway, as an ordinary user: the lock, its grace period, the
password checked by PAM through pam_wrapper and pam_matrix against a password file of the
test's own (no real account, no root), the signal rules, and a compositor without the lock
protocol. Built on the Wayland suite's compositor and helpers.

Usage: lock_e2e.py BUILD_DIR VIRTUAL_INPUT CASE
Exit 0 when the case passes, 1 when it fails, 77 when it cannot run here (no compositor with
ext-session-lock-v1 for the lock's cases, none without it for the refusal's, no pam_wrapper).
"""
import contextlib
import ctypes
import glob
import os
import pwd
import shutil
import signal
import socket
import struct
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(HERE, "..", "e2e"))
sys.path.insert(0, os.path.join(HERE, "..", "support"))
import wayland_e2e as wayland  # noqa: E402
from saver_e2e import SKIP, Failure, check, wait_for  # noqa: E402

PROGRAMS = ("brisalo-wayland", "brisalo-password-check", "brisalo-dialogs.so")
TOOLS = ("sway", "swaymsg", "grim", "wtype", "convert", "compare", "identify", "timeout")
LOCK_PROTOCOL = "ext_session_lock_manager_v1"
PR_SET_CHILD_SUBREAPER = 36
PASSWORD = "secret"
WRONG_RING = "rgb(220,40,40)"  # the ring after a refusal (render/lock_prompt.h)


def wayland_globals(env):
    """The interfaces the compositor offers, read from its socket with the wire protocol."""
    connection = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    connection.settimeout(10)
    connection.connect(os.path.join(env["XDG_RUNTIME_DIR"], env["WAYLAND_DISPLAY"]))
    # wl_display.get_registry (new id 2), then wl_display.sync (new id 3): its done ends the list.
    for opcode, new_id in ((1, 2), (0, 3)):
        connection.sendall(struct.pack("<IHHI", 1, opcode, 12, new_id))
    names, data = set(), b""
    try:
        while True:
            chunk = connection.recv(65536)
            check(chunk, "the compositor closed the connection while listing its globals")
            data += chunk
            while len(data) >= 8:
                target, word = struct.unpack("<II", data[:8])
                size = word >> 16
                if len(data) < size:
                    break
                body, data = data[8:size], data[size:]
                if target == 2 and word & 0xFFFF == 0:  # wl_registry.global: name, interface, version
                    length = struct.unpack("<I", body[4:8])[0]
                    names.add(body[8:8 + length - 1].decode())
                elif target == 3:
                    return names
    finally:
        connection.close()


class Lock:
    """The test's password file and PAM service folder, and the lock's settings."""

    def __init__(self, work, delay):
        matrix = (glob.glob("/usr/lib/*/pam_wrapper/pam_matrix.so") + [None])[0]
        check(matrix, "no pam_matrix.so")
        user = pwd.getpwuid(os.getuid()).pw_name
        self.services = os.path.join(work, "pam.d")
        os.makedirs(self.services, exist_ok=True)
        passdb = os.path.join(work, "passdb")
        with open(passdb, "w") as f:
            f.write("%s:%s:brisalo\n" % (user, PASSWORD))
        stack = "auth required %s passdb=%s\naccount required %s passdb=%s\n" % (matrix, passdb, matrix, passdb)
        for service in ("brisalo", "other"):
            with open(os.path.join(self.services, service), "w") as f:
                f.write(stack)
        folder = os.path.join(work, "config", "brisalo")
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, "settings.reg"), "w") as f:
            f.write("REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Screen Savers]\n"
                    "\"Password Delay\"=dword:%08x\n" % delay)
        self.delay = delay

    def env(self, compositor):
        return dict(compositor.env, LD_PRELOAD="libpam_wrapper.so", PAM_WRAPPER="1",
                    PAM_WRAPPER_SERVICE_DIR=self.services)

    def start(self, compositor):
        """brisalo --lock, once the compositor has said `locked` and it draws; its start time."""
        log = tempfile.TemporaryFile(mode="w+", dir=WORK)
        process = subprocess.Popen(["timeout", "-k", "5", "120", os.path.join(WORK, "brisalo-wayland"), "--lock"],
                                   env=self.env(compositor), stdin=subprocess.DEVNULL, stdout=log, stderr=log,
                                   text=True, start_new_session=True)
        process.log = log
        compositor.children.append(process)
        process.started = time.monotonic()
        return process

    def daemonize(self, compositor):
        """brisalo --lock --daemonize to its return: its exit status, what it said, and the lock
        it left running (None when there is none), which this process then waits for."""
        log = tempfile.TemporaryFile(mode="w+", dir=WORK)  # a pipe would stay open in the lock
        before = {pid for pid, _, _ in brisalo_processes()}
        try:
            done = subprocess.run([os.path.join(WORK, "brisalo-wayland"), "--lock", "--daemonize"],
                                  env=self.env(compositor), stdin=subprocess.DEVNULL, stdout=log, stderr=log,
                                  timeout=30)
        except subprocess.TimeoutExpired:
            raise Failure("--daemonize did not return within 30 s")
        log.seek(0)
        said = "".join(line for line in log if not line.startswith("PWRAP_"))
        pids = [pid for pid, parent, _ in brisalo_processes() if parent == os.getpid() and pid not in before]
        if not pids:
            return done.returncode, said, None
        lock = Background(pids[0], log, time.monotonic())
        compositor.children.append(lock)
        return done.returncode, said, lock


def brisalo_processes():
    """(pid, parent, session) of every brisalo-wayland there is."""
    found = []
    for entry in os.listdir("/proc"):
        try:
            with open("/proc/%s/stat" % entry) as f:
                name, rest = f.read().rsplit(")", 1)
            if name.endswith("(brisalo-wayland"):
                fields = rest.split()
                found.append((int(entry), int(fields[1]), int(fields[3])))
        except (OSError, ValueError, IndexError):
            pass
    return found


class Background:
    """A lock that --daemonize left running: this process is its subreaper, so it is this
    process's child once its parent has gone, and answers as a Popen does."""

    def __init__(self, pid, log, started):
        self.pid, self.log, self.started, self.returncode = pid, log, started, None

    def poll(self):
        if self.returncode is None:
            done, status = os.waitpid(self.pid, os.WNOHANG)
            if done:
                self.returncode = os.waitstatus_to_exitcode(status)
        return self.returncode

    def wait(self, timeout):
        deadline = time.monotonic() + timeout
        while self.poll() is None:
            if time.monotonic() > deadline:
                raise subprocess.TimeoutExpired("brisalo-wayland", timeout)
            time.sleep(0.1)
        return self.returncode

    def kill(self):
        os.kill(self.pid, signal.SIGKILL)


def lock_pid(process):
    """The lock under timeout(1), by its name: it keeps its /proc/PID/exe from its own user."""
    return wait_for("the lock's process", lambda: next(
        (pid for pid, parent, _ in brisalo_processes() if parent == process.pid), None), 10)


def after_grace(lock, process):
    time.sleep(max(0.0, process.started + lock.delay + 0.5 - time.monotonic()))


def wrong_pixels(compositor, path):
    counted = compositor.run("convert", path, "-fill", "black", "+opaque", WRONG_RING, "-fill", "white",
                             "-opaque", WRONG_RING, "-format", "%[fx:round(mean*w*h)]", "info:")
    return int(counted.stdout or 0)


def type_keys(compositor, text=None, keys=()):
    args = ["wtype", "-s", "300"]
    if text:
        args += ["-d", "60", text]
    for key in keys:
        args += ["-k", key]
    done = compositor.run(*args)
    check(done.returncode == 0, "wtype: %s" % done.stderr)


def keyboard_client(compositor):
    """The settings dialog, an xdg-shell window that ends on Escape once it has the keyboard,
    mapped. (Not the full-screen saver: sway 1.10 sends the keys of a locked session to a
    layer surface that asks for the keyboard exclusively.)"""
    dialog = compositor.start(os.path.join(WORK, "brisalo-wayland"), "/c")
    wait_for("the settings dialog", lambda: '"name": "Config dialog"' in compositor.swaymsg("-t", "get_tree"), 20)
    return dialog


def needs_lock_protocol(compositor):
    if LOCK_PROTOCOL not in wayland_globals(compositor.env):
        print("skipped: this sway (%s) has no %s" % (compositor.run("sway", "--version").stdout.strip(),
                                                     LOCK_PROTOCOL))
        return False
    return True


@contextlib.contextmanager
def locked(work, delay, outputs=1):
    """A headless sway locked by a brisalo --lock with this grace period, drawing."""
    with wayland.Compositor(work, outputs=outputs) as sway:
        if not needs_lock_protocol(sway):
            raise wayland.Skip()
        lock = Lock(work, delay=delay)
        locker = lock.start(sway)
        wayland.wait_drawing(sway, "HEADLESS-1", locker)
        yield sway, lock, locker


def keyboard_held_until_the_password(sway, lock, locker):
    """After the grace period a client started meanwhile gets no key and the lock stays;
    the password unlocks, and the client has the keyboard then."""
    client = keyboard_client(sway)
    after_grace(lock, locker)
    type_keys(sway, keys=["Escape"])
    wayland.expect_running(client, "Escape while locked")
    wayland.expect_running(locker, "Escape after the grace period")
    type_keys(sway, PASSWORD, ["Return"])
    wayland.expect_exit_zero(locker, "the password")
    type_keys(sway, keys=["Escape"])
    wayland.expect_exit_zero(client, "Escape once unlocked")


def case_locks_every_output_and_holds_the_keyboard(work):
    with locked(work, delay=1, outputs=2) as (sway, lock, locker):
        sway.wait_kaleidoscope("HEADLESS-2", "locked-2.png", locker)
        sway.swaymsg("create_output")
        sway.swaymsg("output HEADLESS-3 resolution 640x480 position 1280 0")
        sway.wait_kaleidoscope("HEADLESS-3", "locked-3.png", locker)
        second = lock.start(sway)
        second.wait(timeout=10)
        said = wayland.drain(second)
        check(second.returncode == 1 and "refused" in said and said.count("\n") == 1,
              "a second lock: exit %d, %r" % (second.returncode, said))
        keyboard_held_until_the_password(sway, lock, locker)


def case_a_key_within_the_grace_period_unlocks(work):
    with locked(work, delay=60) as (sway, lock, locker):
        type_keys(sway, keys=["x"])
        wayland.expect_exit_zero(locker, "a key within the grace period")


def case_after_it_only_the_password_unlocks(work):
    """SIGTERM changes nothing; a wrong password shows "wrong"; Escape clears and Backspace
    erases, or the right one typed after them would not unlock."""
    with locked(work, delay=1) as (sway, lock, locker):
        after_grace(lock, locker)
        os.kill(lock_pid(locker), signal.SIGTERM)
        wayland.expect_running(locker, "SIGTERM after the grace period")
        check(wrong_pixels(sway, sway.shot("HEADLESS-1", "before.png")) < 50, "the wrong ring shows already")
        type_keys(sway, "nope", ["Return"])
        wait_for("the wrong ring", lambda: wrong_pixels(sway, sway.shot("HEADLESS-1", "wrong.png")) > 1000, 15)
        wayland.expect_running(locker, "a wrong password")
        type_keys(sway, "garbage", ["Escape"])
        type_keys(sway, PASSWORD + "x", ["BackSpace", "Return"])
        wayland.expect_exit_zero(locker, "the password after Escape and Backspace")


def case_sigkill_leaves_the_session_locked(work):
    with locked(work, delay=1) as (sway, lock, locker):
        os.kill(lock_pid(locker), signal.SIGKILL)
        locker.wait(timeout=10)
        client = keyboard_client(sway)
        type_keys(sway, keys=["Escape"])
        wayland.expect_running(client, "Escape with the lock's process gone")
        taker = lock.start(sway)
        wayland.wait_drawing(sway, "HEADLESS-1", taker)
        after_grace(lock, taker)
        type_keys(sway, PASSWORD, ["Return"])
        wayland.expect_exit_zero(taker, "the password, to the lock that took over")
        type_keys(sway, keys=["Escape"])
        wayland.expect_exit_zero(client, "Escape once unlocked")


def case_daemonize_returns_once_locked(work):
    """--daemonize returns 0 with the session locked and the lock going on in a session of
    its own, which the password still unlocks; one refused returns 1 with its line."""
    with wayland.Compositor(work) as sway:
        if not needs_lock_protocol(sway):
            return SKIP
        libc = ctypes.CDLL(None, use_errno=True)
        check(libc.prctl(PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0) == 0, "no child subreaper")
        lock = Lock(work, delay=1)
        status, said, locker = lock.daemonize(sway)
        check(status == 0 and said == "" and locker is not None,
              "--daemonize: exit %d, %r, %s" % (status, said, "a lock left" if locker else "no lock left"))
        check([s for p, _, s in brisalo_processes() if p == locker.pid] == [locker.pid],
              "the lock is not in a session of its own")
        wayland.wait_drawing(sway, "HEADLESS-1", locker)
        status, said, second = lock.daemonize(sway)
        check(status == 1 and "refused" in said and said.count("\n") == 1 and second is None,
              "a second lock: exit %d, %r" % (status, said))
        keyboard_held_until_the_password(sway, lock, locker)


def case_without_the_protocol_says_so_and_exits_1(work):
    """sway 1.7 (Debian 12) has no ext-session-lock-v1; where sway has it, cage may not."""
    lock = Lock(work, delay=1)
    env = dict(LD_PRELOAD="libpam_wrapper.so", PAM_WRAPPER="1", PAM_WRAPPER_SERVICE_DIR=lock.services)
    saver = os.path.join(WORK, "brisalo-wayland")
    with wayland.Compositor(work) as sway:
        if LOCK_PROTOCOL not in wayland_globals(sway.env):
            before = sway.shot("HEADLESS-1", "before.png")
            done = subprocess.run(["timeout", "20", saver, "--lock"], env=dict(sway.env, **env),
                                  stdin=subprocess.DEVNULL, capture_output=True, text=True, timeout=30)
            check(wayland.mean_difference(sway.env, before, sway.shot("HEADLESS-1", "after.png")) == 0,
                  "something was drawn")
            return expect_one_line_and_1(done.returncode, done.stdout + done.stderr)
    if shutil.which("cage") is None:
        print("skipped: this sway has the lock protocol, and there is no cage")
        return SKIP
    said, status = os.path.join(work, "said.txt"), os.path.join(work, "status.txt")
    runtime = tempfile.mkdtemp(prefix="brisalo-cage-", dir=work)
    os.chmod(runtime, 0o700)
    cage_env = {"PATH": "/usr/bin:/bin", "HOME": work, "XDG_RUNTIME_DIR": runtime, "WLR_BACKENDS": "headless",
                "WLR_RENDERER": "pixman", "WLR_LIBINPUT_NO_DEVICES": "1", **env}
    subprocess.run(["timeout", "30", "cage", "--", "sh", "-c", '"$0" --lock 2>"$1"; echo $? >"$2"', saver, said,
                    status], env=cage_env, stdin=subprocess.DEVNULL, capture_output=True, timeout=40)
    check(os.path.exists(status), "cage did not run the lock")
    with open(said) as f, open(status) as g:
        text, code = f.read(), int(g.read())
    if "no session lock" not in text and code != 1:
        print("skipped: cage has the lock protocol too")
        return SKIP
    return expect_one_line_and_1(code, text)


def expect_one_line_and_1(code, said):
    lines = [line for line in said.splitlines() if not line.startswith("PWRAP_")]
    check(code == 1, "exit status %d, not 1: %r" % (code, said))
    check(len(lines) == 1 and LOCK_PROTOCOL.split("_manager")[0].replace("_", "-") in lines[0],
          "not one line naming the protocol: %r" % said)
    return 0


CASES = {name[5:]: function for name, function in globals().items() if name.startswith("case_")}


def as_user(work, name):
    global WORK
    WORK = work
    wayland.WORK = work
    os.makedirs(os.path.join(work, "shots"), exist_ok=True)
    os.makedirs(os.path.join(work, "config"), exist_ok=True)
    try:
        return CASES[name](work) or 0
    except wayland.Skip:
        return SKIP


def main():
    if len(sys.argv) == 5 and sys.argv[1] == "--as-user":
        wayland.VIRTUAL_INPUT = sys.argv[3]
        try:
            result = as_user(sys.argv[2], sys.argv[4])
        except Failure as failure:
            print("FAILED: %s" % failure)
            return 1
        print("passed" if result == 0 else "skipped")
        return result
    if len(sys.argv) != 4 or sys.argv[3] not in CASES:
        print(__doc__ + "\nCases: " + " ".join(CASES))
        return 2
    for tool in TOOLS:
        if shutil.which(tool) is None:
            print("skipped: %s is not installed (tools/deps.sh installs it)" % tool)
            return SKIP
    if not glob.glob("/usr/lib/*/libpam_wrapper.so") or not glob.glob("/usr/lib/*/pam_wrapper/pam_matrix.so"):
        print("skipped: no pam_wrapper (Debian's libpam-wrapper)")
        return SKIP
    build, virtual_input, name = sys.argv[1:]
    work = tempfile.mkdtemp(prefix="brisalo-lock-e2e-")
    try:
        for program in PROGRAMS:
            shutil.copy(os.path.join(build, program), os.path.join(work, program))
        helper = os.path.join(work, os.path.basename(virtual_input))
        shutil.copy(virtual_input, helper)
        for folder, file in (("wayland", "lock_e2e.py"), ("wayland", "wayland_e2e.py"), ("e2e", "saver_e2e.py"),
                             ("support", "pictures.py")):
            os.makedirs(os.path.join(work, "scripts", folder), exist_ok=True)
            shutil.copy(os.path.join(HERE, "..", folder, file), os.path.join(work, "scripts", folder, file))
        command = [os.path.join(work, "scripts", "wayland", "lock_e2e.py"), "--as-user", work, helper, name]
        python = shutil.which("python3", path="/usr/local/bin:/usr/bin:/bin") or sys.executable
        if os.getuid() != 0:
            return subprocess.run([python, *command], timeout=170).returncode
        try:
            pwd.getpwnam(wayland.TEST_USER)
        except KeyError:
            subprocess.run(["useradd", "--system", "--user-group", "--no-create-home", "--home-dir", "/nonexistent",
                            "--shell", "/usr/sbin/nologin", wayland.TEST_USER], check=True, timeout=60)
        user = pwd.getpwnam(wayland.TEST_USER)
        for root, folders, files in os.walk(work):
            for entry in [root] + [os.path.join(root, f) for f in files]:
                os.chown(entry, user.pw_uid, user.pw_gid)
        os.chmod(work, 0o755)
        return subprocess.run(["runuser", "-u", wayland.TEST_USER, "--", python, *command], timeout=170).returncode
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
