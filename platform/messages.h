#pragma once

#include <cstdint>

#include "platform/keys.h"

// The Win32 constants the shell speaks in, with their Win32 values. Each is skipped when
// <windows.h> already defined it as a macro, so this header and that one can meet.

// Window messages.
#ifndef WM_CREATE
constexpr uint32_t WM_CREATE = 0x0001;
#endif
#ifndef WM_DESTROY
constexpr uint32_t WM_DESTROY = 0x0002;
#endif
#ifndef WM_SIZE
constexpr uint32_t WM_SIZE = 0x0005;
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
#ifndef WM_DISPLAYCHANGE
constexpr uint32_t WM_DISPLAYCHANGE = 0x007E;
#endif
#ifndef WM_NCACTIVATE
constexpr uint32_t WM_NCACTIVATE = 0x0086;
#endif
#ifndef WM_KEYDOWN
constexpr uint32_t WM_KEYDOWN = 0x0100;
#endif
#ifndef WM_CHAR
constexpr uint32_t WM_CHAR = 0x0102;
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
