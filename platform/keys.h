#pragma once

#include <cstdint>

// Virtual-key codes: the one key vocabulary of the platform, the shell, the renderer and
// the scene, with their Win32 values. Each is skipped when <windows.h> already defined it.
#ifndef VK_BACK
constexpr uint32_t VK_BACK = 0x08;
#endif
#ifndef VK_TAB
constexpr uint32_t VK_TAB = 0x09;
#endif
#ifndef VK_CLEAR
constexpr uint32_t VK_CLEAR = 0x0C;
#endif
#ifndef VK_RETURN
constexpr uint32_t VK_RETURN = 0x0D;
#endif
#ifndef VK_SHIFT
constexpr uint32_t VK_SHIFT = 0x10;
#endif
#ifndef VK_CONTROL
constexpr uint32_t VK_CONTROL = 0x11;
#endif
#ifndef VK_MENU
constexpr uint32_t VK_MENU = 0x12;
#endif
#ifndef VK_PAUSE
constexpr uint32_t VK_PAUSE = 0x13;
#endif
#ifndef VK_CAPITAL
constexpr uint32_t VK_CAPITAL = 0x14;
#endif
#ifndef VK_ESCAPE
constexpr uint32_t VK_ESCAPE = 0x1B;
#endif
#ifndef VK_SPACE
constexpr uint32_t VK_SPACE = 0x20;
#endif
#ifndef VK_PRIOR
constexpr uint32_t VK_PRIOR = 0x21;
#endif
#ifndef VK_NEXT
constexpr uint32_t VK_NEXT = 0x22;
#endif
#ifndef VK_END
constexpr uint32_t VK_END = 0x23;
#endif
#ifndef VK_HOME
constexpr uint32_t VK_HOME = 0x24;
#endif
#ifndef VK_LEFT
constexpr uint32_t VK_LEFT = 0x25;
#endif
#ifndef VK_UP
constexpr uint32_t VK_UP = 0x26;
#endif
#ifndef VK_RIGHT
constexpr uint32_t VK_RIGHT = 0x27;
#endif
#ifndef VK_DOWN
constexpr uint32_t VK_DOWN = 0x28;
#endif
#ifndef VK_SNAPSHOT
constexpr uint32_t VK_SNAPSHOT = 0x2C;
#endif
#ifndef VK_INSERT
constexpr uint32_t VK_INSERT = 0x2D;
#endif
#ifndef VK_DELETE
constexpr uint32_t VK_DELETE = 0x2E;
#endif
#ifndef VK_HELP
constexpr uint32_t VK_HELP = 0x2F;
#endif
#ifndef VK_LWIN
constexpr uint32_t VK_LWIN = 0x5B;
#endif
#ifndef VK_RWIN
constexpr uint32_t VK_RWIN = 0x5C;
#endif
#ifndef VK_APPS
constexpr uint32_t VK_APPS = 0x5D;
#endif
#ifndef VK_NUMPAD0
constexpr uint32_t VK_NUMPAD0 = 0x60;
#endif
#ifndef VK_MULTIPLY
constexpr uint32_t VK_MULTIPLY = 0x6A;
#endif
#ifndef VK_ADD
constexpr uint32_t VK_ADD = 0x6B;
#endif
#ifndef VK_SEPARATOR
constexpr uint32_t VK_SEPARATOR = 0x6C;
#endif
#ifndef VK_SUBTRACT
constexpr uint32_t VK_SUBTRACT = 0x6D;
#endif
#ifndef VK_DECIMAL
constexpr uint32_t VK_DECIMAL = 0x6E;
#endif
#ifndef VK_DIVIDE
constexpr uint32_t VK_DIVIDE = 0x6F;
#endif
#ifndef VK_F1
constexpr uint32_t VK_F1 = 0x70;
#endif
#ifndef VK_F4
constexpr uint32_t VK_F4 = 0x73;
#endif
#ifndef VK_F10
constexpr uint32_t VK_F10 = 0x79;
#endif
#ifndef VK_NUMLOCK
constexpr uint32_t VK_NUMLOCK = 0x90;
#endif
#ifndef VK_SCROLL
constexpr uint32_t VK_SCROLL = 0x91;
#endif
#ifndef VK_OEM_1
constexpr uint32_t VK_OEM_1 = 0xBA;
#endif
#ifndef VK_OEM_PLUS
constexpr uint32_t VK_OEM_PLUS = 0xBB;
#endif
#ifndef VK_OEM_COMMA
constexpr uint32_t VK_OEM_COMMA = 0xBC;
#endif
#ifndef VK_OEM_MINUS
constexpr uint32_t VK_OEM_MINUS = 0xBD;
#endif
#ifndef VK_OEM_PERIOD
constexpr uint32_t VK_OEM_PERIOD = 0xBE;
#endif
#ifndef VK_OEM_2
constexpr uint32_t VK_OEM_2 = 0xBF;
#endif
#ifndef VK_OEM_3
constexpr uint32_t VK_OEM_3 = 0xC0;
#endif
#ifndef VK_OEM_4
constexpr uint32_t VK_OEM_4 = 0xDB;
#endif
#ifndef VK_OEM_5
constexpr uint32_t VK_OEM_5 = 0xDC;
#endif
#ifndef VK_OEM_6
constexpr uint32_t VK_OEM_6 = 0xDD;
#endif
#ifndef VK_OEM_7
constexpr uint32_t VK_OEM_7 = 0xDE;
#endif
#ifndef VK_OEM_102
constexpr uint32_t VK_OEM_102 = 0xE2;
#endif

// Letters and digits have no Win32 macro: their codes are the ASCII capitals and digits.
constexpr uint32_t VK_0 = 0x30;
constexpr uint32_t VK_9 = 0x39;
constexpr uint32_t VK_G = 0x47;
constexpr uint32_t VK_M = 0x4D;
constexpr uint32_t VK_S = 0x53;
