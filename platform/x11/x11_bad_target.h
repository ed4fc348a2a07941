#pragma once

#include <X11/Xlib.h>

#include <string>

// Why a window of ours could not be made inside `target`, in the words of a line on
// standard error (without the prefix): the id names nothing, a pixmap, an InputOnly window,
// or a window that refused for another reason; errorCode is the X error of the attempt.
std::string X11DescribeBadTarget(Display* display, Window target, int errorCode);
