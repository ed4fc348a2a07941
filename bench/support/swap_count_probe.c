/* Preloaded into a saver by the benchmarks: counts buffer swaps (glXSwapBuffers on X11,
   eglSwapBuffers on Wayland) and keeps the count in the file named by BRISALO_PROBE_OUT, so
   that a reader can take frames over any span. The saver itself carries no counting code.
   A Wayland frame on several outputs is several swaps: run it on one. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

typedef struct _XDisplay Display;
typedef unsigned long GLXDrawable;
typedef void* EGLDisplay;
typedef void* EGLSurface;
typedef unsigned int EGLBoolean;

static void count_swap(void) {
    static long swaps = 0;
    static int fd = -2;
    if (fd == -2) {
        const char* out = getenv("BRISALO_PROBE_OUT");
        fd = out != NULL ? open(out, O_WRONLY | O_CREAT | O_TRUNC, 0644) : -1;
    }
    ++swaps;
    if (fd >= 0) {
        char line[32];
        const int length = snprintf(line, sizeof line, "%20ld\n", swaps);
        if (pwrite(fd, line, (size_t)length, 0) < 0) { /* the run then shows no figure */ }
    }
}

void glXSwapBuffers(Display* display, GLXDrawable drawable) {
    static void (*real)(Display*, GLXDrawable) = NULL;
    if (real == NULL) real = (void (*)(Display*, GLXDrawable))dlsym(RTLD_NEXT, "glXSwapBuffers");
    if (real != NULL) real(display, drawable);
    count_swap();
}

EGLBoolean eglSwapBuffers(EGLDisplay display, EGLSurface surface) {
    static EGLBoolean (*real)(EGLDisplay, EGLSurface) = NULL;
    if (real == NULL) real = (EGLBoolean(*)(EGLDisplay, EGLSurface))dlsym(RTLD_NEXT, "eglSwapBuffers");
    const EGLBoolean done = real != NULL ? real(display, surface) : 0;
    count_swap();
    return done;
}
