#include <windows.h>

#include "platform/platform.h"

// The program's entry, defined above this layer by the saver shell; it reads the command
// line itself.
int SaverMain(PlatformInstance instance, int32_t showCommand);

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    return SaverMain(reinterpret_cast<PlatformInstance>(instance), showCommand);
}
