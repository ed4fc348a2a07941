#!/bin/sh
# brisalo-frames end to end: the same arguments give the same bytes, the file names and
# sizes are as asked, no display server is needed, and failures say why with a non-zero exit.
set -u
frames="$1"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

mkdir "$dir/a" "$dir/b"
"$frames" --size 320x200 --seed 5 --out "$dir/a" 2 0 || fail "first run"
"$frames" --size 320x200 --seed 5 --out "$dir/b" 0 2 || fail "second run"
{ [ -f "$dir/a/frame-00000.png" ] && [ -f "$dir/a/frame-00002.png" ]; } || fail "files missing"
[ ! -e "$dir/a/frame-00001.png" ] || fail "an unlisted frame was written"
cmp -s "$dir/a/frame-00002.png" "$dir/b/frame-00002.png" || fail "runs differ"
cmp -s "$dir/a/frame-00000.png" "$dir/a/frame-00002.png" && fail "the picture does not move"
# PNG header: width and height as big-endian words at bytes 16 and 20.
size=$(od -An -tu1 -j16 -N8 "$dir/a/frame-00000.png" | tr -s ' ')
[ "$size" = " 0 0 1 64 0 0 0 200" ] || fail "size is $size"
"$frames" --size 320x200 --seed 6 --out "$dir/b" 2 || fail "third run"
cmp -s "$dir/a/frame-00002.png" "$dir/b/frame-00002.png" && fail "seed makes no difference"

"$frames" --size 0x10 1 2>"$dir/err" && fail "bad size accepted"
grep -q "size" "$dir/err" || fail "bad size not explained"
"$frames" --out "$dir/none" 1 2>"$dir/err" && fail "missing folder accepted"
grep -q "cannot write" "$dir/err" || fail "missing folder not explained"
# No display server of either kind: EGL's surfaceless platform draws the same frame.
mkdir "$dir/c"
env -u DISPLAY -u WAYLAND_DISPLAY -u XAUTHORITY "$frames" --size 320x200 --seed 5 --out "$dir/c" 2 2>"$dir/err" ||
    fail "no frame without a display server: $(cat "$dir/err")"
cmp -s "$dir/a/frame-00002.png" "$dir/c/frame-00002.png" || fail "the frame differs without a display server"
"$frames" --help | grep -q "DISPLAY nor WAYLAND_DISPLAY" || fail "--help does not say that no display is needed"
echo "PASS"
