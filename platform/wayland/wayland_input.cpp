// The seat's keyboard (through xkbcommon, whose keysyms are X11's) and pointer as the
// messages of the saver window, in X11's terms so that one key table serves both.
#include <X11/X.h>
#include <X11/keysym.h>
#include <linux/input-event-codes.h>
#include <sys/mman.h>
#include <unistd.h>

#include "platform/messages.h"
#include "platform/unix/key_table.h"
#include "platform/wayland/wayland_lock.h"
#include "platform/wayland/wayland_state.h"

namespace {

// X's modifier state from xkb's: the key table reads Shift, Control, Alt (Mod1) and Num
// Lock (Mod2) as X reports them.
uint32_t ModifierState() {
    if (wayland.keyState == nullptr) return wayland.heldButtons;
    struct Modifier {
        const char* name;
        uint32_t mask;
    };
    const Modifier modifiers[] = {{XKB_MOD_NAME_SHIFT, ShiftMask}, {XKB_MOD_NAME_CAPS, LockMask},
                                  {XKB_MOD_NAME_CTRL, ControlMask}, {XKB_MOD_NAME_ALT, Mod1Mask},
                                  {XKB_MOD_NAME_NUM, Mod2Mask},    {XKB_MOD_NAME_LOGO, Mod4Mask}};
    uint32_t state = wayland.heldButtons;
    for (const Modifier& modifier : modifiers) {
        if (xkb_state_mod_name_is_active(wayland.keyState, modifier.name, XKB_STATE_MODS_EFFECTIVE) > 0) {
            state |= modifier.mask;
        }
    }
    return state;
}

uint32_t KeysymAtLevel(xkb_keycode_t code, xkb_layout_index_t layout, xkb_level_index_t level) {
    const xkb_keysym_t* syms = nullptr;
    const int count = xkb_keymap_key_get_syms_by_level(wayland.keymap, code, layout, level, &syms);
    return count > 0 ? syms[0] : 0;
}

bool IsKeypadKeysym(uint32_t keysym) { return keysym >= XK_KP_Space && keysym <= XK_KP_Equal; }

void KeyboardKeymap(void*, wl_keyboard*, uint32_t format, int32_t fd, uint32_t size) {
    if (format != WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1 || size == 0 || wayland.xkbContext == nullptr) {
        close(fd);
        return;
    }
    void* text = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    close(fd);
    if (text == MAP_FAILED) return;
    xkb_keymap* keymap = xkb_keymap_new_from_buffer(wayland.xkbContext, static_cast<const char*>(text), size - 1,
                                                    XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS);
    munmap(text, size);
    if (keymap == nullptr) return;
    xkb_state* state = xkb_state_new(keymap);
    if (state == nullptr) {
        xkb_keymap_unref(keymap);
        return;
    }
    if (wayland.keyState != nullptr) xkb_state_unref(wayland.keyState);
    if (wayland.keymap != nullptr) xkb_keymap_unref(wayland.keymap);
    wayland.keymap = keymap;
    wayland.keyState = state;
}

void KeyboardEnter(void*, wl_keyboard*, uint32_t, wl_surface*, wl_array*) {
    wayland.keyboardFocus = true;
    wayland.leavePending = false;
}

void KeyboardLeave(void*, wl_keyboard*, uint32_t, wl_surface*) {
    wayland.keyboardFocus = false;
    wayland.leavePending = true;
    wayland.repeatKey = 0;
}

// The keypad's digits need Num Lock's level; every other key is named by its plain one.
void KeyboardKey(void*, wl_keyboard*, uint32_t, uint32_t, uint32_t key, uint32_t state) {
    if (state != WL_KEYBOARD_KEY_STATE_PRESSED) {
        if (key == wayland.repeatKey) wayland.repeatKey = 0;
        return;
    }
    if (wayland.keymap == nullptr || wayland.window == 0) return;
    const xkb_keycode_t code = key + 8;  // evdev codes are xkb's less 8
    const xkb_layout_index_t layout = xkb_state_key_get_layout(wayland.keyState, code);
    uint32_t level0 = KeysymAtLevel(code, layout, 0);
    const uint32_t level1 = KeysymAtLevel(code, layout, 1);
    const uint32_t modifiers = ModifierState();
    if ((modifiers & Mod2Mask) != 0 && IsKeypadKeysym(level1)) level0 = level1;
    const TranslatedInput input = TranslateKeyPress(level0, level1, modifiers);
    WaylandQueue(input.message, input.wParam, input.lParam);
    wayland.repeatKey = 0;
    if (wayland.repeatRate > 0 && xkb_keymap_key_repeats(wayland.keymap, code)) {
        wayland.repeatKey = key;
        wayland.repeatMessage = unixLayer.queue.messages.back();
        wayland.repeatDueTick = PlatformGetTickCount() + static_cast<uint32_t>(wayland.repeatDelayMs);
    }
    WaylandLockTypeKey(code);
}

void KeyboardModifiers(void*, wl_keyboard*, uint32_t, uint32_t depressed, uint32_t latched, uint32_t locked,
                       uint32_t group) {
    if (wayland.keyState != nullptr) xkb_state_update_mask(wayland.keyState, depressed, latched, locked, 0, 0, group);
}

// Wayland leaves repeating to the client, at the rate and delay the compositor gives.
void KeyboardRepeat(void*, wl_keyboard*, int32_t rate, int32_t delay) {
    wayland.repeatRate = rate > 0 && rate <= 1000 ? rate : 0;
    wayland.repeatDelayMs = delay > 0 && delay <= 10000 ? delay : 0;
    if (wayland.repeatRate == 0) wayland.repeatKey = 0;
}

const wl_keyboard_listener kKeyboardListener = {KeyboardKeymap, KeyboardEnter,     KeyboardLeave,
                                                KeyboardKey,    KeyboardModifiers, KeyboardRepeat};

WaylandOutput* OutputOfSurface(wl_surface* surface) {
    for (auto& output : wayland.outputs) {
        if (output->surface == surface && surface != nullptr) return output.get();
    }
    return nullptr;
}

// Positions in one space across the outputs, from their places in the layout; the first
// one is the origin of the mouse rule.
void MovePointer(wl_fixed_t surfaceX, wl_fixed_t surfaceY) {
    if (wayland.pointerOutput == nullptr) return;
    wayland.pointerX = wayland.pointerOutput->x + wl_fixed_to_int(surfaceX);
    wayland.pointerY = wayland.pointerOutput->y + wl_fixed_to_int(surfaceY);
    if (!wayland.pointerKnown) {
        wayland.pointerKnown = true;
        wayland.originX = wayland.pointerX;
        wayland.originY = wayland.pointerY;
    }
}

void QueueMove() {
    WaylandQueue(WM_SETCURSOR, wayland.window, HTCLIENT | (WM_MOUSEMOVE << 16));
    WaylandQueue(WM_MOUSEMOVE, ButtonMaskFromState(ModifierState()),
                 WaylandPointParam(wayland.pointerX - wayland.pointerOutput->x,
                                   wayland.pointerY - wayland.pointerOutput->y));
}

// Crossing from one output's surface onto another's comes as an enter with no motion: it
// is a move all the same.
void PointerEnter(void*, wl_pointer*, uint32_t serial, wl_surface* surface, wl_fixed_t x, wl_fixed_t y) {
    wayland.pointerSerial = serial;
    wayland.pointerOutput = OutputOfSurface(surface);
    if (wayland.pointerOutput == nullptr || wayland.window == 0) return;
    MovePointer(x, y);
    QueueMove();
}

void PointerLeave(void*, wl_pointer*, uint32_t, wl_surface*) { wayland.pointerOutput = nullptr; }

void PointerMotion(void*, wl_pointer*, uint32_t, wl_fixed_t x, wl_fixed_t y) {
    if (wayland.pointerOutput == nullptr || wayland.window == 0) return;
    MovePointer(x, y);
    QueueMove();
}

// evdev's buttons as X numbers them.
uint32_t XButton(uint32_t button) {
    switch (button) {
    case BTN_LEFT: return Button1;
    case BTN_MIDDLE: return Button2;
    case BTN_RIGHT: return Button3;
    case BTN_SIDE: return 8;
    case BTN_EXTRA: return 9;
    default: return 0;
    }
}

uint32_t XButtonMask(uint32_t xButton) {
    return xButton >= Button1 && xButton <= Button3 ? (Button1Mask << (xButton - Button1)) : 0;
}

// X's state does not yet hold the button being pressed; the key table adds it.
void PointerButton(void*, wl_pointer*, uint32_t, uint32_t, uint32_t button, uint32_t state) {
    const uint32_t xButton = XButton(button);
    if (state != WL_POINTER_BUTTON_STATE_PRESSED) {
        wayland.heldButtons &= ~XButtonMask(xButton);
        return;
    }
    if (xButton != 0 && wayland.pointerOutput != nullptr && wayland.window != 0) {
        const TranslatedInput input =
            TranslateButtonPress(xButton, ModifierState(), wayland.pointerX - wayland.pointerOutput->x,
                                 wayland.pointerY - wayland.pointerOutput->y);
        if (input.message != 0) WaylandQueue(input.message, input.wParam, input.lParam);
    }
    wayland.heldButtons |= XButtonMask(xButton);
}

// The wheel closes nothing, on X11 as on Windows.
void PointerAxis(void*, wl_pointer*, uint32_t, uint32_t, wl_fixed_t) {}
void PointerFrame(void*, wl_pointer*) {}
void PointerAxisSource(void*, wl_pointer*, uint32_t) {}
void PointerAxisStop(void*, wl_pointer*, uint32_t, uint32_t) {}
void PointerAxisSteps(void*, wl_pointer*, uint32_t, int32_t) {}

#ifdef WL_POINTER_AXIS_RELATIVE_DIRECTION_SINCE_VERSION
void PointerAxisRelativeDirection(void*, wl_pointer*, uint32_t, uint32_t) {}
#endif

// Newer headers add members at the end; each is named where the header has it.
const wl_pointer_listener kPointerListener = {PointerEnter,      PointerLeave,    PointerMotion,
                                              PointerButton,     PointerAxis,     PointerFrame,
                                              PointerAxisSource, PointerAxisStop, PointerAxisSteps,
                                              PointerAxisSteps,
#ifdef WL_POINTER_AXIS_RELATIVE_DIRECTION_SINCE_VERSION
                                              PointerAxisRelativeDirection,
#endif
};

// The seat says what it has; a keyboard or pointer it lost is let go of.
void SeatCapabilities(void*, wl_seat* seat, uint32_t capabilities) {
    const bool keyboard = (capabilities & WL_SEAT_CAPABILITY_KEYBOARD) != 0;
    const bool pointer = (capabilities & WL_SEAT_CAPABILITY_POINTER) != 0;
    if (keyboard && wayland.keyboard == nullptr) {
        wayland.keyboard = wl_seat_get_keyboard(seat);
        wl_keyboard_add_listener(wayland.keyboard, &kKeyboardListener, nullptr);
    } else if (!keyboard && wayland.keyboard != nullptr) {
        wl_keyboard_release(wayland.keyboard);
        wayland.keyboard = nullptr;
        wayland.keyboardFocus = false;
        wayland.leavePending = false;  // the seat lost its keyboard: no loss of activation
        wayland.repeatKey = 0;
    }
    if (pointer && wayland.pointer == nullptr) {
        wayland.pointer = wl_seat_get_pointer(seat);
        wl_pointer_add_listener(wayland.pointer, &kPointerListener, nullptr);
    } else if (!pointer && wayland.pointer != nullptr) {
        wl_pointer_release(wayland.pointer);
        wayland.pointer = nullptr;
        wayland.pointerOutput = nullptr;
    }
}

void SeatName(void*, wl_seat*, const char*) {}

const wl_seat_listener kSeatListener = {SeatCapabilities, SeatName};

}  // namespace

void WaylandBindSeat(wl_seat* seat) {
    wayland.seat = seat;
    if (wayland.xkbContext == nullptr) wayland.xkbContext = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    wl_seat_add_listener(seat, &kSeatListener, nullptr);
}

// Repeats come between frames, at most one per message pass: a late pass does not
// make up for the ones it missed.
void WaylandRepeatKey() {
    if (wayland.repeatKey == 0 || wayland.window == 0 || wayland.repeatRate == 0) return;
    const uint32_t now = PlatformGetTickCount();
    if (static_cast<int32_t>(now - wayland.repeatDueTick) < 0) return;
    WaylandQueue(wayland.repeatMessage.message, wayland.repeatMessage.wParam, wayland.repeatMessage.lParam);
    wayland.repeatDueTick = now + static_cast<uint32_t>(1000 / wayland.repeatRate);
}

// A leave is a loss of activation only when the keyboard is still there: the seat's
// capabilities come after the leave that losing the device caused, so a leave is judged
// one dispatch later.
void WaylandSettleKeyboardLeave(bool pendingBefore) {
    if (!pendingBefore || !wayland.leavePending) return;
    wayland.leavePending = false;
    if (wayland.keyboard != nullptr && !wayland.keyboardFocus && wayland.window != 0 && !wayland.hosted) {
        WaylandQueue(WM_ACTIVATE, WA_INACTIVE, 0);
    }
}

// No cursor is none at all: Wayland lets a client show nothing over its surface. The
// arrow would need a cursor theme; without it the compositor's last cursor stays.
void PlatformSetCursor(PlatformCursor cursor) {
    if (wayland.pointer == nullptr || wayland.window == 0 || wayland.hosted || cursor != 0) return;
    wl_pointer_set_cursor(wayland.pointer, wayland.pointerSerial, nullptr, 0, 0);
}

// The arrow is a token that leaves the compositor's cursor as it is.
PlatformCursor PlatformLoadCursor(uint32_t id) { return id == IDC_ARROW ? 1 : 0; }

// Until the pointer has first entered a surface its place is unknown: the origin then is
// that first place, so that the mouse rule measures from it.
bool PlatformGetCursorPos(PlatformPoint* point) {
    point->x = wayland.pointerKnown ? wayland.pointerX - wayland.originX : 0;
    point->y = wayland.pointerKnown ? wayland.pointerY - wayland.originY : 0;
    return true;
}
