#!/bin/sh
# Regenerates the saver's pictures and checks that they are byte for byte the committed ones.
# Usage: pictures_test.sh GENERATOR DATA_DIR OUT_DIR
set -e
generator=$1 data=$2 out=$3
rm -rf "$out"
mkdir -p "$out"
"$generator" "$out" > "$out/cells.txt"
status=0
for name in JPEG_ORBELINE_RGB.jpg JPEG_ORBELINE_MASK.jpg LOGO_MASK.jpg Brisalo.ico \
    brisalo-16.png brisalo-32.png brisalo-48.png brisalo-256.png; do
    if ! cmp -s "$out/$name" "$data/$name"; then
        echo "$name: the generator no longer makes the committed file (new one: $out/$name)" >&2
        status=1
    fi
done
exit $status
