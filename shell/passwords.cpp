#include "shell/passwords.h"

namespace {

using VerifyScreenSavePwdProc = int32_t(PLATFORM_STDCALL*)(PlatformWindow window);
using PwdChangePasswordProc = uint32_t(PLATFORM_STDCALL*)(const char* provider, PlatformWindow parent,
                                                          uint32_t reserved1, uint32_t reserved2);

}  // namespace

// A missing library or entry lets the saver close: it cannot ask, so it must not trap the user.
bool VerifySaverPassword(PlatformWindow window) {
    if (PlatformIsNtFamily()) return true;

    PlatformLibrary library = PlatformLoadLibrary("PASSWORD.CPL");
    if (library == 0) return true;
    auto verify = reinterpret_cast<VerifyScreenSavePwdProc>(
        PlatformGetProcAddress(library, "VerifyScreenSavePwd"));
    if (verify == nullptr) {
        PlatformFreeLibrary(library);
        return true;
    }
    const bool ok = verify(window) != 0;
    PlatformFreeLibrary(library);
    return ok;
}

void ChangeSaverPassword(PlatformWindow parent) {
    PlatformLibrary library = PlatformLoadLibrary("MPR.DLL");
    if (library == 0) return;
    auto change = reinterpret_cast<PwdChangePasswordProc>(
        PlatformGetProcAddress(library, "PwdChangePasswordA"));
    if (change != nullptr) change("SCRSAVE", parent, 0, 0);
    PlatformFreeLibrary(library);
}
