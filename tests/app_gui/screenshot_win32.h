#pragma once

#include <windows.h>

#include <string>

// Saves what the screen shows of `window`, frame included, as a bitmap file in
// %CR_SCREENSHOTS%, named after the state and the window's DPI; nothing when that is not set.
void saveScreenshot(HWND window, const std::string& state);
