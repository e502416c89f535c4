#pragma once

#include <windows.h>

// Screen DPI for a per-monitor aware program. The newer calls are looked up at run time, so
// the program still starts on systems without them and then uses the system's DPI.

// The DPI of the monitor that shows `window`.
int dpiOf(HWND window);

// The outer size of a window whose client area is `client`, at `dpi`.
RECT windowRectForClient(RECT client, DWORD style, DWORD exStyle, int dpi);

// The desktop's message font at `points` points for `dpi`. The caller deletes it.
HFONT createUiFont(int dpi, int points);
