#pragma once

// The key table moved to platform/unix, where the Wayland layer shares it.
#include "platform/unix/key_table.h"
