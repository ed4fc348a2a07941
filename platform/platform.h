#pragma once

#include <cstdint>

#include "platform/launch.h"

// The saver shell's window-system layer. Each operation stands for one Win32 call (named
// in its comment) and keeps that call's meaning, so a Win32 build is near pass-through;
// the X11 build emulates it. One implementation is linked per build (X11 or Win32 in the
// program, the recording fake in tests); nothing here is virtual.

using PlatformWindow = uintptr_t;     // HWND; 0 is no window
using PlatformInstance = uintptr_t;   // HINSTANCE
using PlatformDevice = uintptr_t;     // HDC
using PlatformGlContext = uintptr_t;  // HGLRC
using PlatformCursor = uintptr_t;     // HCURSOR; 0 is no cursor
using PlatformLibrary = uintptr_t;    // HMODULE

using WindowProcedure = intptr_t (*)(PlatformWindow window, uint32_t message, uintptr_t wParam,
                                     intptr_t lParam);
using DialogProcedure = WindowProcedure;

struct PlatformMessage {
    PlatformWindow window = 0;
    uint32_t message = 0;
    uintptr_t wParam = 0;
    intptr_t lParam = 0;
};

struct PlatformPoint {
    int32_t x = 0;
    int32_t y = 0;
};

struct PlatformRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

// One monitor that the saver window covers, in the coordinates of the surface it is drawn
// on (pixels, top-left origin). A window system with one surface per output numbers them
// from 0 and gives each output the whole of its own surface.
struct PlatformMonitor {
    PlatformRect rect;
    int32_t surface = 0;
};

// The part of a PIXELFORMATDESCRIPTOR the saver fills in; every other field is zero.
struct PixelFormatRequest {
    uint32_t flags = 0;      // PFD_* bits
    uint8_t pixelType = 0;   // PFD_TYPE_RGBA
    uint8_t colorBits = 0;
};

// A dialog template in dialog units, as a resource script would give it.
enum class DialogControlKind : uint8_t { DefaultButton, Button, Text, CheckBox };

struct DialogControl {
    int32_t id;
    DialogControlKind kind;
    const char* text;
    int16_t x, y, width, height;
};

struct DialogTemplate {
    const char* caption;
    int16_t width, height;
    const DialogControl* controls;
    int32_t controlCount;
};

// Process. PlatformStartProcess reads what main() was given (Win32 reads GetCommandLineA)
// and installs the process-wide handlers; call it first.
void PlatformStartProcess(int argc, char** argv);
PlatformInstance PlatformModuleInstance();    // GetModuleHandleA(NULL)
int32_t PlatformStartShowCommand();           // STARTUPINFO.wShowWindow or SW_SHOWDEFAULT
PlatformLaunch PlatformGetLaunch();           // the command line, read in this system's grammar
PlatformWindow PlatformGetForegroundWindow(); // GetForegroundWindow
uint32_t PlatformGetTickCount();              // GetTickCount
void PlatformSleep(uint32_t milliseconds);    // Sleep

// Settings under HKEY_CURRENT_USER (the Win32 registry; a REGEDIT4 file elsewhere).
struct SettingsKey;
SettingsKey* PlatformOpenSettingsKey(const char* path);    // RegOpenKeyExA, KEY_ALL_ACCESS
SettingsKey* PlatformCreateSettingsKey(const char* path);  // RegCreateKeyExA
// RegQueryValueExA: true and *size set when the value fits in *size bytes.
bool PlatformQuerySettingValue(SettingsKey* key, const char* name, uint8_t* data, uint32_t* size);
bool PlatformSetSettingDword(SettingsKey* key, const char* name, uint32_t value);  // RegSetValueExA
void PlatformCloseSettingsKey(SettingsKey* key);                                   // RegCloseKey
// Why the last settings call that failed did: the key or file and the system's error text
// (FormatMessageA of the call's result on Win32). Valid until the next settings call.
const char* PlatformGetSettingsError();

// Windows and the message queue.
bool PlatformRegisterClass(const char* className, WindowProcedure procedure, PlatformInstance instance);
// The virtual screen, every monitor at once: GetSystemMetrics(SM_CXVIRTUALSCREEN) and
// SM_CYVIRTUALSCREEN; the full-screen window is made at its origin.
int32_t PlatformGetScreenWidth();
int32_t PlatformGetScreenHeight();
// The monitors `window` covers (EnumDisplayMonitors): a child window is one monitor of its
// own size. Returns how many there are, which may be more than the `capacity` filled in;
// 0 when the window is not ours.
int32_t PlatformGetMonitors(PlatformWindow window, PlatformMonitor* monitors, int32_t capacity);
// True while the display is powered down (DPMS standby, suspend or off; the console display
// off, GUID_CONSOLE_DISPLAY_STATE; on Wayland, every output off or hidden).
bool PlatformIsDisplayOff();
bool PlatformGetWindowRect(PlatformWindow window, PlatformRect* rect);
// CreateWindowExA of a visible window: a popup (WS_POPUP) at the virtual screen's origin
// or a child of `parent` (WS_CHILD) at 0, 0, which fails without one. The window procedure gets WM_CREATE before this
// returns.
PlatformWindow PlatformCreateWindow(const char* className, const char* title, bool child, PlatformWindow parent,
                                    int32_t width, int32_t height);
void PlatformSetScreenSaverRunning(bool running);  // SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING)
void PlatformShowWindow(PlatformWindow window, int32_t showCommand);
bool PlatformDestroyWindow(PlatformWindow window);  // delivers WM_DESTROY before returning
bool PlatformPeekMessage(PlatformMessage* message);  // PeekMessageA with PM_REMOVE
void PlatformTranslateMessage(const PlatformMessage& message);
intptr_t PlatformDispatchMessage(const PlatformMessage& message);
bool PlatformPostMessage(PlatformWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam);
intptr_t PlatformSendMessage(PlatformWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam);
intptr_t PlatformDefWindowProc(PlatformWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam);
void PlatformPostQuitMessage(int32_t exitCode);

// Cursor.
PlatformCursor PlatformLoadCursor(uint32_t id);  // LoadCursorA(NULL, id)
void PlatformSetCursor(PlatformCursor cursor);
bool PlatformGetCursorPos(PlatformPoint* point);

// OpenGL on the window (GetDC, ChoosePixelFormat, SetPixelFormat, wgl*, SwapBuffers).
PlatformDevice PlatformGetDevice(PlatformWindow window);
int32_t PlatformChoosePixelFormat(PlatformDevice device, const PixelFormatRequest& request);
bool PlatformSetPixelFormat(PlatformDevice device, int32_t format, const PixelFormatRequest& request);
PlatformGlContext PlatformCreateGlContext(PlatformDevice device);
bool PlatformMakeCurrent(PlatformDevice device, PlatformGlContext context);  // 0, 0: none current
// Makes one surface of the device's window the one GL draws to; nothing to do where a
// window is one surface. False, with the selection unchanged, for a surface not to be drawn
// now: its output is dark or hidden, or has not shown the last frame yet.
bool PlatformSelectSurface(PlatformDevice device, int32_t surface);
void PlatformSwapBuffers(PlatformDevice device);  // every surface drawn since the last swap
void PlatformReleaseDevice(PlatformWindow window, PlatformDevice device);
void PlatformDeleteGlContext(PlatformGlContext context);

// Modal dialogs and message boxes.
intptr_t PlatformDialogBox(PlatformInstance instance, int32_t templateId, const DialogTemplate& dialog,
                           PlatformWindow owner, DialogProcedure procedure);
void PlatformEndDialog(PlatformWindow dialog, intptr_t result);
void PlatformCheckDlgButton(PlatformWindow dialog, int32_t id, bool checked);
bool PlatformIsDlgButtonChecked(PlatformWindow dialog, int32_t id);
void PlatformMessageBox(const char* text, const char* caption);  // MessageBoxA(NULL, ..., MB_OK)

// Libraries loaded by name, for the system's password hooks.
bool PlatformIsNtFamily();  // GetVersionExA: VER_PLATFORM_WIN32_NT
PlatformLibrary PlatformLoadLibrary(const char* name);
void* PlatformGetProcAddress(PlatformLibrary library, const char* name);
void PlatformFreeLibrary(PlatformLibrary library);

#if defined(_WIN32) && !defined(_WIN64)
#define PLATFORM_STDCALL __stdcall
#else
#define PLATFORM_STDCALL
#endif
