#pragma once

#include <windows.h>

#include <string>

// Saves what the screen shows of `window`, frame included, as a PNG file. COM must be
// initialised on the calling thread. False when it could not be saved.
bool saveScreenshot(HWND window, const std::wstring& fileName);
