#!/bin/sh
# The lint step of the test command: shellcheck on the scripts, and the include rules of the
# layers: platform/ is the ground floor and includes nothing from the folders above it
# (shell/, scene/, render/, images/, tools/, tests/, bench/); shell/, scene/, images/ and
# render/ include none of platform/'s folders (the window systems x11/, wayland/, win32/,
# the Linux floor unix/, gtk/, egl/, fake/), only its top-level contract; and each of those
# folders includes no other but the floors it stands on (x11/ and wayland/ on unix/ and egl/,
# gtk/ on unix/).
# Usage: tools/lint.sh [TREE]   (default: this source tree; the include rules only for
# another TREE). Prints each fault; exit 1 when there is one.
set -e
here=$(cd "$(dirname "$0")/.." && pwd)
tree=${1:-$here}
status=0

if [ $# -eq 0 ]; then
    cd "$here"
    # shellcheck disable=SC2046  # one word a file
    if ! shellcheck -x $(git ls-files '*.sh' .ci/run 2>/dev/null || find tools tests .ci -name '*.sh'); then
        status=1
    fi
fi

cd "$tree"
# A line of grep's -n output: FILE:LINE:#include "folder/..."
forbid() {
    folders=$1
    shift
    for root in "$@"; do
        [ -d "$root" ] || continue
        found=$(grep -rnE --include='*.h' --include='*.cpp' --include='*.c' \
            "^[[:space:]]*#[[:space:]]*include[[:space:]]*\"($folders)/" "$root" || true)
        if [ -n "$found" ]; then
            echo "$found" | sed "s|\$|   <- $root/ may not include this|"
            status=1
        fi
    done
}
forbid 'shell|scene|render|images|tools|tests|bench' platform
forbid 'platform/(x11|wayland|win32|unix|gtk|egl|fake)' shell scene images render
# Each platform folder, then the folders it may include besides itself.
while read -r folder floors; do
    others=$(echo "x11 wayland win32 unix gtk egl fake" | tr ' ' '\n' |
        grep -vxE "$folder${floors:+|$(echo "$floors" | tr ' ' '|')}" | paste -sd '|' -)
    forbid "platform/($others)" "platform/$folder"
done <<EOF
x11 unix egl
wayland unix egl
gtk unix
unix
egl
win32
fake
EOF
[ $status -eq 0 ] || echo "lint: failed" >&2
exit $status
