// A stand-in for a screen-saver host's window: maps a window of the given size, prints its
// id, and on standard input takes "resize W H" (answered "resized" once the server has it)
// and "destroy". It selects button presses on its window, as a host that owns it would.
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    const unsigned width = argc > 1 ? static_cast<unsigned>(atoi(argv[1])) : 320;
    const unsigned height = argc > 2 ? static_cast<unsigned>(atoi(argv[2])) : 240;
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return 1;
    const int screen = DefaultScreen(display);
    Window window = XCreateSimpleWindow(display, RootWindow(display, screen), 40, 30, width, height, 0,
                                        BlackPixel(display, screen), WhitePixel(display, screen));
    XStoreName(display, window, "Preview host");
    XSelectInput(display, window, ButtonPressMask);
    XMapWindow(display, window);
    XSync(display, False);
    printf("%lu\n", window);
    fflush(stdout);

    char line[64];
    while (fgets(line, sizeof line, stdin) != nullptr) {
        unsigned newWidth = 0, newHeight = 0;
        if (sscanf(line, "resize %u %u", &newWidth, &newHeight) == 2 && window != 0) {
            XResizeWindow(display, window, newWidth, newHeight);
            XSync(display, False);
            printf("resized\n");
            fflush(stdout);
        }
        if (strncmp(line, "destroy", 7) == 0 && window != 0) {
            XDestroyWindow(display, window);
            XSync(display, False);
            window = 0;
            printf("destroyed\n");
            fflush(stdout);
        }
    }
    XCloseDisplay(display);
    return 0;
}
