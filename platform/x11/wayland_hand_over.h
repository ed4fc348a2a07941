#pragma once

// In a Wayland session, where an X11 window can neither cover the screen nor see input,
// the run goes to the Wayland saver installed beside the dialog module: when
// WAYLAND_DISPLAY names a socket that answers and the line is not an X11 host's (--root,
// --window-id, XSCREENSAVER_WINDOW, a preview of an X window). Returns only when it stays.
void HandOverToWayland(int argc, char** argv);

// Whether the line belongs to the X11 saver whatever the session: an X11 host's options or
// the preview switch, whose handle is an X window. environmentWindow is XSCREENSAVER_WINDOW.
bool IsX11OnlyLine(int argc, const char* const* argv, const char* environmentWindow);

// WAYLAND_DISPLAY when the hand-over found it set but nothing answering there, else null:
// worth saying when there is no X display either.
const char* SilentWaylandDisplay();
