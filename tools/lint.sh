#!/bin/sh
# The lint step of the test command: shellcheck on the scripts, and the include rules of the
# layers: platform/ is the ground floor and includes nothing from the folders above it
# (shell/, scene/, render/, images/, tools/); scene/, images/ and render/ include no window
# system's folder (platform/x11/, platform/win32/, platform/wayland/).
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
forbid 'shell|scene|render|images|tools' platform
forbid 'platform/x11|platform/win32|platform/wayland' scene images render
[ $status -eq 0 ] || echo "lint: failed" >&2
exit $status
