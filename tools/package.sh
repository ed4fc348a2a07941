#!/bin/sh
# Builds the Debian package, build-package/brisalo_VERSION_ARCH.deb, in a tree of its own
# that builds what the package holds and no tests or benchmarks.
set -e
cd "$(dirname "$0")/.."
. tools/lib.sh
tools/deps.sh run package
configure_tree build-package -DCMAKE_BUILD_TYPE=Release -DBRISALO_TESTS=OFF -DBRISALO_BENCH=OFF \
    -DBRISALO_WERROR=OFF
cmake --build build-package -j "$(brisalo_jobs)"
cpack --config build-package/CPackConfig.cmake -B build-package >/dev/null
ls build-package/brisalo_*.deb
