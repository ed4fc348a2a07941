#pragma once

#include <cstdint>

#include "platform/platform.h"

// The window procedure of the saver window (class "OpenGL"). In ScreenSaver mode it hides
// the cursor and ends the saver on input the scene does not take, on movement beyond the
// threshold and on deactivation; in Preview mode it is a plain child window.
intptr_t SaverWindowProc(PlatformWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam);
