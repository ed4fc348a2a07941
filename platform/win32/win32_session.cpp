#include "platform/win32/win32_session.h"

#include <windows.h>

namespace {

constexpr LONGLONG kAsksPerSecond = 4;
LONGLONG lastAsked = 0;

}  // namespace

// Paced by the performance counter: Wine's tick count is the server's to advance, and stops
// with it.
void Win32FollowSessionEnd() {
    LARGE_INTEGER now{};
    LARGE_INTEGER frequency{};
    if (!QueryPerformanceCounter(&now) || !QueryPerformanceFrequency(&frequency)) return;
    if (lastAsked != 0 && now.QuadPart - lastAsked < frequency.QuadPart / kAsksPerSecond) return;
    lastAsked = now.QuadPart;
    // The cheapest question that always reaches the server.
    DWORD code = 0;
    GetExitCodeProcess(GetCurrentProcess(), &code);
}
