#pragma once

#include <cstdint>

#include "platform/platform.h"
#include "render/renderer.h"

// The Renderer's views for the monitors a window of this size covers: each monitor cut to
// the window, in GL's bottom-left coordinates; `views` has room for `count`. Returns how many.
int32_t ViewsForMonitors(const PlatformMonitor* monitors, int32_t count, int32_t windowWidth,
                         int32_t windowHeight, RenderView* views);

// Tells the current Renderer the monitors of the saver window, as they are now.
void UpdateSaverViews();
