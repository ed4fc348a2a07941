#!/bin/sh
# The Debian 13 ("trixie") stage of the test command. Debian 12 cannot run today's desktops
# (sway 1.10, labwc, KWin 6, Mutter 48, weston 14), so this builds a Debian 13 root with
# mmdebstrap, copies the tree in and runs there: the build with -Werror under GCC and clang,
# the whole ctest suite (unit, GL, X11 and host end-to-end, and the Wayland suite under each
# compositor that runs headless) and the Debian 12 package installed and run on Debian 13.
#
# The root lives in BRISALO_DEBIAN13_ROOT (default /var/cache/brisalo/debian13). It is reused
# while it is complete and made anew when it is not; making it is bounded in time.
# Usage: tools/test-debian13.sh [DEB]   DEB: a package built on Debian 12 to install there.
# Run as root (chroot and mount need it).
set -e
cd "$(dirname "$0")/.."
. tools/lib.sh

if [ "${1:-}" = "--inside" ]; then
    # In the root, from the copied tree.
    shift
    jobs=$(brisalo_jobs)
    tools/deps.sh run test package desktops
    configure_test_tree
    cmake --build build -j "$jobs"
    configure_tree build-clang -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
        -DCMAKE_BUILD_TYPE=Debug -DBRISALO_WERROR=ON -DBRISALO_TESTS=ON
    cmake --build build-clang -j "$jobs"
    BRISALO_REQUIRE_GL=1 xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
        ctest --test-dir build --output-on-failure -j 1
    if [ $# -gt 0 ]; then
        python3 tests/host/installed_package_test.py "$1"
    fi
    exit 0
fi

[ "$(id -u)" -eq 0 ] || { echo "test-debian13: run as root (it makes and enters a chroot)" >&2; exit 1; }
root=${BRISALO_DEBIAN13_ROOT:-/var/cache/brisalo/debian13}
case $root in /*) ;; *) echo "test-debian13: BRISALO_DEBIAN13_ROOT must be an absolute path" >&2; exit 1 ;; esac
tools/deps.sh debian13
started=$(date +%s)

mounts="proc sys dev dev/pts dev/shm"
unmount_root() {
    for m in dev/shm dev/pts dev sys proc; do
        if mountpoint -q "$root/$m"; then umount "$root/$m" || umount -l "$root/$m"; fi
    done
}
# Removing a root that still has the system's /dev bound in it would empty the real one.
nothing_mounted_in() {
    ! findmnt -rn -o TARGET | grep -q "^$1/"
}

if [ ! -f "$root/.brisalo-complete" ]; then
    unmount_root
    nothing_mounted_in "$root" || { echo "test-debian13: something is still mounted in $root" >&2; exit 1; }
    rm -rf "$root" "$root.new"
    mkdir -p "$(dirname "$root")"
    echo "test-debian13: making the Debian 13 root in $root"
    if ! timeout 1200 mmdebstrap --quiet --variant=apt --include=ca-certificates trixie "$root.new"; then
        nothing_mounted_in "$root.new" && rm -rf "$root.new"
        echo "test-debian13: could not make the Debian 13 root (mmdebstrap failed or ran past 20 minutes;" \
            "the archive's trixie suite must answer)" >&2
        exit 1
    fi
    mv "$root.new" "$root"
    touch "$root/.brisalo-complete"
fi

trap unmount_root EXIT
trap 'exit 130' INT TERM
for m in $mounts; do
    mountpoint -q "$root/$m" || mount --bind "/$m" "$root/$m"
done
cp /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true

# The tree as git knows it (tracked and new files), without build trees.
rm -rf "$root/src/brisalo"
mkdir -p "$root/src/brisalo"
if git rev-parse --git-dir >/dev/null 2>&1; then
    git ls-files -co --exclude-standard -z | tar --null -cf - -T - | tar -xf - -C "$root/src/brisalo"
else
    tar --exclude='./build*' -cf - . | tar -xf - -C "$root/src/brisalo"
fi
deb_arg=""
if [ $# -gt 0 ]; then
    cp "$1" "$root/src/brisalo/"
    deb_arg="/src/brisalo/$(basename "$1")"
fi

status=0
# shellcheck disable=SC2086  # no argument when there is no package
chroot "$root" /usr/bin/env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    HOME=/root LANG=C.UTF-8 BRISALO_JOBS="$(brisalo_jobs)" \
    sh -c 'cd /src/brisalo && exec tools/test-debian13.sh --inside "$@"' sh $deb_arg || status=$?
echo "test-debian13: $(( $(date +%s) - started )) s"
exit $status
