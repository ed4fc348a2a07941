// A stand-in for a screen-saver host's window: maps a window of the given size, prints its
// id, and on standard input takes "resize W H" (answered "resized" once the server has it)
// and "destroy". It selects button presses on its window, as a host that owns it would.
// A third argument, "input-only" or "pixmap", makes that instead: a target nothing can
// draw in.
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
    const char* kind = argc > 3 ? argv[3] : "";
    if (strcmp(kind, "pixmap") == 0 || strcmp(kind, "input-only") == 0) {
        XID target = 0;
        if (kind[0] == 'p') {
            target = XCreatePixmap(display, RootWindow(display, screen), width, height, DefaultDepth(display, screen));
        } else {
            XSetWindowAttributes attributes{};
            target = XCreateWindow(display, RootWindow(display, screen), 40, 30, width, height, 0, 0, InputOnly,
                                   CopyFromParent, 0, &attributes);
            XMapWindow(display, target);
        }
        XSync(display, False);
        printf("%lu\n", target);
        fflush(stdout);
        char line[64];
        while (fgets(line, sizeof line, stdin) != nullptr) {
        }
        XCloseDisplay(display);
        return 0;
    }
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
