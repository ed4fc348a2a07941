#include <gtest/gtest.h>
// After gtest, whose own None the X headers' macro would break.
#include <X11/X.h>
#include <X11/keysym.h>

#include <string>

#include "platform/unix/key_table.h"
#include "platform/messages.h"

namespace {

TranslatedInput Key(uint32_t keysym, uint32_t state = 0, uint32_t shifted = NoSymbol) {
    return TranslateKeyPress(keysym, shifted, state);
}

TEST(X11KeyTable, KeysTheSceneTakesArriveAsTheirVirtualKeys) {
    EXPECT_EQ(Key(XK_space).wParam, 32u);
    EXPECT_EQ(Key(XK_Left).wParam, 37u);
    EXPECT_EQ(Key(XK_Up).wParam, 38u);
    EXPECT_EQ(Key(XK_Right).wParam, 39u);
    EXPECT_EQ(Key(XK_Down).wParam, 40u);
    EXPECT_EQ(Key(XK_KP_Left).wParam, 37u);
    for (uint32_t digit = 0; digit <= 9; ++digit) EXPECT_EQ(Key(XK_0 + digit).wParam, VK_0 + digit);
    EXPECT_EQ(Key(XK_m).wParam, VK_M);
    EXPECT_EQ(Key(XK_M, ShiftMask).wParam, VK_M);
    EXPECT_EQ(Key(XK_s).wParam, VK_S);
    EXPECT_EQ(Key(XK_s).message, WM_KEYDOWN);
}

TEST(X11KeyTable, OtherKeysHaveTheirWindowsCodesOrOneNoSceneKeyTakes) {
    EXPECT_EQ(Key(XK_a).wParam, 0x41u);
    EXPECT_EQ(Key(XK_z).wParam, 0x5Au);
    EXPECT_EQ(Key(XK_Escape).wParam, 27u);
    EXPECT_EQ(Key(XK_Return).wParam, 13u);
    EXPECT_EQ(Key(XK_KP_Enter).wParam, 13u);
    EXPECT_EQ(Key(XK_Tab).wParam, 9u);
    EXPECT_EQ(Key(XK_BackSpace).wParam, 8u);
    EXPECT_EQ(Key(XK_F1).wParam, 0x70u);
    EXPECT_EQ(Key(XK_F12).wParam, 0x7Bu);
    EXPECT_EQ(Key(XK_Home).wParam, 0x24u);
    EXPECT_EQ(Key(XK_Delete).wParam, 0x2Eu);
    EXPECT_EQ(Key(XK_Shift_L).wParam, 0x10u);
    EXPECT_EQ(Key(XK_KP_5).wParam, 0x65u);  // the keypad's digits are not the digit keys
    EXPECT_EQ(Key(XK_minus).wParam, 0xBDu);
    EXPECT_EQ(Key(XK_adiaeresis).wParam, kUnknownVirtualKey);
    EXPECT_EQ(Key(XK_eacute).wParam, kUnknownVirtualKey);
    EXPECT_EQ(Key(NoSymbol).wParam, kUnknownVirtualKey);
}

TEST(X11KeyTable, DigitRowGivesDigitsOnLayoutsThatShiftThem) {
    EXPECT_EQ(Key(XK_ampersand, 0, XK_1).wParam, 0x31u);
    EXPECT_EQ(Key(XK_eacute, 0, XK_2).wParam, 0x32u);
    EXPECT_EQ(Key(XK_apostrophe, 0, XK_4).wParam, 0x34u);
    EXPECT_EQ(Key(XK_a, 0, XK_1).wParam, 0x41u);  // a letter stays a letter
    EXPECT_EQ(Key(XK_1, 0, XK_exclam).wParam, 0x31u);
}

TEST(X11KeyTable, AltCombinationsAltAndF10AreSystemKeys) {
    EXPECT_EQ(Key(XK_Alt_L).message, WM_SYSKEYDOWN);
    EXPECT_EQ(Key(XK_Alt_L).wParam, VK_MENU);
    EXPECT_EQ(Key(XK_F10).message, WM_SYSKEYDOWN);
    EXPECT_EQ(Key(XK_x, Mod1Mask).message, WM_SYSKEYDOWN);
    EXPECT_EQ(Key(XK_space, Mod1Mask).message, WM_SYSKEYDOWN);
    EXPECT_EQ(Key(XK_F4, Mod1Mask).lParam & (1 << 29), 1 << 29);
    // With Control down as well, Windows reports ordinary key-downs.
    EXPECT_EQ(Key(XK_x, Mod1Mask | ControlMask).message, WM_KEYDOWN);
    EXPECT_EQ(Key(XK_F9).message, WM_KEYDOWN);
    EXPECT_EQ(Key(XK_x, ShiftMask | LockMask | Mod2Mask).message, WM_KEYDOWN);
}

TEST(X11Buttons, ThreeButtonsCarryTheMaskIncludingThemselves) {
    TranslatedInput left = TranslateButtonPress(Button1, 0, 3, 4);
    EXPECT_EQ(left.message, WM_LBUTTONDOWN);
    EXPECT_EQ(left.wParam, MK_LBUTTON);
    EXPECT_EQ(left.lParam, (4 << 16) | 3);
    TranslatedInput right = TranslateButtonPress(Button3, ShiftMask | ControlMask, 0, 0);
    EXPECT_EQ(right.message, WM_RBUTTONDOWN);
    EXPECT_EQ(right.wParam, MK_RBUTTON | MK_SHIFT | MK_CONTROL);
    TranslatedInput middle = TranslateButtonPress(Button2, Button1Mask, 0, 0);
    EXPECT_EQ(middle.message, WM_MBUTTONDOWN);
    EXPECT_EQ(middle.wParam, MK_MBUTTON | MK_LBUTTON);
    EXPECT_EQ(ButtonMaskFromState(Button1Mask | Button2Mask | Button3Mask | ShiftMask | ControlMask | Mod1Mask),
              MK_LBUTTON | MK_MBUTTON | MK_RBUTTON | MK_SHIFT | MK_CONTROL);
    // Every plain or modified click stays below the space bar's code.
    EXPECT_LT(TranslateButtonPress(Button2, Button1Mask | Button3Mask | ShiftMask | ControlMask, 0, 0).wParam, 32u);
}

TEST(X11Buttons, WheelAndExtraButtonsAreNoButtonDowns) {
    TranslatedInput up = TranslateButtonPress(Button4, 0, 0, 0);
    EXPECT_EQ(up.message, WM_MOUSEWHEEL);
    EXPECT_EQ(static_cast<int16_t>(up.wParam >> 16), 120);
    EXPECT_EQ(static_cast<int16_t>(TranslateButtonPress(Button5, 0, 0, 0).wParam >> 16), -120);
    EXPECT_EQ(TranslateButtonPress(6, 0, 0, 0).message, WM_MOUSEHWHEEL);
    TranslatedInput back = TranslateButtonPress(8, 0, 0, 0);
    EXPECT_EQ(back.message, WM_XBUTTONDOWN);
    EXPECT_EQ(back.wParam & 0xFFFF, MK_XBUTTON1);
    EXPECT_EQ(TranslateButtonPress(12, 0, 0, 0).message, 0u);
}

}  // namespace
