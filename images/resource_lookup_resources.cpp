#include "images/resource_lookup.h"
#include "platform/resources.h"

// Where executables carry resources, the streams are the program's own RCDATA resources.
bool LookupImageResource(const char* name, const unsigned char** bytes, uint32_t* size) {
    return PlatformFindDataResource(name, bytes, size);
}
