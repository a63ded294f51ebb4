// user32's per-monitor DPI functions, looked up at start-up; null on systems
// without them, and then nothing is scaled.
#pragma once

#include <windows.h>

namespace ostrel {
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
extern GetDpiForWindowFn g_pfnGetDpiForWindow;
extern AdjustWindowRectExForDpiFn g_pfnAdjustWindowRectExForDpi;
} // namespace ostrel
