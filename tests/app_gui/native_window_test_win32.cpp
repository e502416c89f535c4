// What only the native backend shows: its controls' classes and their places in pixels of the
// screen's DPI (CR_TEST_DPI), and the tool as its own program, which shows its loaded window
// and which Exit and the close box end.

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>
#include <richedit.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/app/app_fixture.h"
#include "tests/support/temp_folder.h"
#include "toolkit/os/wide_text_win32.h"
#include "toolkit/ui/win32/native_control_win32.h"
#include "toolkit/ui/win32/native_controls_win32.h"

namespace {

// Lengths in twips as pixels of the screen's DPI.
std::vector<int> pixelsOf(std::vector<int> twips) {
    const char* dpi = std::getenv("CR_TEST_DPI");
    for (int& length : twips)
        length = MulDiv(length, dpi ? std::atoi(dpi) : 96, 1440);
    return twips;
}

using NativeWindowTest = MainWindowTest;

TEST_F(NativeWindowTest, ControlsAreNativeOnesAtTheirPlacesInPixelsOfTheScreensDpi) {
    start();
    const std::pair<const char*, const wchar_t*> classes[] = {
        {"cmdGather", L"Button"}, {"txtInfo", MSFTEDIT_CLASS}, {"lstApps", L"ListBox"},
        {"Label1(0)", L"Static"}, {"lvFolders", WC_LISTVIEWW},
    };
    for (const auto& [name, className] : classes) {
        HWND control = dynamic_cast<NativeControl&>(*window().find(name)).hwnd();
        wchar_t actual[64] = {};
        GetClassNameW(control, actual, 64);
        EXPECT_EQ(_wcsicmp(actual, className), 0) << name;
        RECT place;
        GetWindowRect(control, &place);
        MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
        EXPECT_EQ((std::vector<int>{place.left, place.top, place.right - place.left,
                                    place.bottom - place.top}),
                  pixelsOf(placeOf(*window().find(name))))
            << name;
    }
    RECT client;
    GetClientRect(GetParent(dynamic_cast<NativeControl&>(cmdGather()).hwnd()), &client);
    EXPECT_EQ((std::vector<int>{0, 0, client.right, client.bottom}), pixelsOf({0, 0, 7350, 5820}));
    // A row keeps the texts of its further columns.
    startWithThreeFolders();
    lvFolders().ListItems().Item(1).ListSubItems().Add("1,024");
    EXPECT_EQ(lvFolders().ListItems().Item(1).ListSubItems().Text(1), "1,024");
}

// The tool's window of that process once start-up has loaded it, or null.
HWND loadedWindowOf(DWORD processId) {
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, L"ConfigReportWindow", nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && IsWindowVisible(window) &&
            windowText(window).rfind("Configuration Report - ", 0) == 0)
            return window;
    }
    return nullptr;
}

// The tool started from a copy in a folder of its own, where it writes its files.
TEST(NativeProgramTest, ToolShowsItsLoadedWindowAndExitAndTheCloseBoxEndIt) {
    for (const bool byExit : {true, false}) {
        const TempFolder folder;
        const std::wstring tool = widen(folder.file("ConfigReport.exe"));
        ASSERT_TRUE(CopyFileW(widen(CR_TOOL_PROGRAM).c_str(), tool.c_str(), FALSE));
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        ASSERT_TRUE(CreateProcessW(tool.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                                   widen(folder.path()).c_str(), &startup, &process));
        HWND window = nullptr;
        for (int wait = 0; wait < 400 && window == nullptr; ++wait) {
            Sleep(50);
            window = loadedWindowOf(process.dwProcessId);
        }
        EXPECT_NE(window, nullptr);
        // The controls' ids count up from 100 in the order they are created; Exit is the third.
        if (byExit)
            PostMessageW(GetDlgItem(window, 102), BM_CLICK, 0, 0);
        else
            PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        WaitForSingleObject(process.hProcess, 10000);
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(process.hProcess, &code);
        EXPECT_EQ(code, 0u) << (byExit ? "Exit" : "close box");
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 5000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

}  // namespace
