/* Input devices for a headless compositor, whose seat has none until a client makes one.
 * Reads commands on standard input, one a line, and answers "ok" once the compositor has them.
 *
 * virtual_input pointer
 *   to X Y W H   move to X, Y of a W x H layout
 *   move DX DY   move by DX, DY pixels
 *   click        press and release the left button
 *
 * virtual_input keyboard: a keyboard that stays for the whole test and carries a whole US
 * keymap, as a real one does. wtype makes a new keyboard for every run, with a keymap of
 * only the keys it types; GTK's key bindings (Tab, space, Return) never match such keys.
 *   NAME         press and release the key of that keysym ("Tab", "shift+Tab", "Return")
 */
#define _GNU_SOURCE
#include <linux/input-event-codes.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <sys/time.h>
#include <time.h>
#include <unistd.h>
#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

#include "virtual-keyboard-unstable-v1-client-protocol.h"
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

static struct zwlr_virtual_pointer_manager_v1* pointers;
static struct zwp_virtual_keyboard_manager_v1* keyboards;
static struct wl_seat* seat;

static void global(void* data, struct wl_registry* registry, uint32_t name, const char* interface,
                   uint32_t version) {
    (void)data;
    (void)version;
    if (strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0) {
        pointers = wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1);
    } else if (strcmp(interface, zwp_virtual_keyboard_manager_v1_interface.name) == 0) {
        keyboards = wl_registry_bind(registry, name, &zwp_virtual_keyboard_manager_v1_interface, 1);
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

static void answer(void) {
    struct timeval sent;
    gettimeofday(&sent, NULL);  /* the clock of WAYLAND_DEBUG's traces, for a person to compare */
    printf("ok %lld.%03ld\n", (long long)(sent.tv_sec * 1000LL + sent.tv_usec / 1000) % 10000000,
           (long)(sent.tv_usec % 1000));
    fflush(stdout);
}

static int run_pointer(struct wl_display* display) {
    struct zwlr_virtual_pointer_v1* pointer = zwlr_virtual_pointer_manager_v1_create_virtual_pointer(pointers, seat);
    wl_display_roundtrip(display);
    answer();

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
            fprintf(stderr, "virtual_input: unknown command %s", line);
            continue;
        }
        zwlr_virtual_pointer_v1_frame(pointer);
        if (wl_display_roundtrip(display) < 0) return 1;
        answer();
    }
    zwlr_virtual_pointer_v1_destroy(pointer);
    return 0;
}

struct search {
    xkb_keysym_t wanted;
    xkb_keycode_t found;
};

static void look_at_key(struct xkb_keymap* keymap, xkb_keycode_t code, void* data) {
    struct search* search = data;
    const xkb_keysym_t* symbols = NULL;
    const int count = xkb_keymap_key_get_syms_by_level(keymap, code, 0, 0, &symbols);
    for (int i = 0; i < count && search->found == 0; ++i) {
        if (symbols[i] == search->wanted) search->found = code;
    }
}

static int send_keymap(struct zwp_virtual_keyboard_v1* keyboard, struct xkb_keymap* keymap) {
    char* text = xkb_keymap_get_as_string(keymap, XKB_KEYMAP_FORMAT_TEXT_V1);
    if (text == NULL) return 0;
    const size_t size = strlen(text) + 1;
    const int fd = memfd_create("keymap", MFD_CLOEXEC);
    const int written = fd >= 0 && write(fd, text, size) == (ssize_t)size;
    free(text);
    if (!written) return 0;
    zwp_virtual_keyboard_v1_keymap(keyboard, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, fd, (uint32_t)size);
    close(fd);
    return 1;
}

static int run_keyboard(struct wl_display* display) {
    struct xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_ENVIRONMENT_NAMES);
    const struct xkb_rule_names names = {"evdev", "pc105", "us", "", ""};
    struct xkb_keymap* keymap = context != NULL ? xkb_keymap_new_from_names(context, &names, 0) : NULL;
    const xkb_mod_index_t shift = keymap != NULL ? xkb_keymap_mod_get_index(keymap, XKB_MOD_NAME_SHIFT) : 0;
    struct zwp_virtual_keyboard_v1* keyboard = zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(keyboards, seat);
    if (keymap == NULL || !send_keymap(keyboard, keymap) || wl_display_roundtrip(display) < 0) {
        fprintf(stderr, "virtual_input: no keymap\n");
        return 1;
    }
    answer();

    char line[128];
    while (fgets(line, sizeof line, stdin) != NULL) {
        line[strcspn(line, "\n")] = '\0';
        const int shifted = strncmp(line, "shift+", 6) == 0;
        struct search search = {xkb_keysym_from_name(shifted ? line + 6 : line, XKB_KEYSYM_NO_FLAGS), 0};
        if (search.wanted != XKB_KEY_NoSymbol) xkb_keymap_key_for_each(keymap, look_at_key, &search);
        if (search.found == 0) {
            printf("no key %s\n", line);
            fflush(stdout);
            continue;
        }
        const uint32_t evdev = search.found - 8;  /* xkb numbers keys from 8 */
        if (shifted) zwp_virtual_keyboard_v1_modifiers(keyboard, 1u << shift, 0, 0, 0);
        zwp_virtual_keyboard_v1_key(keyboard, now_ms(), evdev, WL_KEYBOARD_KEY_STATE_PRESSED);
        zwp_virtual_keyboard_v1_key(keyboard, now_ms(), evdev, WL_KEYBOARD_KEY_STATE_RELEASED);
        if (shifted) zwp_virtual_keyboard_v1_modifiers(keyboard, 0, 0, 0, 0);
        if (wl_display_roundtrip(display) < 0) return 1;
        answer();
    }
    zwp_virtual_keyboard_v1_destroy(keyboard);
    xkb_keymap_unref(keymap);
    xkb_context_unref(context);
    return 0;
}

int main(int argc, char** argv) {
    const int keyboard = argc == 2 && strcmp(argv[1], "keyboard") == 0;
    if (argc != 2 || (!keyboard && strcmp(argv[1], "pointer") != 0)) {
        fprintf(stderr, "usage: virtual_input pointer|keyboard\n");
        return 2;
    }
    struct wl_display* display = wl_display_connect(NULL);
    if (display == NULL) {
        fprintf(stderr, "virtual_input: no Wayland compositor\n");
        return 1;
    }
    struct wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registry_listener, NULL);
    wl_display_roundtrip(display);
    if (seat == NULL || (keyboard ? keyboards == NULL : pointers == NULL)) {
        fprintf(stderr, "virtual_input: the compositor has no virtual %s manager\n", argv[1]);
        return 1;
    }
    const int status = keyboard ? run_keyboard(display) : run_pointer(display);
    wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return status;
}
