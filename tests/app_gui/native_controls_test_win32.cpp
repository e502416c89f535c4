// The native folder list while start-up fills it: rows added between yields do not repaint the
// list at every yield, and once they stop coming the list draws them by itself.

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "tests/app/app_fixture.h"
#include "toolkit/ui/redraw_pacer.h"
#include "toolkit/ui/win32/message_pump_win32.h"
#include "toolkit/ui/win32/native_control_win32.h"

namespace {

LRESULT CALLBACK countPaints(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                             DWORD_PTR paints) {
    *reinterpret_cast<int*>(paints) += message == WM_PAINT;
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

using NativeListViewTest = MainWindowTest;

// Regression: the start-up walk yields before each folder it adds, and each yield painted the
// whole growing list, 20 ms a folder under Wine.
TEST_F(NativeListViewTest, StartUpPaintsTheFolderListABoundedNumberOfTimes) {
    for (int i = 0; i < 400; ++i)
        folder.makeFolder("many/" + std::to_string(i));
    setProductFoldersForTesting(std::vector<std::string>{folder.file("many")});
    int paints = 0;
    HWND list = nullptr;
    start([&] {
        list = dynamic_cast<NativeControl&>(lvFolders()).hwnd();
        SetWindowSubclass(list, countPaints, 1, reinterpret_cast<DWORD_PTR>(&paints));
    });
    EXPECT_EQ(lvFolders().ListItems().Count(), 401);
    EXPECT_LE(paints, 3);

    const int paintsDuringRows = paints;
    Sleep(2 * static_cast<DWORD>(RedrawPacer::kInterval.count()));
    pumpPendingMessages();
    EXPECT_GT(paints, paintsDuringRows);
    RemoveWindowSubclass(list, countPaints, 1);
}

}  // namespace
