// The monitors a full-screen window covers (RandR 1.5 monitors, else Xinerama heads) and
// whether the display sleeps (DPMS).
#include <X11/extensions/Xinerama.h>
#include <X11/extensions/Xrandr.h>
#include <X11/extensions/dpms.h>

#include "platform/x11/x11_error_trap.h"
#include "platform/x11/x11_state.h"

namespace {

// A cloned output shows up twice with the same rectangle; one view serves it.
void Add(std::vector<PlatformRect>* rects, int x, int y, int width, int height) {
    if (width <= 0 || height <= 0) return;
    const PlatformRect rect{x, y, x + width, y + height};
    for (const PlatformRect& seen : *rects) {
        if (seen.left == rect.left && seen.top == rect.top && seen.right == rect.right && seen.bottom == rect.bottom) {
            return;
        }
    }
    rects->push_back(rect);
}

void RandrMonitors(Display* display, Window root, std::vector<PlatformRect>* rects) {
    if (!x11.monitors.randr15) return;
    int listed = 0;
    XRRMonitorInfo* info = XRRGetMonitors(display, root, True, &listed);
    if (info == nullptr) return;
    for (int i = 0; i < listed; ++i) Add(rects, info[i].x, info[i].y, info[i].width, info[i].height);
    XRRFreeMonitors(info);
}

void XineramaMonitors(Display* display, std::vector<PlatformRect>* rects) {
    int events = 0, errors = 0;
    if (!XineramaQueryExtension(display, &events, &errors) || !XineramaIsActive(display)) return;
    int listed = 0;
    XineramaScreenInfo* info = XineramaQueryScreens(display, &listed);
    if (info == nullptr) return;
    for (int i = 0; i < listed; ++i) Add(rects, info[i].x_org, info[i].y_org, info[i].width, info[i].height);
    XFree(info);
}

}  // namespace

void X11WatchMonitors(Display* display, Window root) {
    // A monitor set or deleted within the same screen size is told only this way.
    XSelectInput(display, root, StructureNotifyMask);
    int errorBase = 0;
    int major = 0, minor = 0;
    if (!XRRQueryExtension(display, &x11.monitors.randrEventBase, &errorBase) ||
        !XRRQueryVersion(display, &major, &minor)) {
        x11.monitors.randrEventBase = -1;
        return;
    }
    x11.monitors.randr15 = major > 1 || (major == 1 && minor >= 5);
    XRRSelectInput(display, root, RRScreenChangeNotifyMask);
}

bool X11IsScreenChange(const XEvent& event) {
    return x11.monitors.randrEventBase >= 0 && event.type == x11.monitors.randrEventBase + RRScreenChangeNotify;
}

// A hosted or preview window is one monitor whatever lies beneath it: its host decides.
int32_t PlatformGetMonitors(PlatformWindow window, PlatformMonitor* monitors, int32_t capacity) {
    if (x11.display == nullptr || window == 0 || window != x11.window || capacity < 1) return 0;
    std::vector<PlatformRect> rects;
    if (x11.host == 0) {
        X11ErrorTrap trap(x11.display);
        const Window root = DefaultRootWindow(x11.display);
        RandrMonitors(x11.display, root, &rects);
        if (rects.empty()) XineramaMonitors(x11.display, &rects);
        if (trap.failed()) rects.clear();
    }
    if (rects.empty()) rects.push_back({0, 0, x11.width, x11.height});
    const int32_t count = static_cast<int32_t>(rects.size());
    for (int32_t i = 0; i < count && i < capacity; ++i) {
        monitors[i].rect = rects[static_cast<size_t>(i)];
        monitors[i].surface = 0;
    }
    return count;
}

// Asked at most five times a second: a round trip each frame would buy nothing.
bool PlatformIsDisplayOff() {
    X11MonitorState& state = x11.monitors;
    if (x11.display == nullptr) return false;
    const uint32_t now = PlatformGetTickCount();
    if (state.dpmsChecked && now - state.dpmsCheckTick < 200) return state.displayOff;
    state.dpmsChecked = true;
    state.dpmsCheckTick = now;
    if (state.dpmsPresent < 0) {
        int events = 0, errors = 0;
        state.dpmsPresent = DPMSQueryExtension(x11.display, &events, &errors) && DPMSCapable(x11.display) ? 1 : 0;
    }
    state.displayOff = false;
    if (state.dpmsPresent == 1) {
        CARD16 level = DPMSModeOn;
        BOOL enabled = False;
        if (DPMSInfo(x11.display, &level, &enabled) && enabled) state.displayOff = level != DPMSModeOn;
    }
    return state.displayOff;
}
