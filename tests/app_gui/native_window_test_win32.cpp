// The tool as its own program on native controls: it shows its loaded window, and Exit and the
// close box end it.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/support/temp_folder.h"
#include "toolkit/os/wide_text_win32.h"
#include "toolkit/ui/win32/native_controls_win32.h"

namespace {

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
