#include "platform/unix/key_table.h"

#include <X11/X.h>
#include <X11/keysym.h>

#include "platform/messages.h"

namespace {

struct KeyRow {
    uint32_t keysym;
    uint32_t virtualKey;
};

const KeyRow kKeys[] = {
    {XK_BackSpace, VK_BACK},       {XK_Tab, VK_TAB},
    {XK_ISO_Left_Tab, VK_TAB},     {XK_Clear, VK_CLEAR},
    {XK_Return, VK_RETURN},        {XK_KP_Enter, VK_RETURN},
    {XK_Shift_L, VK_SHIFT},        {XK_Shift_R, VK_SHIFT},
    {XK_Control_L, VK_CONTROL},    {XK_Control_R, VK_CONTROL},
    {XK_Alt_L, VK_MENU},           {XK_Alt_R, VK_MENU},
    {XK_Meta_L, VK_MENU},          {XK_Meta_R, VK_MENU},
    {XK_ISO_Level3_Shift, VK_MENU}, {XK_Pause, VK_PAUSE},
    {XK_Caps_Lock, VK_CAPITAL},    {XK_Escape, VK_ESCAPE},
    {XK_space, VK_SPACE},          {XK_KP_Space, VK_SPACE},
    {XK_Prior, VK_PRIOR},          {XK_KP_Prior, VK_PRIOR},
    {XK_Next, VK_NEXT},            {XK_KP_Next, VK_NEXT},
    {XK_End, VK_END},              {XK_KP_End, VK_END},
    {XK_Home, VK_HOME},            {XK_KP_Home, VK_HOME},
    {XK_Left, VK_LEFT},            {XK_KP_Left, VK_LEFT},
    {XK_Up, VK_UP},                {XK_KP_Up, VK_UP},
    {XK_Right, VK_RIGHT},          {XK_KP_Right, VK_RIGHT},
    {XK_Down, VK_DOWN},            {XK_KP_Down, VK_DOWN},
    {XK_KP_Begin, VK_CLEAR},       {XK_Print, VK_SNAPSHOT},
    {XK_Insert, VK_INSERT},        {XK_KP_Insert, VK_INSERT},
    {XK_Delete, VK_DELETE},        {XK_KP_Delete, VK_DELETE},
    {XK_Help, VK_HELP},            {XK_Super_L, VK_LWIN},
    {XK_Super_R, VK_RWIN},         {XK_Menu, VK_APPS},
    {XK_KP_Multiply, VK_MULTIPLY}, {XK_KP_Add, VK_ADD},
    {XK_KP_Separator, VK_SEPARATOR}, {XK_KP_Subtract, VK_SUBTRACT},
    {XK_KP_Decimal, VK_DECIMAL},   {XK_KP_Divide, VK_DIVIDE},
    {XK_Num_Lock, VK_NUMLOCK},     {XK_Scroll_Lock, VK_SCROLL},
    // The punctuation keys by their US positions, as Windows names them.
    {XK_semicolon, VK_OEM_1},      {XK_equal, VK_OEM_PLUS},
    {XK_comma, VK_OEM_COMMA},      {XK_minus, VK_OEM_MINUS},
    {XK_period, VK_OEM_PERIOD},    {XK_slash, VK_OEM_2},
    {XK_grave, VK_OEM_3},          {XK_bracketleft, VK_OEM_4},
    {XK_backslash, VK_OEM_5},      {XK_bracketright, VK_OEM_6},
    {XK_apostrophe, VK_OEM_7},     {XK_less, VK_OEM_102},
};

constexpr intptr_t kAltContext = intptr_t{1} << 29;  // lParam bit: Alt was down

bool IsDigitKey(uint32_t virtualKey) { return virtualKey >= '0' && virtualKey <= '9'; }

intptr_t PointParam(int32_t x, int32_t y) {
    return static_cast<intptr_t>((static_cast<uint32_t>(y) & 0xFFFF) << 16 | (static_cast<uint32_t>(x) & 0xFFFF));
}

}  // namespace

uint32_t VirtualKeyFromKeysym(uint32_t keysym) {
    if (keysym >= XK_a && keysym <= XK_z) return 'A' + (keysym - XK_a);
    if (keysym >= XK_A && keysym <= XK_Z) return 'A' + (keysym - XK_A);
    if (keysym >= XK_0 && keysym <= XK_9) return '0' + (keysym - XK_0);
    if (keysym >= XK_KP_0 && keysym <= XK_KP_9) return VK_NUMPAD0 + (keysym - XK_KP_0);
    if (keysym >= XK_F1 && keysym <= XK_F24) return VK_F1 + (keysym - XK_F1);
    for (const KeyRow& row : kKeys) {
        if (row.keysym == keysym) return row.virtualKey;
    }
    return kUnknownVirtualKey;
}

TranslatedInput TranslateKeyPress(uint32_t level0, uint32_t level1, uint32_t state) {
    uint32_t virtualKey = VirtualKeyFromKeysym(level0);
    const uint32_t shifted = VirtualKeyFromKeysym(level1);
    const bool letter = virtualKey >= 'A' && virtualKey <= 'Z';
    if (!IsDigitKey(virtualKey) && !letter && IsDigitKey(shifted)) virtualKey = shifted;
    const bool altHeld = (state & Mod1Mask) != 0;
    const bool controlHeld = (state & ControlMask) != 0;
    // Windows reports Alt combinations and F10 as system keys, unless Control is down too.
    const bool altKey = level0 == XK_Alt_L || level0 == XK_Alt_R || level0 == XK_Meta_L || level0 == XK_Meta_R;
    const bool system = !controlHeld && (altHeld || altKey || virtualKey == VK_F10);
    TranslatedInput input;
    input.message = system ? WM_SYSKEYDOWN : WM_KEYDOWN;
    input.wParam = virtualKey;
    input.lParam = 1 | (altHeld || altKey ? kAltContext : 0);
    return input;
}

uint32_t ButtonMaskFromState(uint32_t state) {
    uint32_t mask = 0;
    if (state & Button1Mask) mask |= MK_LBUTTON;
    if (state & Button3Mask) mask |= MK_RBUTTON;
    if (state & ShiftMask) mask |= MK_SHIFT;
    if (state & ControlMask) mask |= MK_CONTROL;
    if (state & Button2Mask) mask |= MK_MBUTTON;
    return mask;
}

TranslatedInput TranslateButtonPress(uint32_t button, uint32_t state, int32_t x, int32_t y) {
    const uint32_t held = ButtonMaskFromState(state);
    TranslatedInput input;
    input.lParam = PointParam(x, y);
    switch (button) {
    case Button1:
        input.message = WM_LBUTTONDOWN;
        input.wParam = held | MK_LBUTTON;
        break;
    case Button2:
        input.message = WM_MBUTTONDOWN;
        input.wParam = held | MK_MBUTTON;
        break;
    case Button3:
        input.message = WM_RBUTTONDOWN;
        input.wParam = held | MK_RBUTTON;
        break;
    case Button4:  // wheel away from the user
    case Button5:
        input.message = WM_MOUSEWHEEL;
        input.wParam = held | (static_cast<uint32_t>(static_cast<uint16_t>(button == Button4 ? 120 : -120)) << 16);
        break;
    case 6:  // tilt left
    case 7:
        input.message = WM_MOUSEHWHEEL;
        input.wParam = held | (static_cast<uint32_t>(static_cast<uint16_t>(button == 7 ? 120 : -120)) << 16);
        break;
    case 8:
        input.message = WM_XBUTTONDOWN;
        input.wParam = held | MK_XBUTTON1 | (1u << 16);
        break;
    case 9:
        input.message = WM_XBUTTONDOWN;
        input.wParam = held | MK_XBUTTON2 | (2u << 16);
        break;
    default:
        break;
    }
    return input;
}
