#include <windows.h>

#include "platform/platform.h"
#include "platform/windows_command_line.h"

// WinMain has already been handed what main() would be given.
void PlatformStartProcess(int, char**) {}

PlatformInstance PlatformModuleInstance() { return reinterpret_cast<PlatformInstance>(GetModuleHandleA(nullptr)); }

int32_t PlatformStartShowCommand() {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    return (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? startup.wShowWindow : SW_SHOWDEFAULT;
}

// Windows' hosts pass nothing beyond the mode.
PlatformLaunch PlatformGetLaunch() { return ReadWindowsCommandLine(GetCommandLineA()); }

PlatformWindow PlatformGetForegroundWindow() { return reinterpret_cast<PlatformWindow>(GetForegroundWindow()); }

uint32_t PlatformGetTickCount() { return GetTickCount(); }

void PlatformSleep(uint32_t milliseconds) { Sleep(milliseconds); }

static_assert(sizeof(OSVERSIONINFOA) == 148, "the version record the password check asks with");

bool PlatformIsNtFamily() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;  // 148
    // Without an answer the platform is not known to be NT: the password check then runs.
    if (!GetVersionExA(&version)) return false;
    return version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

PlatformLibrary PlatformLoadLibrary(const char* name) { return reinterpret_cast<PlatformLibrary>(LoadLibraryA(name)); }

void* PlatformGetProcAddress(PlatformLibrary library, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(reinterpret_cast<HMODULE>(library), name));
}

void PlatformFreeLibrary(PlatformLibrary library) { FreeLibrary(reinterpret_cast<HMODULE>(library)); }
