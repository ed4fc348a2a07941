// The saver window on X11: the "OpenGL" class, a full-screen override-redirect window
// that holds keyboard and pointer, or a child filling a preview host; and its cursor.
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>

#include <cstring>
#include <ctime>

#include "platform/log.h"
#include "platform/x11/x11_bad_target.h"
#include "platform/x11/x11_error_trap.h"
#include "platform/x11/wayland_hand_over.h"
#include "platform/x11/x11_state.h"
#include "platform/messages.h"

X11State x11;

namespace {

void PauseMilliseconds(long milliseconds) {
    timespec pause{0, milliseconds * 1000000L};
    nanosleep(&pause, nullptr);
}

// Grabs succeed only on a viewable window.
void WaitUntilMapped(Window window) {
    for (int i = 0; i < 200; ++i) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(x11.display, window, &attributes) && attributes.map_state == IsViewable) return;
        PauseMilliseconds(5);
    }
}

// Another client (a menu, a previous saver) may hold a grab for a moment; keep asking
// briefly, then run without it rather than not at all.
void GrabInput(Window window) {
    bool keyboard = false;
    bool pointer = false;
    for (int attempt = 0; attempt < 100 && !(keyboard && pointer); ++attempt) {
        if (!keyboard) {
            keyboard = XGrabKeyboard(x11.display, window, False, GrabModeAsync, GrabModeAsync, CurrentTime) ==
                       GrabSuccess;
        }
        if (!pointer) {
            pointer = XGrabPointer(x11.display, window, False, ButtonPressMask | PointerMotionMask, GrabModeAsync,
                                   GrabModeAsync, window, None, CurrentTime) == GrabSuccess;
        }
        if (!(keyboard && pointer)) PauseMilliseconds(20);
    }
    x11.grabbed = keyboard;
    X11ErrorTrap trap(x11.display);
    XSetInputFocus(x11.display, window, RevertToParent, CurrentTime);
}

void NameWindow(Window window, const char* className, const char* title) {
    XStoreName(x11.display, window, title);
    const Atom utf8 = XInternAtom(x11.display, "UTF8_STRING", False);
    XChangeProperty(x11.display, window, XInternAtom(x11.display, "_NET_WM_NAME", False), utf8, 8,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(title),
                    static_cast<int>(strlen(title)));
    XClassHint hint;
    hint.res_name = const_cast<char*>("brisalo");
    hint.res_class = const_cast<char*>(className);
    XSetClassHint(x11.display, window, &hint);
    Atom deleteWindow = XInternAtom(x11.display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(x11.display, window, &deleteWindow, 1);
}

}  // namespace

// Said once, naming the display (and a Wayland one that was named but silent), however
// many calls find it missing.
Display* X11Display() {
    if (x11.display == nullptr && !x11.displayMissing) {
        x11.display = XOpenDisplay(nullptr);
        if (x11.display == nullptr) {
            x11.displayMissing = true;
            const char* name = XDisplayName(nullptr);
            const std::string reason = name == nullptr || *name == '\0'
                                           ? std::string(": DISPLAY is not set")
                                           : " \"" + std::string(name) + "\"";
            const char* wayland = SilentWaylandDisplay();
            const std::string also =
                wayland != nullptr ? ", and the Wayland display \"" + std::string(wayland) + "\" did not answer" : "";
            PlatformLogError("cannot open the X display%s%s", reason.c_str(), also.c_str());
        }
    }
    return x11.display;
}

PlatformWindow UnixSaverWindow() { return x11.window; }

int32_t PlatformGetScreenWidth() {
    return X11Display() != nullptr ? DisplayWidth(x11.display, DefaultScreen(x11.display)) : 0;
}

int32_t PlatformGetScreenHeight() {
    return X11Display() != nullptr ? DisplayHeight(x11.display, DefaultScreen(x11.display)) : 0;
}

bool PlatformGetWindowRect(PlatformWindow window, PlatformRect* rect) {
    if (X11Display() == nullptr || window == 0) return false;
    X11ErrorTrap trap(x11.display);
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(x11.display, static_cast<Window>(window), &attributes) || trap.failed()) return false;
    int left = 0, top = 0;
    Window child = 0;
    XTranslateCoordinates(x11.display, static_cast<Window>(window), attributes.root, 0, 0, &left, &top, &child);
    *rect = {left, top, left + attributes.width, top + attributes.height};
    return !trap.failed();
}

namespace {

struct WindowVisual {
    Visual* visual = nullptr;
    int depth = 0;
};

// A window's visual is fixed when it is made, so it is made with the one the saver's
// pixel format will ask for; the screen's own when there is none, and then choosing the
// pixel format fails as it should.
WindowVisual ChooseWindowVisual(Display* display, int screen) {
    x11.windowConfig = X11ChooseConfig(display, true);
    if (x11.windowConfig == nullptr) x11.windowConfig = X11ChooseConfig(display, false);
    XVisualInfo* info = x11.windowConfig != nullptr ? glXGetVisualFromFBConfig(display, x11.windowConfig) : nullptr;
    WindowVisual chosen;
    chosen.visual = info != nullptr ? info->visual : DefaultVisual(display, screen);
    chosen.depth = info != nullptr ? info->depth : DefaultDepth(display, screen);
    if (info != nullptr) XFree(info);
    return chosen;
}

// A host's input is the host's: a hosted window asks only for its own size and end, and
// lets presses through to the host's window.
long SaverEventMask() {
    return x11.hosted ? StructureNotifyMask
                      : KeyPressMask | ButtonPressMask | PointerMotionMask | FocusChangeMask | StructureNotifyMask |
                            EnterWindowMask;
}

// The window inside `parent` (the root when 0), watching the host's structure. 0 when the
// host names no window we can draw in; the colormap is then freed again.
Window MakeWindow(Display* display, Window parent, bool topLevel, const WindowVisual& chosen, int32_t width,
                  int32_t height) {
    const int screen = DefaultScreen(display);
    const Window root = RootWindow(display, screen);
    XSetWindowAttributes attributes{};
    attributes.colormap = XCreateColormap(display, root, chosen.visual, AllocNone);
    attributes.background_pixel = BlackPixel(display, screen);
    attributes.border_pixel = 0;
    // A child of the root is a top-level window, which no window manager may frame.
    attributes.override_redirect = topLevel ? True : False;
    attributes.event_mask = SaverEventMask();
    const unsigned long mask = CWColormap | CWBackPixel | CWBorderPixel | CWOverrideRedirect | CWEventMask;

    // A preview handle that names no window fails here, quietly.
    X11ErrorTrap trap(display);
    Window window = XCreateWindow(display, parent != 0 ? parent : root, 0, 0, static_cast<unsigned int>(width),
                                  static_cast<unsigned int>(height), 0, chosen.depth, InputOutput, chosen.visual,
                                  mask, &attributes);
    // Structure events only: the host's size and end. Input on a window that another
    // client owns may be taken already (BadAccess), and is not ours to take.
    if (parent != 0) XSelectInput(display, parent, StructureNotifyMask);
    if (trap.failed()) {
        if (window != 0) XDestroyWindow(display, window);
        XFreeColormap(display, attributes.colormap);
        if (x11.hosted) PlatformLogError("%s", X11DescribeBadTarget(display, parent, trap.errorCode()).c_str());
        return 0;
    }
    x11.colormap = attributes.colormap;
    return window;
}

// The host may have changed size before it was watched.
void FollowHostSize(Display* display, Window window, Window host, int32_t width, int32_t height) {
    X11ErrorTrap trap(display);
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, host, &attributes) && (attributes.width != width || attributes.height != height)) {
        XResizeWindow(display, window, static_cast<unsigned int>(attributes.width),
                      static_cast<unsigned int>(attributes.height));
    }
}

void MapSaverWindow(Display* display, Window window, bool topLevel, Window parent) {
    if (topLevel && parent != 0) {
        // Drawn on the root window: beneath every other window, as the root's own picture.
        XMapWindow(display, window);
        XLowerWindow(display, window);
    } else {
        XMapRaised(display, window);
    }
    if (parent == 0) {
        WaitUntilMapped(window);
        GrabInput(window);
    }
    XFlush(display);
}

}  // namespace

PlatformWindow PlatformCreateWindow(const char* className, const char* title, bool child, PlatformWindow parent,
                                    int32_t width, int32_t height) {
    if (X11Display() == nullptr || unixLayer.className != className || x11.window != 0) return 0;
    if (!child) parent = 0;
    if (child && parent == 0) return 0;
    Display* display = x11.display;
    const Window root = DefaultRootWindow(display);
    const Window host = static_cast<Window>(parent);
    const bool topLevel = host == 0 || host == root;

    const WindowVisual chosen = ChooseWindowVisual(display, DefaultScreen(display));
    const Window window = MakeWindow(display, host, topLevel, chosen, width, height);
    if (window == 0) return 0;
    if (host != 0) {
        FollowHostSize(display, window, host, width, height);
        X11ExpectWindowToVanish(host);
        X11ExpectWindowToVanish(window);
    } else {
        X11WatchMonitors(display, root);
    }
    NameWindow(window, className, title);
    x11.window = window;
    x11.host = host;
    x11.width = width;
    x11.height = height;

    unixLayer.procedure(window, WM_CREATE, 0, 0);
    if (x11.window == 0) return 0;
    MapSaverWindow(display, window, topLevel, host);
    // As when a window appears under the pointer: the window procedure picks the cursor.
    unixLayer.procedure(window, WM_SETCURSOR, window, HTCLIENT | (WM_MOUSEMOVE << 16));
    return window;
}

void PlatformShowWindow(PlatformWindow window, int32_t showCommand) {
    if (window == 0 || window != x11.window) return;
    if (showCommand == static_cast<int32_t>(SW_HIDE)) {
        x11.hiding = true;
        XUnmapWindow(x11.display, x11.window);
    } else {
        XMapWindow(x11.display, x11.window);
    }
    XFlush(x11.display);
}

// As on Windows, the window procedure sees WM_DESTROY before this returns.
bool PlatformDestroyWindow(PlatformWindow window) {
    if (window == 0 || window != x11.window) return false;
    X11ReleaseInput();
    {
        X11ErrorTrap trap(x11.display);  // the host may have taken it with it already
        XDestroyWindow(x11.display, x11.window);
        if (x11.host != 0) XSelectInput(x11.display, x11.host, NoEventMask);
    }
    unixLayer.procedure(x11.window, WM_DESTROY, 0, 0);
    X11ForgetWindow();
    XFlush(x11.display);
    return true;
}

// The window is gone, by our hand or its host's; what was made for it goes too.
void X11ForgetWindow() {
    x11.window = 0;
    x11.host = 0;
    if (x11.colormap != 0) {
        XFreeColormap(x11.display, x11.colormap);
        x11.colormap = 0;
    }
}

void X11ReleaseInput() {
    if (!x11.grabbed || x11.display == nullptr) return;
    XUngrabKeyboard(x11.display, CurrentTime);
    XUngrabPointer(x11.display, CurrentTime);
    XFlush(x11.display);
    x11.grabbed = false;
}

PlatformCursor PlatformLoadCursor(uint32_t id) {
    if (id != IDC_ARROW || X11Display() == nullptr) return 0;
    if (x11.arrowCursor == 0) x11.arrowCursor = XCreateFontCursor(x11.display, XC_left_ptr);
    return x11.arrowCursor;
}

// No cursor is a blank one: X has no way to show none over a window. A hosted window
// shows its host's cursor.
void PlatformSetCursor(PlatformCursor cursor) {
    if (x11.display == nullptr || x11.window == 0 || x11.hosted) return;
    Cursor wanted = static_cast<Cursor>(cursor);
    if (wanted == 0) {
        if (x11.blankCursor == 0) {
            const char empty[1] = {0};
            Pixmap pixmap = XCreateBitmapFromData(x11.display, x11.window, empty, 1, 1);
            XColor black{};
            x11.blankCursor = XCreatePixmapCursor(x11.display, pixmap, pixmap, &black, &black, 0, 0);
            XFreePixmap(x11.display, pixmap);
        }
        wanted = x11.blankCursor;
    }
    if (wanted == x11.definedCursor) return;
    x11.definedCursor = wanted;
    XDefineCursor(x11.display, x11.window, wanted);
    XFlush(x11.display);
}

bool PlatformGetCursorPos(PlatformPoint* point) {
    if (X11Display() == nullptr) return false;
    Window root = 0, child = 0;
    int rootX = 0, rootY = 0, windowX = 0, windowY = 0;
    unsigned int state = 0;
    if (!XQueryPointer(x11.display, DefaultRootWindow(x11.display), &root, &child, &rootX, &rootY, &windowX,
                       &windowY, &state)) {
        return false;
    }
    point->x = rootX;
    point->y = rootY;
    return true;
}
