#pragma once

#include <cstdint>

// X key and button events as the Win32 messages the saver window expects. Pure functions
// of the event's fields; the X11 values come in as plain integers.

constexpr uint32_t kUnknownVirtualKey = 0xFF;  // a code the key hook never takes

// The virtual-key code of a keysym; kUnknownVirtualKey when Windows has no counterpart.
uint32_t VirtualKeyFromKeysym(uint32_t keysym);

struct TranslatedInput {
    uint32_t message = 0;  // 0: no message
    uintptr_t wParam = 0;
    intptr_t lParam = 0;
};

// A key press: WM_KEYDOWN, or WM_SYSKEYDOWN for Alt, F10 and keys with Alt held. level0 is
// the key's unshifted keysym, level1 its shifted one (which gives the digit on layouts
// whose digit row is unshifted punctuation). state is the X modifier state.
TranslatedInput TranslateKeyPress(uint32_t level0, uint32_t level1, uint32_t state);

// The MK_* mask of the buttons and modifiers held in an X state.
uint32_t ButtonMaskFromState(uint32_t state);

// A button press at client position x, y: the three buttons, the wheel (WM_MOUSEWHEEL,
// WM_MOUSEHWHEEL) and the two extra buttons (WM_XBUTTONDOWN). The mask includes the button
// just pressed, which X's state does not yet.
TranslatedInput TranslateButtonPress(uint32_t button, uint32_t state, int32_t x, int32_t y);
