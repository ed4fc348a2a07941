// The monitors of the virtual screen, and whether the console display is on.
#include <windows.h>

#include "platform/platform.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_monitors.h"

namespace {

// GUID_CONSOLE_DISPLAY_STATE, spelled out: the runtime's copy needs a GUID library.
const GUID kConsoleDisplayState = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};

using RegisterCall = HPOWERNOTIFY(WINAPI*)(HANDLE, LPCGUID, DWORD);
using UnregisterCall = BOOL(WINAPI*)(HPOWERNOTIFY);

struct Win32PowerState {
    HPOWERNOTIFY notification = nullptr;
    bool displayOff = false;
};

Win32PowerState power;

struct MonitorList {
    PlatformMonitor* monitors;
    int32_t capacity;
    int32_t count;
    POINT origin;  // the window's top left on the virtual screen
};

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT area, LPARAM data) {
    MonitorList& list = *reinterpret_cast<MonitorList*>(data);
    // Counted beyond the room too: the caller asks again with room for all.
    if (list.count < list.capacity) {
        PlatformMonitor& monitor = list.monitors[list.count];
        monitor.rect = {area->left - list.origin.x, area->top - list.origin.y, area->right - list.origin.x,
                        area->bottom - list.origin.y};
        monitor.surface = 0;
    }
    ++list.count;
    return TRUE;
}

// Looked up by name: older systems have no power notifications and still run the saver.
void* User32Entry(const char* name) {
    HMODULE user32 = GetModuleHandleA("user32.dll");
    return user32 != nullptr ? reinterpret_cast<void*>(GetProcAddress(user32, name)) : nullptr;
}

}  // namespace

int32_t PlatformGetMonitors(PlatformWindow window, PlatformMonitor* monitors, int32_t capacity) {
    HWND hwnd = ToHwnd(window);
    RECT client{};
    if (window == 0 || capacity < 1 || !GetClientRect(hwnd, &client)) return 0;
    MonitorList list{monitors, capacity, 0, {0, 0}};
    // A preview's child shows one picture in its host, whatever monitors it spans.
    if ((GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD) == 0) {
        ClientToScreen(hwnd, &list.origin);
        EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&list));
    }
    if (list.count == 0) {
        monitors[0].rect = {0, 0, client.right, client.bottom};
        monitors[0].surface = 0;
        list.count = 1;
    }
    return list.count;
}

bool PlatformIsDisplayOff() { return power.displayOff; }

void Win32WatchDisplayPower(HWND window) {
    const auto registerCall = reinterpret_cast<RegisterCall>(User32Entry("RegisterPowerSettingNotification"));
    if (registerCall == nullptr || power.notification != nullptr) return;
    power.notification = registerCall(window, &kConsoleDisplayState, DEVICE_NOTIFY_WINDOW_HANDLE);
}

void Win32StopWatchingDisplayPower() {
    const auto unregisterCall = reinterpret_cast<UnregisterCall>(User32Entry("UnregisterPowerSettingNotification"));
    if (unregisterCall != nullptr && power.notification != nullptr) unregisterCall(power.notification);
    power.notification = nullptr;
    power.displayOff = false;
}

// The setting's data is one DWORD: 0 off, 1 on, 2 dimmed (still showing).
void Win32NotePowerBroadcast(WPARAM event, LPARAM data) {
    if (event != PBT_POWERSETTINGCHANGE || data == 0) return;
    const auto* setting = reinterpret_cast<const POWERBROADCAST_SETTING*>(data);
    if (!IsEqualGUID(setting->PowerSetting, kConsoleDisplayState) || setting->DataLength < sizeof(DWORD)) return;
    DWORD state = 0;
    CopyMemory(&state, setting->Data, sizeof(state));
    power.displayOff = state == 0;
}
