#!/usr/bin/env python3
"""The saver stays light: GTK is loaded only for a dialog, and a missing dialog module
costs a line on standard error, never the run.

Usage: light_saver_test.py BRISALO HOST_WINDOW CASE
Exit 0 when the case passes, 1 when it fails, 77 when it cannot run here.
"""
import contextlib
import os
import signal
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import saver_e2e  # noqa: E402  (the private Xvfb and its helpers)
from saver_e2e import Display, Failure, check, expect_exit_zero, stop  # noqa: E402


def start(display, binary, *args):
    return subprocess.Popen([binary, *args], env=display.env, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                            stderr=subprocess.PIPE, text=True, start_new_session=True)


def mapped_files(process):
    with open("/proc/%d/maps" % process.pid) as maps:
        return {line.split()[-1] for line in maps if len(line.split()) >= 6}


def gtk_in(files):
    return sorted(f for f in files if "libgtk-3" in f or "libgdk-3" in f or "brisalo-dialogs" in f)


def wait_for_child(display, window, process, timeout=15.0):
    deadline = time.time() + timeout
    while time.time() < deadline:
        tree = subprocess.run(["xwininfo", "-children", "-id", str(window)], env=display.env,
                              stdin=subprocess.DEVNULL, capture_output=True, text=True, timeout=20).stdout
        if any(line.strip().startswith("0x") for line in tree.splitlines()):
            return
        if process.poll() is not None:
            raise Failure("the saver ended: %r" % (process.communicate(),))
        time.sleep(0.1)
    raise Failure("no window appeared in the host")


def case_saver_runs_never_map_gtk(display):
    host = subprocess.Popen([HOST_WINDOW, "320", "240"], env=display.env, stdin=subprocess.PIPE,
                            stdout=subprocess.PIPE, text=True)
    try:
        host_id = int(host.stdout.readline())
        # As the daemon starts it: --root, with its window in XSCREENSAVER_WINDOW.
        display.env["XSCREENSAVER_WINDOW"] = "0x%X" % host_id
        for args in (["/s"], ["/p", str(host_id)], ["--root"]):
            saver = start(display, BRISALO, *args)
            try:
                if args[0] == "--root":
                    wait_for_child(display, host_id, saver)
                else:
                    display.find("SaverWindow", saver)
                time.sleep(0.5)  # a few frames drawn
                loaded = gtk_in(mapped_files(saver))
                check(not loaded, "%s maps %s" % (" ".join(args), loaded))
            finally:
                saver.terminate()
                if args[0] == "--root":
                    saver_e2e.expect_end_by_signal(saver, "SIGTERM to --root", signal.SIGTERM)
                else:
                    expect_exit_zero(saver, "SIGTERM to %s" % " ".join(args))
        # The dialog does load it, from beside the executable.
        dialog = start(display, BRISALO, "/c")
        try:
            window = display.find("Config dialog", dialog)[0]
            check(any("brisalo-dialogs" in f for f in mapped_files(dialog)), "/c runs without the dialog module")
            display.focus(window)
            display.xdotool("key", "Escape")
            expect_exit_zero(dialog, "Escape in the dialog")
        finally:
            stop(dialog)
    finally:
        host.stdin.close()
        host.wait(timeout=10)


@contextlib.contextmanager
def copy_without_module():
    """The folder and path of a copy of the binary with no dialog module beside it."""
    lonely = tempfile.mkdtemp(prefix="brisalo-alone-")
    try:
        binary = os.path.join(lonely, "brisalo")
        shutil.copy(BRISALO, binary)
        yield lonely, binary
    finally:
        shutil.rmtree(lonely, ignore_errors=True)


def case_missing_module_costs_a_line(display):
    with copy_without_module() as (lonely, binary):
        dialog = start(display, binary, "/c")
        out, err = expect_exit_zero(dialog, "/c without its module", within=5.0)
        check(err.startswith('brisalo: cannot show "Config dialog": no brisalo-dialogs.so in ' + lonely),
              "unexpected message: %r" % err)
        check(err.count("\n") == 1, "more than one line: %r" % err)


def case_missing_module_message_box_goes_to_stderr(display):
    # On a display without GLX the saver's set-up fails with a message box.
    with copy_without_module() as (lonely, binary):
        saver = start(display, binary, "/s")
        out, err = expect_exit_zero(saver, "/s without GLX and without the module", within=8.0)
        lines = err.splitlines()
        check(lines and lines[0] == "brisalo: " + saver_e2e.NO_GLX_VISUAL,
              "the message is not the first line: %r" % err)
        check(all(line.startswith("brisalo: ") for line in lines), "a line without the prefix: %r" % err)


CASES = {
    "saver_runs_never_map_gtk": case_saver_runs_never_map_gtk,
    "missing_module_costs_a_line": case_missing_module_costs_a_line,
    "missing_module_message_box_goes_to_stderr": case_missing_module_message_box_goes_to_stderr,
}

if __name__ == "__main__":
    if len(sys.argv) != 4 or sys.argv[3] not in CASES:
        print(__doc__ + "\nCases: " + " ".join(CASES))
        sys.exit(2)
    BRISALO, HOST_WINDOW, name = sys.argv[1:]
    saver_e2e.BRISALO, saver_e2e.HOST_WINDOW = BRISALO, HOST_WINDOW
    for tool in ("Xvfb", "xdotool", "xwininfo"):
        if shutil.which(tool) is None:
            print("skipped: %s is not installed" % tool)
            sys.exit(77)
    try:
        with Display(opengl=not name.startswith("missing_module_message_box")) as display:
            CASES[name](display)
    except Failure as failure:
        print("FAILED: %s" % failure)
        sys.exit(1)
    print("passed")
