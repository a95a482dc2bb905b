#pragma once

#include <windows.h>

// Win32 parts of the frame that tests reach directly.

// The frame's window procedure: Escape (down or up) and WM_CLOSE post the
// quit message; other keys get no default processing.
LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// How the frame applies a display mode: ChangeDisplaySettingsA, unless a test
// puts a display in front of it that refuses some requests. nullptr restores it.
using DisplayModeChanger = LONG(WINAPI*)(DEVMODEA* mode, DWORD flags);
void setDisplayModeChanger(DisplayModeChanger changer);
