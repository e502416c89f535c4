#include "tests/app_gui/screenshot_win32.h"

#include <cstdlib>
#include <fstream>

#include "toolkit/ui/win32/dpi_win32.h"

void saveScreenshot(HWND window, const std::string& state) {
    const char* folder = std::getenv("CR_SCREENSHOTS");
    RECT area;
    if (folder == nullptr || !GetWindowRect(window, &area))
        return;
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    SelectObject(memory, previous);
    BITMAPINFOHEADER info{sizeof info, width, height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::string pixels(static_cast<size_t>(width * height * 4), '\0');
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(),
              reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);

    const DWORD headers = sizeof(BITMAPFILEHEADER) + sizeof info;
    const BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(headers + pixels.size()), 0, 0, headers};
    CreateDirectoryA(folder, nullptr);
    std::ofstream out(
        std::string(folder) + "\\win32-" + state + "-" + std::to_string(dpiOf(window)) + "dpi.bmp",
        std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    out << pixels;
}
