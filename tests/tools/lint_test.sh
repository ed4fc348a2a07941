#!/bin/sh
# The include rules of tools/lint.sh catch a layer that reaches up, a layer above platform/
# that reaches into one of its folders, and a window system's folder that reaches into
# another's, and only those. Usage: lint_test.sh LINT WORK_DIR
set -e
lint=$1 tree=$2
fail() { echo "FAILED: $1" >&2; exit 1; }
rm -rf "$tree"
mkdir -p "$tree/platform/x11" "$tree/platform/wayland" "$tree/platform/unix" "$tree/platform/gtk" "$tree/render" \
    "$tree/scene" "$tree/shell"
printf '#include "platform/platform.h"\n#include <X11/Xlib.h>\n#include "platform/unix/unix_layer.h"\n' \
    > "$tree/platform/x11/fine.cpp"
printf '#include "platform/egl/egl_extensions.h"\n#include "platform/wayland/wayland_state.h"\n' \
    > "$tree/platform/wayland/fine.cpp"
printf '#include "platform/unix/dialog_module.h"\n' > "$tree/platform/gtk/fine.cpp"
printf '#include "platform/platform.h"\n' > "$tree/shell/fine.cpp"
printf '#include "platform/platform.h"\n' > "$tree/scene/fine.h"
"$lint" "$tree" > "$tree/out" 2>&1 || fail "a clean tree fails: $(cat "$tree/out")"

printf '#include <cstdint>\n  #  include "shell/saver_state.h"\n' > "$tree/platform/x11/up.cpp"
printf '#include "platform/win32/win32_handles.h"\n' > "$tree/render/sideways.h"
printf '#include "platform/x11/x11_state.h"\n' > "$tree/shell/down.cpp"
printf '#include "platform/x11/dialog_module.h"\n' > "$tree/platform/wayland/across.cpp"
printf '#include "platform/wayland/wayland_state.h"\n' > "$tree/platform/unix/floor.cpp"
if "$lint" "$tree" > "$tree/out" 2>&1; then fail "the faults pass"; fi
grep -q "platform/x11/up.cpp:2:" "$tree/out" || fail "platform/ including shell/ is not named: $(cat "$tree/out")"
grep -q "render/sideways.h:1:" "$tree/out" || fail "render/ including platform/win32/ is not named"
grep -q "shell/down.cpp:1:" "$tree/out" || fail "shell/ including platform/x11/ is not named"
grep -q "platform/wayland/across.cpp:1:" "$tree/out" || fail "platform/wayland/ including platform/x11/ is not named"
grep -q "platform/unix/floor.cpp:1:" "$tree/out" || fail "platform/unix/ including platform/wayland/ is not named"
if grep -q "fine" "$tree/out"; then fail "a clean file is named: $(cat "$tree/out")"; fi
