// A stand-in for a screen-saver host's preview window: maps a window of the given size,
// prints its id, and destroys it when told "destroy" on standard input.
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
    XMapWindow(display, window);
    XSync(display, False);
    printf("%lu\n", window);
    fflush(stdout);

    char line[64];
    while (fgets(line, sizeof line, stdin) != nullptr) {
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
