// The tool as its own program on native controls: it shows its loaded window, and Exit and the
// close box end it. And the main window on native controls in this process, where a test sees
// what is left to paint.

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "app/frm_report_configuration.h"
#include "tests/report/support/report_fixture.h"
#include "tests/support/temp_folder.h"
#include "toolkit/os/wide_text_win32.h"
#include "toolkit/ui/win32/native_controls_win32.h"
#include "toolkit/ui/win32/native_ui_win32.h"

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

// The ids of the window's shown controls, and 0 for the window, that have something left to
// paint when the process listing empties lstApps.
struct LeftToPaint {
    HWND window = nullptr;
    bool looked = false;
    std::vector<int> ids;
};

LRESULT CALLBACK lookWhenEmptied(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR data) {
    auto& left = *reinterpret_cast<LeftToPaint*>(data);
    if (message == LB_RESETCONTENT && !left.looked) {
        left.looked = true;
        if (GetUpdateRect(left.window, nullptr, FALSE))
            left.ids.push_back(0);
        EnumChildWindows(
            left.window,
            [](HWND child, LPARAM ids) {
                if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE))
                    reinterpret_cast<std::vector<int>*>(ids)->push_back(GetDlgCtrlID(child));
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&left.ids));
    }
    return DefSubclassProc(list, message, wParam, lParam);
}

// Regression: the report run's three yields after it arranged the report view fell within the
// pacer's interval after its first yield and did nothing, so the folder list stayed on the
// screen for the whole run. Here the backend's clock stands still, as it does for yields close
// together.
TEST_F(ReportTest, TheReportViewIsPaintedWhenTheLongWorkBegins) {
    setProductFoldersForTesting(std::vector<std::string>{});
    installUi(std::make_unique<NativeUi>(
        RedrawPacer([] { return std::chrono::steady_clock::time_point{}; })));
    LeftToPaint left;  // the list calls its hook until the window is gone
    frmReportConfiguration form;
    form.window().show();
    form.Form_Load();
    HWND apps = dynamic_cast<NativeControl&>(*form.window().find("lstApps")).hwnd();
    left.window = GetParent(apps);
    SetWindowSubclass(apps, lookWhenEmptied, 0, reinterpret_cast<DWORD_PTR>(&left));
    form.cmdGather_Click();
    EXPECT_TRUE(left.looked);
    EXPECT_EQ(left.ids, std::vector<int>{});
}

}  // namespace
