#!/usr/bin/env python3
"""brisalo.xml and the binary never drift apart: every argument line the host can build
from the description starts the saver in a host's window, with no complaint, and draws;
each slider's range is exactly the range the binary accepts; --help names every option.

Usage: host_description_test.py BRISALO HOST_WINDOW BRISALO_XML
"""
import os
import signal
import subprocess
import sys
import time
import xml.etree.ElementTree as ElementTree

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import saver_e2e  # noqa: E402
from saver_e2e import Display, Failure, check, stop  # noqa: E402


def description(path):
    """The fixed arguments, every widget's argument choices, and each slider's range."""
    root = ElementTree.parse(path).getroot()
    check(root.tag == "screensaver" and root.get("name") == "brisalo" and root.get("_label") == "Brisalo",
          "not Brisalo's description: %s" % root.attrib)
    check(root.get("gl") == "yes", "the host would not give it a GL visual")
    fixed = [c.get("arg") for c in root.iter("command")]
    check(fixed == ["--root"], "the command is %s" % fixed)
    choices, ranges = [], []
    for boolean in root.iter("boolean"):
        for key in ("arg-set", "arg-unset"):
            if boolean.get(key):
                choices.append(boolean.get(key).split())
    for number in root.iter("number"):
        low, high, default = (int(number.get(k)) for k in ("low", "high", "default"))
        check(low <= default <= high, "%s: default %d outside %d..%d" % (number.get("id"), default, low, high))
        template = number.get("arg")
        for value in (low, default, high):
            choices.append(template.replace("%", str(value)).split())
        ranges.append((template, low, high))
    text = (root.findtext("_description") or "").strip()
    check(len(text) > 100, "no description worth the name")
    return fixed, choices, ranges


def children(display, window):
    tree = subprocess.run(["xwininfo", "-children", "-id", str(window)], env=display.env, stdin=subprocess.DEVNULL,
                          capture_output=True, text=True, timeout=20).stdout
    return [int(line.split()[0], 16) for line in tree.splitlines() if line.strip().startswith("0x")]


def run_in_host(display, host_id, args, shot, expect_picture=True, timeout=20.0):
    """Starts the saver as the host would; answers its standard error once it drew (or ran)."""
    env = dict(display.env, XSCREENSAVER_WINDOW="0x%X" % host_id)
    saver = subprocess.Popen([BRISALO, *args], env=env, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                             stderr=subprocess.PIPE, text=True, start_new_session=True)
    try:
        deadline = time.monotonic() + timeout
        while True:
            if saver.poll() is not None:
                raise Failure("%s ended: %r" % (" ".join(args), saver.communicate()))
            if children(display, host_id):
                display.screenshot(host_id, shot)
                if not expect_picture or display.brightest(shot) > 0.2:
                    break
            check(time.monotonic() < deadline, "%s drew nothing in its host" % " ".join(args))
            time.sleep(0.2)
        saver.terminate()
        check(saver_e2e.ended(saver, 5.0), "%s did not end on SIGTERM" % " ".join(args))
        out, err = saver.communicate()
        check(saver.returncode == -signal.SIGTERM, "%s: exit code %d" % (" ".join(args), saver.returncode))
        return err
    finally:
        stop(saver)


def main():
    global BRISALO
    BRISALO, host_window, xml = sys.argv[1:4]
    fixed, choices, ranges = description(xml)
    with Display() as display:
        usage = subprocess.run([BRISALO, "--help"], env=display.env, stdin=subprocess.DEVNULL, capture_output=True,
                               text=True, timeout=20)
        check(usage.returncode == 0, "--help: exit code %d" % usage.returncode)
        for option in [fixed[0]] + [args[0] for args in choices]:
            check(option.lstrip("-") in usage.stdout, "--help does not name %s:\n%s" % (option, usage.stdout))
        host = subprocess.Popen([host_window, "320", "240"], env=display.env, stdin=subprocess.PIPE,
                                stdout=subprocess.PIPE, text=True)
        try:
            host_id = int(host.stdout.readline())
            shot = os.path.join(display.config, "host.png")
            for args in [[]] + choices:
                err = run_in_host(display, host_id, fixed + args, shot)
                complaints = [line for line in err.splitlines() if args and args[0] in line]
                check(not complaints, "%s: %s" % (" ".join(args), complaints))
            # One step outside a slider's range is refused, naming the option and its range.
            for template, low, high in ranges:
                option = template.split()[0]
                for value in (low - 1, high + 1):
                    args = template.replace("%", str(value)).split()
                    err = run_in_host(display, host_id, fixed + args, shot, expect_picture=False)
                    said = [line for line in err.splitlines() if option.lstrip("-") in line]
                    check(said and str(low) in said[0] and str(high) in said[0],
                          "%s: no message naming %s and %d to %d: %r" % (" ".join(args), option, low, high, err))
        finally:
            host.stdin.close()
            host.wait(timeout=10)


if __name__ == "__main__":
    try:
        main()
    except Failure as failure:
        print("FAILED: %s" % failure)
        sys.exit(1)
    print("passed")
