#include <windows.h>

#include "platform/platform.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_monitors.h"
#include "platform/win32/win32_session.h"
#include "platform/resource_ids.h"

namespace {

// The saver registers one class; its procedure is reached through this trampoline, which
// has the system's calling convention and handle types.
WindowProcedure classProcedure = nullptr;

// A full-screen window that covered the old virtual screen covers the new one.
void CoverVirtualScreen(HWND window) {
    if ((GetWindowLongA(window, GWL_STYLE) & WS_CHILD) != 0) return;
    SetWindowPos(window, nullptr, GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                 GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

// The preview's window and its host's, watched for a host that goes without telling us.
HWND previewWindow = nullptr;
HWND previewHost = nullptr;
DWORD hostCheckTick = 0;
constexpr DWORD kHostCheckMs = 250;

// The platform's own business comes first: the display's power and the monitor layout.
LRESULT CALLBACK ClassWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_POWERBROADCAST) Win32NotePowerBroadcast(wParam, lParam);
    if (message == WM_DISPLAYCHANGE) CoverVirtualScreen(window);
    if (message == WM_DESTROY) Win32StopWatchingDisplayPower();
    if (message == WM_DESTROY && window == previewWindow) previewWindow = nullptr;
    if (classProcedure == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    return classProcedure(FromHwnd(window), message, wParam, lParam);
}

// The message last taken from the queue, whole (time and cursor position included), for
// translation and dispatch.
MSG lastMessage{};

MSG ToMsg(const PlatformMessage& message) {
    if (lastMessage.hwnd == ToHwnd(message.window) && lastMessage.message == message.message &&
        lastMessage.wParam == message.wParam && lastMessage.lParam == message.lParam) {
        return lastMessage;
    }
    MSG msg{};
    msg.hwnd = ToHwnd(message.window);
    msg.message = message.message;
    msg.wParam = message.wParam;
    msg.lParam = message.lParam;
    msg.time = GetMessageTime();
    return msg;
}

// A host whose process is killed takes its window along, and ours may go with it unseen
// or live on as an orphan nobody sees (Wine): either way the preview's run ends.
void EndOrphanedPreview() {
    if (previewWindow == nullptr || GetTickCount() - hostCheckTick < kHostCheckMs) return;
    hostCheckTick = GetTickCount();
    if (!IsWindow(previewWindow)) {
        const HWND gone = previewWindow;
        previewWindow = nullptr;
        Win32StopWatchingDisplayPower();
        if (classProcedure != nullptr) classProcedure(FromHwnd(gone), WM_DESTROY, 0, 0);
    } else if (!IsWindow(previewHost) || GetAncestor(previewWindow, GA_PARENT) != previewHost) {
        DestroyWindow(previewWindow);
    }
}

}  // namespace

bool PlatformRegisterClass(const char* className, WindowProcedure procedure, PlatformInstance instance) {
    classProcedure = procedure;
    WNDCLASSA windowClass{};
    windowClass.style = CS_OWNDC | CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = ClassWindowProc;
    windowClass.hInstance = reinterpret_cast<HINSTANCE>(instance);
    windowClass.hIcon = LoadIconA(windowClass.hInstance, MAKEINTRESOURCEA(BRISALO_ICON_ID));
    windowClass.lpszClassName = className;
    return RegisterClassA(&windowClass) != 0;
}

int32_t PlatformGetScreenWidth() { return GetSystemMetrics(SM_CXVIRTUALSCREEN); }
int32_t PlatformGetScreenHeight() { return GetSystemMetrics(SM_CYVIRTUALSCREEN); }

bool PlatformGetWindowRect(PlatformWindow window, PlatformRect* rect) {
    RECT area{};
    if (!GetWindowRect(ToHwnd(window), &area)) return false;
    rect->left = area.left;
    rect->top = area.top;
    rect->right = area.right;
    rect->bottom = area.bottom;
    return true;
}

PlatformWindow PlatformCreateWindow(const char* className, const char* title, bool child, PlatformWindow parent,
                                    int32_t width, int32_t height) {
    const DWORD style = (child ? WS_CHILD : WS_POPUP) | WS_VISIBLE;
    // The virtual screen's origin lies left of or above the primary monitor's when a
    // monitor stands there.
    const int x = child ? 0 : GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int y = child ? 0 : GetSystemMetrics(SM_YVIRTUALSCREEN);
    HWND window = CreateWindowExA(0, className, title, style, x, y, width, height, ToHwnd(parent), nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    if (window != nullptr) Win32WatchDisplayPower(window);
    if (window != nullptr && child) {
        previewWindow = window;
        previewHost = ToHwnd(parent);
        hostCheckTick = GetTickCount();
    }
    return FromHwnd(window);
}

void PlatformSetScreenSaverRunning(bool running) {
    BOOL previous = FALSE;
    SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, running ? 1 : 0, &previous, 0);
}

void PlatformShowWindow(PlatformWindow window, int32_t showCommand) { ShowWindow(ToHwnd(window), showCommand); }

bool PlatformDestroyWindow(PlatformWindow window) { return DestroyWindow(ToHwnd(window)) != 0; }

bool PlatformPeekMessage(PlatformMessage* message) {
    Win32FollowSessionEnd();
    EndOrphanedPreview();
    MSG msg{};
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    lastMessage = msg;
    message->window = FromHwnd(msg.hwnd);
    message->message = msg.message;
    message->wParam = msg.wParam;
    message->lParam = msg.lParam;
    return true;
}

void PlatformTranslateMessage(const PlatformMessage& message) {
    const MSG msg = ToMsg(message);
    TranslateMessage(&msg);
}

intptr_t PlatformDispatchMessage(const PlatformMessage& message) {
    const MSG msg = ToMsg(message);
    return DispatchMessageA(&msg);
}

bool PlatformPostMessage(PlatformWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    return PostMessageA(ToHwnd(window), message, wParam, lParam) != 0;
}

intptr_t PlatformSendMessage(PlatformWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    return SendMessageA(ToHwnd(window), message, wParam, lParam);
}

intptr_t PlatformDefWindowProc(PlatformWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    return DefWindowProcA(ToHwnd(window), message, wParam, lParam);
}

void PlatformPostQuitMessage(int32_t exitCode) { PostQuitMessage(exitCode); }

PlatformCursor PlatformLoadCursor(uint32_t id) {
    return reinterpret_cast<PlatformCursor>(LoadCursorA(nullptr, MAKEINTRESOURCEA(id)));
}

void PlatformSetCursor(PlatformCursor cursor) { SetCursor(reinterpret_cast<HCURSOR>(cursor)); }

bool PlatformGetCursorPos(PlatformPoint* point) {
    POINT position{};
    if (!GetCursorPos(&position)) return false;
    point->x = position.x;
    point->y = position.y;
    return true;
}

void PlatformMessageBox(const char* text, const char* caption) { MessageBoxA(nullptr, text, caption, MB_OK); }
