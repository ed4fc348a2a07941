#pragma once

#include <windows.h>

// The console display's power state, told to the saver window by WM_POWERBROADCAST.
void Win32WatchDisplayPower(HWND window);
void Win32StopWatchingDisplayPower();
void Win32NotePowerBroadcast(WPARAM event, LPARAM data);
