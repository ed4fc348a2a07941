#pragma once

// What the X11 platform files share. Only platform/x11 includes this.
#include <GL/glx.h>
#include <X11/Xlib.h>

#include <csignal>
#include <deque>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/unix/unix_layer.h"

// The monitor layout's extensions and the display's power state.
struct X11MonitorState {
    int randrEventBase = -1;  // -1: no RandR
    bool randr15 = false;     // the server keeps a monitor list
    int dpmsPresent = -1;     // -1: not asked yet
    bool dpmsChecked = false;
    uint32_t dpmsCheckTick = 0;
    bool displayOff = false;
};

struct X11State {
    Display* display = nullptr;
    bool displayMissing = false;  // said once that there is none

    Window window = 0;      // the saver window; 0 before creation and once destroyed
    Window host = 0;        // the preview host, watched for its destruction and its size
    bool hosted = false;    // run for a host's window: no input selected, no cursor of ours
    int32_t width = 0;      // the saver window's size as last told to the window procedure
    int32_t height = 0;
    bool grabbed = false;   // keyboard and pointer held by the full-screen saver
    bool hiding = false;    // an unmap that we asked for ourselves
    GLXFBConfig windowConfig = nullptr;  // what the window's visual was made for
    Colormap colormap = 0;               // made for the window's visual, freed with it
    std::vector<GLXFBConfig> chosenConfigs;  // pixel format n is chosenConfigs[n - 1]

    Cursor blankCursor = 0;
    Cursor arrowCursor = 0;
    Cursor definedCursor = 0;

    X11MonitorState monitors;
};

extern X11State x11;

// The saver's display connection, opened on first use; nullptr when there is no display.
Display* X11Display();

// After the window's end: no window, no host, and its colormap freed.
void X11ForgetWindow();

// Lets go of keyboard and pointer so that another window (a message box) can take input.
void X11ReleaseInput();

// The framebuffer configuration for the saver's pixel format request: double-buffered RGBA
// with 8 bits a channel, alpha when the server has it, on a visual of the screen's depth.
GLXFBConfig X11ChooseConfig(Display* display, bool wantAlpha);

// Asks the root for its changes of size and monitors, which the pump turns into WM_DISPLAYCHANGE.
void X11WatchMonitors(Display* display, Window root);
bool X11IsScreenChange(const XEvent& event);

// Pending X events become queued messages (UnixPumpEvents); events that end the window
// deliver WM_DESTROY at once.
