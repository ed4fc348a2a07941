#pragma once

#include <cstdint>

// The Win32 constants the shell speaks in, with their Win32 values. Each is skipped when
// <windows.h> already defined it as a macro, so this header and that one can meet.

// Window messages.
#ifndef WM_CREATE
constexpr uint32_t WM_CREATE = 0x0001;
#endif
#ifndef WM_DESTROY
constexpr uint32_t WM_DESTROY = 0x0002;
#endif
#ifndef WM_ACTIVATE
constexpr uint32_t WM_ACTIVATE = 0x0006;
#endif
#ifndef WM_CLOSE
constexpr uint32_t WM_CLOSE = 0x0010;
#endif
#ifndef WM_QUIT
constexpr uint32_t WM_QUIT = 0x0012;
#endif
#ifndef WM_ACTIVATEAPP
constexpr uint32_t WM_ACTIVATEAPP = 0x001C;
#endif
#ifndef WM_SETCURSOR
constexpr uint32_t WM_SETCURSOR = 0x0020;
#endif
#ifndef WM_NCACTIVATE
constexpr uint32_t WM_NCACTIVATE = 0x0086;
#endif
#ifndef WM_KEYDOWN
constexpr uint32_t WM_KEYDOWN = 0x0100;
#endif
#ifndef WM_SYSKEYDOWN
constexpr uint32_t WM_SYSKEYDOWN = 0x0104;
#endif
#ifndef WM_INITDIALOG
constexpr uint32_t WM_INITDIALOG = 0x0110;
#endif
#ifndef WM_COMMAND
constexpr uint32_t WM_COMMAND = 0x0111;
#endif
#ifndef WM_SYSCOMMAND
constexpr uint32_t WM_SYSCOMMAND = 0x0112;
#endif
#ifndef WM_MOUSEMOVE
constexpr uint32_t WM_MOUSEMOVE = 0x0200;
#endif
#ifndef WM_LBUTTONDOWN
constexpr uint32_t WM_LBUTTONDOWN = 0x0201;
#endif
#ifndef WM_RBUTTONDOWN
constexpr uint32_t WM_RBUTTONDOWN = 0x0204;
#endif
#ifndef WM_MBUTTONDOWN
constexpr uint32_t WM_MBUTTONDOWN = 0x0207;
#endif
#ifndef WM_MOUSEWHEEL
constexpr uint32_t WM_MOUSEWHEEL = 0x020A;
#endif
#ifndef WM_XBUTTONDOWN
constexpr uint32_t WM_XBUTTONDOWN = 0x020B;
#endif
#ifndef WM_MOUSEHWHEEL
constexpr uint32_t WM_MOUSEHWHEEL = 0x020E;
#endif

// System commands (WM_SYSCOMMAND wParam).
#ifndef SC_CLOSE
constexpr uint32_t SC_CLOSE = 0xF060;
#endif
#ifndef SC_SCREENSAVE
constexpr uint32_t SC_SCREENSAVE = 0xF140;
#endif

// Mouse-button and modifier mask of the button messages.
#ifndef MK_LBUTTON
constexpr uint32_t MK_LBUTTON = 0x01;
#endif
#ifndef MK_RBUTTON
constexpr uint32_t MK_RBUTTON = 0x02;
#endif
#ifndef MK_SHIFT
constexpr uint32_t MK_SHIFT = 0x04;
#endif
#ifndef MK_CONTROL
constexpr uint32_t MK_CONTROL = 0x08;
#endif
#ifndef MK_MBUTTON
constexpr uint32_t MK_MBUTTON = 0x10;
#endif
#ifndef MK_XBUTTON1
constexpr uint32_t MK_XBUTTON1 = 0x20;
#endif
#ifndef MK_XBUTTON2
constexpr uint32_t MK_XBUTTON2 = 0x40;
#endif

// Virtual-key codes.
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

// Dialogs and the rest.
#ifndef IDOK
constexpr uint32_t IDOK = 1;
#endif
#ifndef IDCANCEL
constexpr uint32_t IDCANCEL = 2;
#endif
#ifndef IDC_ARROW
constexpr uint32_t IDC_ARROW = 32512;
#endif
#ifndef SW_HIDE
constexpr uint32_t SW_HIDE = 0;
#endif
#ifndef SW_SHOWDEFAULT
constexpr uint32_t SW_SHOWDEFAULT = 10;
#endif
#ifndef WA_INACTIVE
constexpr uint32_t WA_INACTIVE = 0;
#endif
#ifndef HTCLIENT
constexpr uint32_t HTCLIENT = 1;
#endif
#ifndef PFD_DOUBLEBUFFER
constexpr uint32_t PFD_DOUBLEBUFFER = 0x01;
#endif
#ifndef PFD_DRAW_TO_WINDOW
constexpr uint32_t PFD_DRAW_TO_WINDOW = 0x04;
#endif
#ifndef PFD_SUPPORT_OPENGL
constexpr uint32_t PFD_SUPPORT_OPENGL = 0x20;
#endif
#ifndef PFD_TYPE_RGBA
constexpr uint32_t PFD_TYPE_RGBA = 0;
#endif
#ifndef SPI_SETSCREENSAVERRUNNING
constexpr uint32_t SPI_SETSCREENSAVERRUNNING = 97;
#endif
