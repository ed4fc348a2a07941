// What Windows programs are told of the screen: the monitor count and the virtual screen,
// as "monitors N virtual X Y WIDTH HEIGHT".
#include <windows.h>

#include <cstdio>

int main() {
    std::printf("monitors %d virtual %d %d %d %d\n", GetSystemMetrics(SM_CMONITORS),
                GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
    return 0;
}
