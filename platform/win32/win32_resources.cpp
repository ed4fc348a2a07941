#include <windows.h>

#include "platform/resources.h"

// Resources are mapped with the module and never unlocked or freed.
bool PlatformFindDataResource(const char* name, const unsigned char** bytes, uint32_t* size) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC resource = FindResourceA(module, name, MAKEINTRESOURCEA(10));  // RT_RCDATA
    if (resource == nullptr) return false;
    const DWORD length = SizeofResource(module, resource);
    if (length == 0) return false;
    HGLOBAL loaded = LoadResource(module, resource);
    if (loaded == nullptr) return false;
    const void* data = LockResource(loaded);
    if (data == nullptr) return false;
    *bytes = static_cast<const unsigned char*>(data);
    *size = length;
    return true;
}
