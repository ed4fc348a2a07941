#!/usr/bin/env python3
"""The Debian package: built with CPack from the build tree, it holds the saver, its
dialog module, the host's copy and description, the man page and the settings launcher;
its dependencies are computed; lintian finds nothing; and the unpacked saver finds its
dialog module from either of its names.

Usage: package_test.py BUILD_DIR VERSION HOST_WINDOW
"""
import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import saver_e2e  # noqa: E402
from saver_e2e import Display, Failure, check, expect_exit_zero, stop  # noqa: E402

EXPECTED = {
    "./usr/bin/brisalo": "-rwxr-xr-x",
    "./usr/libexec/brisalo/brisalo-dialogs.so": "-rw-r--r--",
    "./usr/libexec/brisalo/brisalo-wayland": "-rwxr-xr-x",
    "./usr/libexec/brisalo/brisalo-password-check": "-rwxr-xr-x",
    "./etc/pam.d/brisalo": "-rw-r--r--",
    "./usr/libexec/xscreensaver/brisalo -> ../../bin/brisalo": "lrwxrwxrwx",
    "./usr/share/xscreensaver/config/brisalo.xml": "-rw-r--r--",
    "./usr/share/man/man6/brisalo.6.gz": "-rw-r--r--",
    "./usr/share/applications/brisalo-settings.desktop": "-rw-r--r--",
    "./usr/share/applications/screensavers/brisalo.desktop": "-rw-r--r--",
    "./usr/share/icons/hicolor/16x16/apps/brisalo.png": "-rw-r--r--",
    "./usr/share/icons/hicolor/32x32/apps/brisalo.png": "-rw-r--r--",
    "./usr/share/icons/hicolor/48x48/apps/brisalo.png": "-rw-r--r--",
    "./usr/share/icons/hicolor/256x256/apps/brisalo.png": "-rw-r--r--",
    "./usr/share/doc/brisalo/copyright": "-rw-r--r--",
    "./usr/share/doc/brisalo/changelog.gz": "-rw-r--r--",
}
# Lintian tags we keep, each with its reason (none today).
KEPT_WARNINGS = set()


def run(*args, **kwargs):
    return subprocess.run(list(args), stdin=subprocess.DEVNULL, capture_output=True, text=True, timeout=600,
                          **kwargs)


def files_of(deb):
    listing = run("dpkg-deb", "--contents", deb).stdout.splitlines()
    files = {}
    for line in listing:
        fields = line.split(None, 5)
        if len(fields) == 6 and not fields[0].startswith("d"):
            files[fields[5]] = fields[0]
    return files


def check_control(deb, version):
    field = lambda name: run("dpkg-deb", "--field", deb, name).stdout.strip()  # noqa: E731
    check(field("Package") == "brisalo", "package name %r" % field("Package"))
    check(field("Version") == version, "version %r, not the project's %s" % (field("Version"), version))
    depends = field("Depends")
    for library in ("libc6", "libx11-6", "libjpeg62-turbo", "libgtk-3-0", "libglx0", "libwayland-client0",
                    "libwayland-egl1", "libegl1", "libxkbcommon0", "libpam0g"):
        check(library in depends, "%s is not among the computed dependencies: %s" % (library, depends))
    check(field("Suggests") == "xscreensaver", "Suggests: %r" % field("Suggests"))
    maintainer = field("Maintainer")
    check(maintainer.startswith("The Brisalo project <") and "example" not in maintainer, "Maintainer: %r" % maintainer)


def check_lintian(deb):
    result = run("lintian", "--no-tag-display-limit", deb)
    tags = [line for line in result.stdout.splitlines() if line[:2] in ("E:", "W:")]
    errors = [t for t in tags if t.startswith("E:")]
    unexplained = [t for t in tags if t.startswith("W:") and t.split()[2] not in KEPT_WARNINGS]
    check(not errors and not unexplained, "lintian: %s" % "\n".join(errors + unexplained))
    check(result.returncode in (0, 1) and "E:" not in result.stderr, "lintian failed: %s" % result.stderr)


def sections(binary):
    listing = run("readelf", "-S", "-W", binary).stdout
    return {field for line in listing.splitlines() for field in line.split() if field.startswith(".")}


def check_plain_install(build, deb_files):
    """cmake --install gives the package's tree, stripped as the package is."""
    stage = tempfile.mkdtemp(prefix="brisalo-install-")
    try:
        installed = run("cmake", "--install", build, "--prefix", "/usr", env=dict(os.environ, DESTDIR=stage))
        check(installed.returncode == 0, "cmake --install failed: %s" % installed.stderr)
        found = set()
        for folder, _, names in os.walk(stage):
            found.update("./" + os.path.relpath(os.path.join(folder, n), stage) for n in names)
        check(found == {p.split(" -> ")[0] for p in deb_files}, "cmake --install and the package differ: %s" %
              sorted(found ^ {p.split(" -> ")[0] for p in deb_files}))
        for binary in ("usr/bin/brisalo", "usr/libexec/brisalo/brisalo-dialogs.so"):
            kept = sections(os.path.join(stage, binary)) & {".symtab", ".debug_info", ".debug_line"}
            check(not kept, "cmake --install left %s in %s" % (sorted(kept), binary))
    finally:
        shutil.rmtree(stage, ignore_errors=True)


def check_host_entries(root):
    """MATE's entry starts the host's copy, which the package holds, as hosts do: --root."""
    with open(os.path.join(root, "usr/share/applications/screensavers/brisalo.desktop")) as f:
        entry = dict(line.split("=", 1) for line in f.read().splitlines() if "=" in line)
    check(entry.get("Exec") == "/usr/libexec/xscreensaver/brisalo --root", "Exec=%r" % entry.get("Exec"))
    check(entry.get("TryExec") == "/usr/libexec/xscreensaver/brisalo", "TryExec=%r" % entry.get("TryExec"))
    check(entry.get("Categories") == "Screensaver;" and entry.get("OnlyShowIn") == "MATE;", "entry %r" % entry)
    with open(os.path.join(root, "usr/share/doc/brisalo/copyright")) as f:
        copyright_text = f.read()
    check("License: Expat" in copyright_text and "Permission is hereby granted" in copyright_text,
          "the copyright file does not give the MIT (Expat) terms")


def check_unpacked_dialog(root):
    # The host's name is a link to the saver, which finds its module relative to itself.
    with Display() as display:
        for name in ("usr/libexec/xscreensaver/brisalo", "usr/bin/brisalo"):
            dialog = subprocess.Popen([os.path.join(root, name), "/c"], env=display.env, stdin=subprocess.DEVNULL,
                                      stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True,
                                      start_new_session=True)
            try:
                window = display.find("Config dialog", dialog)[0]
                with open("/proc/%d/maps" % dialog.pid) as maps:
                    module = os.path.join(root, "usr/libexec/brisalo/brisalo-dialogs.so")
                    check(module in maps.read(), "%s did not load %s" % (name, module))
                display.focus(window)
                display.xdotool("key", "Escape")
                expect_exit_zero(dialog, "Escape in the unpacked dialog")
            finally:
                stop(dialog)


def main():
    if len(sys.argv) != 4:
        raise SystemExit(__doc__)
    build, version, saver_e2e.HOST_WINDOW = sys.argv[1:]
    for tool in ("cpack", "dpkg-deb", "dpkg-shlibdeps", "lintian", "Xvfb", "xdotool"):
        if shutil.which(tool) is None:
            print("FAILED: %s is not installed (tools/deps.sh installs it)" % tool)
            return 1
    work = tempfile.mkdtemp(prefix="brisalo-package-")
    try:
        made = run("cpack", "--config", os.path.join(build, "CPackConfig.cmake"), "-B", work)
        check(made.returncode == 0, "cpack failed:\n%s%s" % (made.stdout, made.stderr))
        arch = run("dpkg", "--print-architecture").stdout.strip()
        deb = os.path.join(work, "brisalo_%s_%s.deb" % (version, arch))
        check(os.path.exists(deb), "no %s among %s" % (os.path.basename(deb), os.listdir(work)))
        files = files_of(deb)
        check(files == EXPECTED, "the package holds\n  %s\nnot\n  %s" % (
            "\n  ".join("%s %s" % (m, p) for p, m in sorted(files.items())),
            "\n  ".join("%s %s" % (m, p) for p, m in sorted(EXPECTED.items()))))
        check_control(deb, version)
        check_lintian(deb)
        root = os.path.join(work, "root")
        check(run("dpkg-deb", "--extract", deb, root).returncode == 0, "dpkg-deb cannot unpack it")
        check_host_entries(root)
        check_plain_install(build, files)
        check_unpacked_dialog(root)
    except Failure as failure:
        print("FAILED: %s" % failure)
        return 1
    finally:
        shutil.rmtree(work, ignore_errors=True)
    print("passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
