/* A pointer for a headless compositor, which has none until a client makes one: reads
 * commands on standard input, one a line, and answers "ok" once the compositor has them.
 *   to X Y W H   move to X, Y of a W x H layout
 *   move DX DY   move by DX, DY pixels
 *   click        press and release the left button
 */
#include <linux/input-event-codes.h>
#include <stdio.h>
#include <string.h>
#include <sys/time.h>
#include <time.h>
#include <wayland-client.h>

#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

static struct zwlr_virtual_pointer_manager_v1* manager;
static struct wl_seat* seat;

static void global(void* data, struct wl_registry* registry, uint32_t name, const char* interface,
                   uint32_t version) {
    (void)data;
    (void)version;
    if (strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0) {
        manager = wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1);
    } else if (strcmp(interface, wl_seat_interface.name) == 0 && seat == NULL) {
        seat = wl_registry_bind(registry, name, &wl_seat_interface, 1);
    }
}

static void global_remove(void* data, struct wl_registry* registry, uint32_t name) {
    (void)data;
    (void)registry;
    (void)name;
}

static const struct wl_registry_listener registry_listener = {global, global_remove};

static uint32_t now_ms(void) {
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (uint32_t)(now.tv_sec * 1000 + now.tv_nsec / 1000000);
}

int main(void) {
    struct wl_display* display = wl_display_connect(NULL);
    if (display == NULL) {
        fprintf(stderr, "virtual_pointer: no Wayland compositor\n");
        return 1;
    }
    struct wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registry_listener, NULL);
    wl_display_roundtrip(display);
    if (manager == NULL) {
        fprintf(stderr, "virtual_pointer: the compositor has no zwlr_virtual_pointer_manager_v1\n");
        return 1;
    }
    struct zwlr_virtual_pointer_v1* pointer = zwlr_virtual_pointer_manager_v1_create_virtual_pointer(manager, seat);
    wl_display_roundtrip(display);
    printf("ok\n");
    fflush(stdout);

    char line[128];
    while (fgets(line, sizeof line, stdin) != NULL) {
        int x, y, w, h;
        if (sscanf(line, "to %d %d %d %d", &x, &y, &w, &h) == 4) {
            zwlr_virtual_pointer_v1_motion_absolute(pointer, now_ms(), (uint32_t)x, (uint32_t)y, (uint32_t)w,
                                                    (uint32_t)h);
        } else if (sscanf(line, "move %d %d", &x, &y) == 2) {
            zwlr_virtual_pointer_v1_motion(pointer, now_ms(), wl_fixed_from_int(x), wl_fixed_from_int(y));
        } else if (strncmp(line, "click", 5) == 0) {
            zwlr_virtual_pointer_v1_button(pointer, now_ms(), BTN_LEFT, WL_POINTER_BUTTON_STATE_PRESSED);
            zwlr_virtual_pointer_v1_frame(pointer);
            zwlr_virtual_pointer_v1_button(pointer, now_ms(), BTN_LEFT, WL_POINTER_BUTTON_STATE_RELEASED);
        } else {
            fprintf(stderr, "virtual_pointer: unknown command %s", line);
            continue;
        }
        zwlr_virtual_pointer_v1_frame(pointer);
        if (wl_display_roundtrip(display) < 0) return 1;
        struct timeval sent;
        gettimeofday(&sent, NULL);  /* the clock of WAYLAND_DEBUG's traces, for a person to compare */
        printf("ok %lld.%03ld\n", (long long)(sent.tv_sec * 1000LL + sent.tv_usec / 1000) % 10000000, (long)(sent.tv_usec % 1000));
        fflush(stdout);
    }
    zwlr_virtual_pointer_v1_destroy(pointer);
    wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return 0;
}
