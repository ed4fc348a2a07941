#!/bin/sh
# Cross-builds the Windows saver, build-windows/Brisalo.scr, with mingw-w64, and its
# installer, build-windows/Brisalo.msi, with wixl. libjpeg and GoogleTest are built for
# Windows from Debian's own source packages and kept under build-windows/ between runs.
set -e
cd "$(dirname "$0")/.."
. tools/lib.sh
root=$(pwd)
out="$root/build-windows"
toolchain="$root/cmake/mingw-w64-x86_64.cmake"
jobs=$(brisalo_jobs)
tools/deps.sh run windows
mkdir -p "$out"

# Debian has no mingw libjpeg; its source package is fetched through a source list of our
# own, made from the archive addresses this machine already uses, so no system file changes.
deb_sources() {
    codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
    for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -f "$file" ] || continue
        sed -n "s/^[[:space:]]*deb[[:space:]]\(.*[[:space:]]${codename}[-a-z]*[[:space:]].*\)/deb-src \1/p" "$file"
    done
    for file in /etc/apt/sources.list.d/*.sources; do
        [ -f "$file" ] || continue
        awk -v codename="$codename" '
            function flush(   i, j, n, m, u, s, opt) {
                if (types ~ /(^| )deb( |$)/ && uris != "" && enabled != "no") {
                    n = split(uris, u, " "); m = split(suites, s, " ")
                    opt = signed != "" ? "[signed-by=" signed "] " : ""
                    for (i = 1; i <= n; i++) for (j = 1; j <= m; j++)
                        if (index(s[j], codename) == 1) print "deb-src " opt u[i] " " s[j] " " comps
                }
                types = uris = suites = comps = signed = enabled = ""
            }
            /^[[:space:]]*$/ { flush(); next }
            /^#/ { next }
            { key = tolower($1); sub(/^[^:]*:[[:space:]]*/, ""); }
            key == "types:" { types = $0 } key == "uris:" { uris = $0 }
            key == "suites:" { suites = $0 } key == "components:" { comps = $0 }
            key == "signed-by:" { signed = $0 } key == "enabled:" { enabled = tolower($0) }
            END { flush() }' "$file"
    done
}

jpeg="$out/libjpeg"
if [ ! -f "$jpeg/install/lib/libjpeg.a" ]; then
    rm -rf "$jpeg"
    mkdir -p "$jpeg/apt/lists/partial" "$jpeg/apt/cache/archives/partial" "$jpeg/source"
    deb_sources > "$jpeg/apt/sources.list"
    if [ ! -s "$jpeg/apt/sources.list" ]; then
        echo "build-windows: no Debian archive in /etc/apt to fetch libjpeg-turbo's source from" >&2
        exit 1
    fi
    set -- -o Dir::Etc::SourceList="$jpeg/apt/sources.list" -o Dir::Etc::SourceParts=- \
        -o Dir::State::Lists="$jpeg/apt/lists" -o Dir::Cache="$jpeg/apt/cache" -o APT::Sandbox::User=root
    apt-get "$@" update -qq
    if ! (cd "$jpeg/source" && apt-get "$@" source -qq libjpeg-turbo); then
        # A mirror may carry this release's binaries without its sources; the release
        # before it has the same library.
        echo "build-windows: libjpeg-turbo's source for this release is not on the archive; taking oldstable's" >&2
        codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
        sed -i -e "/ ${codename}-/d" -e "s/ ${codename} / oldstable /" "$jpeg/apt/sources.list"
        rm -rf "$jpeg/source" "$jpeg/apt/lists"
        mkdir -p "$jpeg/source" "$jpeg/apt/lists/partial"
        apt-get "$@" update -qq
        (cd "$jpeg/source" && apt-get "$@" source -qq libjpeg-turbo)
    fi
    src=$(find "$jpeg/source" -mindepth 1 -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n 1)
    cmake -S "$src" -B "$jpeg/build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$jpeg/install" -DENABLE_SHARED=OFF -DWITH_TURBOJPEG=OFF -DWITH_SIMD=0 >/dev/null
    cmake --build "$jpeg/build" -j "$jobs" --target install >/dev/null
fi

# GoogleTest for the Windows test programs, from the source that Debian's googletest ships.
gtest="$out/googletest"
if [ ! -f "$gtest/install/lib/libgtest.a" ]; then
    rm -rf "$gtest"
    cmake -S /usr/src/googletest -B "$gtest/build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$gtest/install" -DBUILD_GMOCK=OFF \
        -DCMAKE_INSTALL_LIBDIR=lib >/dev/null
    cmake --build "$gtest/build" -j "$jobs" --target install >/dev/null
fi

configure_tree "$out" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release -DBRISALO_BENCH=OFF \
    -DJPEG_INCLUDE_DIR="$jpeg/install/include" -DJPEG_LIBRARY_RELEASE="$jpeg/install/lib/libjpeg.a" \
    -DGTest_DIR="$gtest/install/lib/cmake/GTest"
cmake --build "$out" -j "$jobs"

# The installer, from the project's version and the files just built (wixl takes its source
# files as paths relative to the current folder).
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$out/CMakeCache.txt")
wixl -a x64 -D Version="$version" -D SaverFile=build-windows/Brisalo.scr -D LicenseFile=LICENSE \
    -D IconFile=images/data/Brisalo.ico -o "$out/Brisalo.msi" dist/windows/Brisalo.wxs
echo "build-windows: $out/Brisalo.scr, $out/Brisalo.msi"
