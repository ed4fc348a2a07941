#pragma once

#include <cstdint>

// A named data resource of the program's own executable (FindResourceA with RT_RCDATA,
// SizeofResource, LoadResource, LockResource): read-only bytes valid for the life of the
// process, or false when there is no such resource or it is empty.
bool PlatformFindDataResource(const char* name, const unsigned char** bytes, uint32_t* size);
