#pragma once

#include <windows.h>

#include "platform/platform.h"

// The platform's handle numbers are the Win32 handles themselves.
inline HWND ToHwnd(PlatformWindow window) { return reinterpret_cast<HWND>(window); }
inline PlatformWindow FromHwnd(HWND window) { return reinterpret_cast<PlatformWindow>(window); }
inline HDC ToHdc(PlatformDevice device) { return reinterpret_cast<HDC>(device); }
