#include "shell/saver_views.h"

#include <cstddef>
#include <vector>

#include "shell/saver_state.h"

namespace {

constexpr int32_t kFewMonitors = 8;

int32_t Clamp(int32_t value, int32_t low, int32_t high) { return value < low ? low : value > high ? high : value; }

}  // namespace

// The window's first surface is the window; a further one is as large as its monitors,
// which is how a window system with a surface per output gives them.
int32_t ViewsForMonitors(const PlatformMonitor* monitors, int32_t count, int32_t windowWidth,
                         int32_t windowHeight, RenderView* views) {
    int32_t made = 0;
    for (int32_t i = 0; i < count; ++i) {
        const PlatformMonitor& monitor = monitors[i];
        int32_t surfaceWidth = windowWidth;
        int32_t surfaceHeight = windowHeight;
        if (monitor.surface != 0) {
            surfaceWidth = monitor.rect.right;
            surfaceHeight = monitor.rect.bottom;
        }
        const int32_t left = Clamp(monitor.rect.left, 0, surfaceWidth);
        const int32_t right = Clamp(monitor.rect.right, 0, surfaceWidth);
        const int32_t top = Clamp(monitor.rect.top, 0, surfaceHeight);
        const int32_t bottom = Clamp(monitor.rect.bottom, 0, surfaceHeight);
        if (right <= left || bottom <= top) continue;
        RenderView& view = views[made];
        view.x = left;
        view.y = surfaceHeight - bottom;
        view.width = right - left;
        view.height = bottom - top;
        view.surface = monitor.surface;
        // Views after the first on a surface of their own find it uncleared.
        view.clear = made > 0 && monitor.surface != views[0].surface;
        for (int32_t j = 1; j < made && view.clear; ++j) {
            if (views[j].surface == monitor.surface) view.clear = false;
        }
        ++made;
    }
    return made;
}

void UpdateSaverViews() {
    if (currentRenderer == nullptr) return;
    // Room for the usual few; the answer says when there are more, and a second asks for all.
    std::vector<PlatformMonitor> monitors(kFewMonitors);
    int32_t count = PlatformGetMonitors(saverWindow, monitors.data(), kFewMonitors);
    if (count > kFewMonitors) {
        monitors.resize(static_cast<size_t>(count));
        count = PlatformGetMonitors(saverWindow, monitors.data(), count);
    }
    if (count > static_cast<int32_t>(monitors.size())) count = static_cast<int32_t>(monitors.size());
    if (count < 0) count = 0;
    std::vector<RenderView> views(static_cast<size_t>(count));
    const int32_t made =
        ViewsForMonitors(monitors.data(), count, currentRenderer->width, currentRenderer->height, views.data());
    currentRenderer->setViews(views.data(), made);
}
