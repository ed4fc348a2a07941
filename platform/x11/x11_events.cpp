// X events as the messages of the saver window.
#include <X11/Xutil.h>
#include <X11/extensions/Xrandr.h>

#include "platform/x11/x11_error_trap.h"
#include "platform/unix/key_table.h"
#include "platform/x11/x11_state.h"
#include "platform/messages.h"

namespace {

void Queue(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    unixLayer.queue.messages.push_back({x11.window, message, wParam, lParam});
}

intptr_t PointParam(int x, int y) {
    return static_cast<intptr_t>((static_cast<uint32_t>(y) & 0xFFFF) << 16 | (static_cast<uint32_t>(x) & 0xFFFF));
}

// The keypad's digits need Num Lock's level; every other key is named by its plain one.
void QueueKey(XKeyEvent& event) {
    KeySym level0 = XLookupKeysym(&event, 0);
    const KeySym level1 = XLookupKeysym(&event, 1);
    if ((event.state & Mod2Mask) != 0 && IsKeypadKey(level1)) level0 = level1;
    const TranslatedInput input =
        TranslateKeyPress(static_cast<uint32_t>(level0), static_cast<uint32_t>(level1), event.state);
    Queue(input.message, input.wParam, input.lParam);
}

// Focus that moves because of a grab, into our own window or along with the pointer is
// no loss of activation.
bool LosesActivation(const XFocusChangeEvent& event) {
    if (event.detail == NotifyInferior || event.detail == NotifyPointer || event.detail == NotifyPointerRoot ||
        event.detail == NotifyDetailNone) {
        return false;
    }
    if (event.mode == NotifyGrab) return false;
    if (event.mode == NotifyUngrab) return x11.grabbed;
    return true;
}

// A window that goes away under us (the preview host destroys its window, or ours) ends
// the run as a destruction would.
void WindowGone() {
    x11.grabbed = false;
    unixLayer.procedure(x11.window, WM_DESTROY, 0, 0);
    X11ForgetWindow();
}

// The root changed size or its monitors changed: the full-screen window keeps covering
// the root, and the window procedure learns of the new layout.
void RootChanged(int width, int height) {
    if (x11.host != 0) return;
    if (width > 0 && height > 0 && (width != x11.width || height != x11.height)) {
        X11ErrorTrap trap(x11.display);
        XResizeWindow(x11.display, x11.window, static_cast<unsigned int>(width), static_cast<unsigned int>(height));
    }
    Queue(WM_DISPLAYCHANGE, 0, 0);
}

void ScreenChanged(XEvent& event) {
    XRRUpdateConfiguration(&event);
    const auto& change = reinterpret_cast<const XRRScreenChangeNotifyEvent&>(event);
    // A rotated screen reports the unrotated size.
    const bool turned = (change.rotation & (RR_Rotate_90 | RR_Rotate_270)) != 0;
    RootChanged(turned ? change.height : change.width, turned ? change.width : change.height);
}

void Translate(XEvent& event) {
    if (X11IsScreenChange(event)) {
        ScreenChanged(event);
        return;
    }
    switch (event.type) {
    case KeyPress:
        if (event.xkey.window == x11.window) QueueKey(event.xkey);
        break;
    case ButtonPress:
        if (event.xbutton.window == x11.window) {
            const TranslatedInput input = TranslateButtonPress(event.xbutton.button, event.xbutton.state,
                                                               event.xbutton.x, event.xbutton.y);
            if (input.message != 0) Queue(input.message, input.wParam, input.lParam);
        }
        break;
    case MotionNotify:
        if (event.xmotion.window == x11.window) {
            Queue(WM_SETCURSOR, x11.window, HTCLIENT | (WM_MOUSEMOVE << 16));
            Queue(WM_MOUSEMOVE, ButtonMaskFromState(event.xmotion.state), PointParam(event.xmotion.x, event.xmotion.y));
        }
        break;
    case EnterNotify:
        if (event.xcrossing.window == x11.window) Queue(WM_SETCURSOR, x11.window, HTCLIENT | (WM_MOUSEMOVE << 16));
        break;
    case FocusOut:
        if (event.xfocus.window == x11.window && LosesActivation(event.xfocus)) {
            if (event.xfocus.mode == NotifyUngrab) x11.grabbed = false;
            Queue(WM_ACTIVATE, WA_INACTIVE, 0);
        }
        break;
    case UnmapNotify:
        // Unmapped by someone else, the full-screen window has lost its grab and its place.
        if (event.xunmap.window == x11.window) {
            if (!x11.hiding && x11.host == 0) Queue(WM_ACTIVATE, WA_INACTIVE, 0);
            x11.hiding = false;
        }
        break;
    case ConfigureNotify:
        // The host's new size is ours too; ours, once changed, is the window procedure's news.
        // The root's comes with every change of its monitors, which RandR does not announce.
        if (x11.host == 0 && event.xconfigure.window == DefaultRootWindow(x11.display)) {
            XRRUpdateConfiguration(&event);
            RootChanged(event.xconfigure.width, event.xconfigure.height);
        } else if (x11.host != 0 && event.xconfigure.window == x11.host) {
            if (event.xconfigure.width != x11.width || event.xconfigure.height != x11.height) {
                X11ErrorTrap trap(x11.display);  // the host may be destroying us with it
                XResizeWindow(x11.display, x11.window, static_cast<unsigned int>(event.xconfigure.width),
                              static_cast<unsigned int>(event.xconfigure.height));
            }
        } else if (event.xconfigure.window == x11.window &&
                   (event.xconfigure.width != x11.width || event.xconfigure.height != x11.height)) {
            x11.width = event.xconfigure.width;
            x11.height = event.xconfigure.height;
            Queue(WM_SIZE, 0, PointParam(x11.width, x11.height));
        }
        break;
    case DestroyNotify:
        if (x11.window != 0 &&
            (event.xdestroywindow.window == x11.window || (x11.host != 0 && event.xdestroywindow.window == x11.host))) {
            WindowGone();
        }
        break;
    case ClientMessage:
        if (event.xclient.window == x11.window && event.xclient.format == 32 &&
            static_cast<Atom>(event.xclient.data.l[0]) == XInternAtom(x11.display, "WM_DELETE_WINDOW", False)) {
            Queue(WM_CLOSE, 0, 0);
        }
        break;
    default:
        break;
    }
}

}  // namespace

int UnixDisplayFd() { return x11.display != nullptr ? ConnectionNumber(x11.display) : -1; }

bool UnixWakeEarly() { return false; }

void UnixPumpEvents() {
    if (x11.display == nullptr) return;
    while (XPending(x11.display) > 0) {
        XEvent event;
        XNextEvent(x11.display, &event);
        if (x11.window != 0) Translate(event);
    }
}
