#pragma once
// The window style bits the windows are created with. Only a few change
// anything here: WS_VISIBLE shows the window at once, WS_EX_TOOLWINDOW makes it
// a tool window; every window is frameless and draws its own title bar.
#include "platform/win_types.h"

constexpr DWORD WS_POPUP = 0x80000000;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_CLIPSIBLINGS = 0x04000000;
constexpr DWORD WS_CLIPCHILDREN = 0x02000000;
constexpr DWORD WS_CAPTION = 0x00C00000;
constexpr DWORD WS_SYSMENU = 0x00080000;
constexpr DWORD WS_MINIMIZEBOX = 0x00020000;
constexpr DWORD WS_EX_TOOLWINDOW = 0x00000080;

constexpr UINT IDOK = 1;
constexpr UINT IDCANCEL = 2;

// Window timers reach HandleMessage as this message, with the timer id in wParam.
constexpr UINT WM_TIMER = 0x0113;
