#pragma once

// The generated client headers of the protocols the Wayland layer speaks, in one place.
#include <wayland-client.h>

#include "ext-session-lock-v1-client-protocol.h"
#include "xdg-output-unstable-v1-client-protocol.h"
#include "xdg-shell-client-protocol.h"
// Workaround: the layer-shell header names an argument `namespace`, a C++ keyword.
#define namespace layer_namespace
#include "wlr-layer-shell-unstable-v1-client-protocol.h"
#undef namespace
