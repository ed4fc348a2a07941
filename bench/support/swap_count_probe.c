/* Preloaded into a saver by the benchmarks and the Wayland tests: counts buffer swaps
   (glXSwapBuffers on X11, eglSwapBuffers on Wayland) and keeps the counts in the file named
   by BRISALO_PROBE_OUT, so that a reader can take frames over any span. The saver itself
   carries no counting code. The file holds one line: the swaps of every surface, then each
   surface's own, in the order of their first swap (a Wayland frame on several outputs is
   a swap on each). Fixed-width fields: a count only grows, so a rewrite never shortens it. */
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

enum { kSurfaces = 16 };

static void count_swap(const void* surface) {
    static long swaps = 0;
    static const void* surfaces[kSurfaces];
    static long counts[kSurfaces];
    static int known = 0;
    static int fd = -2;
    if (fd == -2) {
        const char* out = getenv("BRISALO_PROBE_OUT");
        fd = out != NULL ? open(out, O_WRONLY | O_CREAT | O_TRUNC, 0644) : -1;
    }
    ++swaps;
    int i = 0;
    while (i < known && surfaces[i] != surface) ++i;
    if (i == known && known < kSurfaces) surfaces[known++] = surface;
    if (i < known) ++counts[i];
    if (fd >= 0) {
        char line[32 + 16 * kSurfaces];
        int length = snprintf(line, sizeof line, "%20ld", swaps);
        for (int j = 0; j < known; ++j) length += snprintf(line + length, sizeof line - (size_t)length, " %15ld", counts[j]);
        length += snprintf(line + length, sizeof line - (size_t)length, "\n");
        if (pwrite(fd, line, (size_t)length, 0) < 0) { /* the run then shows no figure */ }
    }
}

void glXSwapBuffers(Display* display, GLXDrawable drawable) {
    static void (*real)(Display*, GLXDrawable) = NULL;
    if (real == NULL) real = (void (*)(Display*, GLXDrawable))dlsym(RTLD_NEXT, "glXSwapBuffers");
    if (real != NULL) real(display, drawable);
    count_swap((const void*)drawable);
}

EGLBoolean eglSwapBuffers(EGLDisplay display, EGLSurface surface) {
    static EGLBoolean (*real)(EGLDisplay, EGLSurface) = NULL;
    if (real == NULL) real = (EGLBoolean(*)(EGLDisplay, EGLSurface))dlsym(RTLD_NEXT, "eglSwapBuffers");
    const EGLBoolean done = real != NULL ? real(display, surface) : 0;
    count_swap(surface);
    return done;
}
