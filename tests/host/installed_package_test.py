#!/usr/bin/env python3
"""A package built on another Debian release installs here with apt, and the installed
saver draws a kaleidoscope full screen and ends with 0 on SIGTERM; then it is purged.

Usage: installed_package_test.py DEB   (as root, on a system the package may be installed on)
"""
import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import saver_e2e  # noqa: E402
from saver_e2e import Display, Failure, check, expect_exit_zero, stop, wait_symmetric  # noqa: E402


def apt(*args):
    env = dict(os.environ, DEBIAN_FRONTEND="noninteractive")
    return subprocess.run(["apt-get", "-y", "--no-install-recommends", *args], env=env, stdin=subprocess.DEVNULL,
                          capture_output=True, text=True, timeout=900)


def main():
    if len(sys.argv) != 2:
        raise SystemExit(__doc__)
    deb = os.path.abspath(sys.argv[1])
    saver_e2e.BRISALO = "/usr/bin/brisalo"
    try:
        installed = apt("install", deb)
        if installed.returncode != 0:  # the lists may be older than the archive
            apt("update")
            installed = apt("install", deb)
        check(installed.returncode == 0, "apt-get cannot install %s:\n%s" % (deb, installed.stderr[-2000:]))
        version = subprocess.run([saver_e2e.BRISALO, "--version"], capture_output=True, text=True, timeout=20)
        check(version.returncode == 0 and version.stdout.startswith("brisalo "), "--version: %r" % version.stdout)
        with Display() as display:
            saver = display.start("/s")
            try:
                display.find("SaverWindow", saver)
                wait_symmetric(display, "root", "installed.png", saver)
                saver.terminate()
                expect_exit_zero(saver, "SIGTERM")
            finally:
                stop(saver)
    except Failure as failure:
        print("FAILED: %s" % failure)
        return 1
    finally:
        apt("purge", "brisalo")
    print("passed: %s installs and draws" % os.path.basename(deb))
    return 0


if __name__ == "__main__":
    sys.exit(main())
