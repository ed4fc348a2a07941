#!/bin/sh
# Builds the picture generator and writes the saver's three JPEGs and its icon (Brisalo.ico,
# brisalo-16/32/48/256.png) into images/data/.
# Usage: tools/pictures/generate.sh [OUTDIR [FIRST LAST]]
# BUILD_DIR (default: a fresh temporary directory) holds the compiled generator.
set -e
here=$(cd "$(dirname "$0")" && pwd)
out=${1:-$here/../../images/data}
build=${BUILD_DIR:-$(mktemp -d)}
mkdir -p "$build" "$out"
${CXX:-g++} -std=c++17 -O2 -Wall -Wextra -I/usr/include/freetype2 \
    "$here"/src/*.cpp -o "$build/pictures" -ljpeg -lfreetype -lz
if [ $# -gt 0 ]; then shift; fi
"$build/pictures" "$out" "$@" > "$build/cells.txt"
echo "wrote $(cd "$out" && pwd)/JPEG_ORBELINE_RGB.jpg, JPEG_ORBELINE_MASK.jpg, LOGO_MASK.jpg, Brisalo.ico, brisalo-*.png (cell list: $build/cells.txt)"
