#!/bin/sh
# Installs the Debian packages that building, running and testing Brisalo need.
# As root it installs what is missing; otherwise it prints the line to run and fails.
set -e

PACKAGES="cmake g++ make pkg-config libjpeg62-turbo-dev libgl-dev libglu1-mesa-dev \
libgl1-mesa-dri libegl-dev libx11-dev libgtk-3-dev libpng-dev googletest libgtest-dev libbenchmark-dev \
xvfb xauth xdotool x11-utils imagemagick fonts-dejavu-core python3 \
libfreetype-dev clang libclang-rt-14-dev \
g++-mingw-w64-x86-64-posix dpkg-dev wine wine64 \
file lintian xscreensaver \
sway swayidle grim wtype cage xwayland libwayland-dev wayland-protocols libxkbcommon-dev"

missing=""
for p in $PACKAGES; do
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
if ! apt-get install -y --no-install-recommends $missing; then
    apt-get update
    apt-get install -y --no-install-recommends $missing
fi
