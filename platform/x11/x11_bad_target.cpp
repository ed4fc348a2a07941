#include "platform/x11/x11_bad_target.h"

#include <cstdio>

#include "platform/x11/x11_error_trap.h"

namespace {

// "BadMatch", not Xlib's whole "BadMatch (invalid parameter attributes)".
std::string ErrorName(Display* display, int errorCode) {
    char text[160] = {};
    XGetErrorText(display, errorCode, text, sizeof text);
    std::string name(text);
    const size_t space = name.find(' ');
    return space == std::string::npos ? name : name.substr(0, space);
}

enum class TargetKind { Missing, Pixmap, InputOnlyWindow, DrawableWindow };

// Windows and pixmaps both answer a geometry request; only windows have attributes.
TargetKind Classify(Display* display, Window target) {
    {
        X11ErrorTrap trap(display);
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display, target, &attributes) && !trap.failed()) {
            return attributes.c_class == InputOnly ? TargetKind::InputOnlyWindow : TargetKind::DrawableWindow;
        }
    }
    X11ErrorTrap trap(display);
    Window root = 0;
    int x = 0, y = 0;
    unsigned int width = 0, height = 0, border = 0, depth = 0;
    if (XGetGeometry(display, target, &root, &x, &y, &width, &height, &border, &depth) && !trap.failed()) {
        return TargetKind::Pixmap;
    }
    return TargetKind::Missing;
}

}  // namespace

std::string X11DescribeBadTarget(Display* display, Window target, int errorCode) {
    char window[40];
    std::snprintf(window, sizeof window, "cannot draw in window 0x%lx: ", target);
    const std::string error = errorCode != 0 ? " (" + ErrorName(display, errorCode) + ")" : "";
    switch (Classify(display, target)) {
    case TargetKind::Missing:
        return window + std::string("it does not exist");
    case TargetKind::Pixmap:
        return window + std::string("it is a pixmap, not a window");
    case TargetKind::InputOnlyWindow:
        return window + std::string("it is not a window that can be drawn in") + error;
    case TargetKind::DrawableWindow:
        break;
    }
    return window + std::string("the X server refused a window inside it") + error;
}
