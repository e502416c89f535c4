// The native list view inside the test's own process: only a user's tick raises the
// item-check event, and rows added between yields do not repaint the list at every yield.

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <chrono>
#include <memory>
#include <string>

#include "toolkit/ui/win32/message_pump_win32.h"
#include "toolkit/ui/win32/native_controls_win32.h"
#include "toolkit/ui/win32/native_ui_win32.h"

namespace {

class NativeControlsTest : public ::testing::Test {
protected:
    NativeControlsTest() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ~NativeControlsTest() override { CoUninitialize(); }

    // Its clock stands still, so that only the first yield may redraw.
    NativeUi ui{RedrawPacer([] { return std::chrono::steady_clock::time_point{}; })};
    std::unique_ptr<Window> window = ui.createWindow();
};

LRESULT CALLBACK countPaints(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                             DWORD_PTR paints) {
    *reinterpret_cast<int*>(paints) += message == WM_PAINT;
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

TEST_F(NativeControlsTest, OnlyTheUsersTickRaisesTheItemCheckEvent) {
    ListView& view = window->addListView("lv", {180, 1890, 5145, 3525});
    view.ColumnHeaders().Add("List of Folders to Examine");
    int raised = 0;
    view.setOnItemCheck([&](ListItem& item) {
        ++raised;
        EXPECT_FALSE(item.Checked());
    });
    for (const char* folder : {"C:\\a", "C:\\a\\b"})
        view.ListItems().Add(folder).setChecked(true);
    view.ListItems().Item(1).ListSubItems().Add("1,024");
    pumpPendingMessages();
    EXPECT_EQ(raised, 0);
    EXPECT_EQ(view.ListItems().Item(2).Text(), "C:\\a\\b");
    EXPECT_EQ(view.ListItems().Item(1).ListSubItems().Text(1), "1,024");
    EXPECT_EQ(view.ColumnHeaders().Text(1), "List of Folders to Examine");

    // The user clears the first box with the Space key.
    auto* native = dynamic_cast<NativeControl*>(&view);
    ASSERT_NE(native, nullptr);
    LVITEMW focus{};
    focus.stateMask = focus.state = LVIS_FOCUSED | LVIS_SELECTED;
    SendMessageW(native->hwnd(), LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&focus));
    SendMessageW(native->hwnd(), WM_KEYDOWN, VK_SPACE, 0);
    pumpPendingMessages();
    EXPECT_EQ(raised, 1);
    EXPECT_FALSE(view.ListItems().Item(1).Checked());
    EXPECT_TRUE(view.ListItems().Item(2).Checked());
}

// Regression: the start-up walk yields before each folder it adds, and each yield painted the
// whole growing list, 20 ms a folder under Wine.
TEST_F(NativeControlsTest, RowsAddedBetweenYieldsPaintTheListABoundedNumberOfTimes) {
    ListView& view = window->addListView("lv", {180, 1890, 5145, 3525});
    view.ColumnHeaders().Add("List of Folders to Examine");
    window->show();
    pumpPendingMessages();
    HWND list = dynamic_cast<NativeControl&>(view).hwnd();
    int paints = 0;
    SetWindowSubclass(list, countPaints, 1, reinterpret_cast<DWORD_PTR>(&paints));
    for (int row = 0; row < 400; ++row) {
        ui.DoEvents();
        view.ListItems().Add("C:\\folder\\" + std::to_string(row));
        ASSERT_TRUE(view.Visible());
    }
    EXPECT_LE(paints, 3);

    // Once rows stop coming, the list draws them by itself, without another yield.
    const int paintsDuringRows = paints;
    Sleep(2 * static_cast<DWORD>(RedrawPacer::kInterval.count()));
    pumpPendingMessages();
    EXPECT_GT(paints, paintsDuringRows);
    RemoveWindowSubclass(list, countPaints, 1);
}

}  // namespace
