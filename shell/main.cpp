#include "platform/platform.h"
#include "shell/saver_main.h"

int main(int argc, char** argv) {
    PlatformStartProcess(argc, argv);
    return SaverMain(PlatformModuleInstance(), PlatformStartShowCommand());
}
