#!/bin/sh
# Installs the Debian packages that Brisalo needs, by purpose:
#   run      build the saver and run it (tools/run.sh)
#   test     everything the Linux tests use: GoogleTest, the hosts (XScreenSaver, MATE's
#            screensaver, sway), the packaging checks, the fuzzers' clang, the lint
#   package  build the Debian package (tools/package.sh)
#   windows  cross-build the Windows saver and its installer, and run them under Wine
#   desktops the compositors of the Debian 13 stage beyond sway and cage (tools/test-debian13.sh),
#            and python3-gi for Mutter's remote-desktop keys
#   debian13 what makes that stage's root (mmdebstrap)
# Usage: tools/deps.sh [PURPOSE...] (default: run). As root it installs what is missing;
# otherwise it prints the line to run and fails.
set -e

# Building and running; the X extension and Wayland libraries are what the saver links, and
# librsvg2-common lets GTK draw the dialog's check marks (they are SVG).
RUN="cmake g++ make pkg-config libjpeg62-turbo-dev libgl-dev libglu1-mesa-dev libgl1-mesa-dri librsvg2-common \
libx11-dev libxrandr-dev libxinerama-dev libxext-dev libgtk-3-dev libpng-dev \
libwayland-dev libwayland-bin wayland-protocols libegl-dev libxkbcommon-dev libpam0g-dev \
xvfb xauth x11-utils imagemagick"
TEST="googletest libgtest-dev libbenchmark-dev xdotool x11-xserver-utils fonts-dejavu-core python3 \
libfreetype-dev zlib1g-dev clang libclang-rt-dev dpkg-dev file lintian shellcheck \
xscreensaver mate-screensaver dbus-x11 sway swayidle grim wtype cage xwayland passwd libpam-wrapper"
PACKAGE="dpkg-dev file"
DESKTOPS="labwc kwin-wayland mutter weston dbus-daemon python3-gi gir1.2-glib-2.0"
DEBIAN13="mmdebstrap"
# dpkg-dev: apt-get source unpacks the libjpeg-turbo source the Windows build compiles;
# googletest: the source of the Windows test programs' GoogleTest.
WINDOWS="g++-mingw-w64-x86-64-posix dpkg-dev googletest wine wine64 wixl"

[ $# -eq 0 ] && set -- run
PACKAGES=""
for purpose in "$@"; do
    case $purpose in
        run) PACKAGES="$PACKAGES $RUN" ;;
        test) PACKAGES="$PACKAGES $TEST" ;;
        package) PACKAGES="$PACKAGES $PACKAGE" ;;
        windows) PACKAGES="$PACKAGES $WINDOWS" ;;
        desktops) PACKAGES="$PACKAGES $DESKTOPS" ;;
        debian13) PACKAGES="$PACKAGES $DEBIAN13" ;;
        *) echo "deps: no purpose \"$purpose\" (run, test, package, windows, desktops, debian13)" >&2; exit 2 ;;
    esac
done

missing=""
for p in $PACKAGES; do
    case " $missing " in *" $p "*) continue ;; esac
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
    echo "Brisalo needs these Debian packages; install them with:" >&2
    echo "  sudo apt-get install -y$missing" >&2
    exit 1
fi
echo "Installing:$missing"
export DEBIAN_FRONTEND=noninteractive
# shellcheck disable=SC2086  # one word a package
if ! apt-get install -y --no-install-recommends $missing; then
    apt-get update
    apt-get install -y --no-install-recommends $missing
fi
