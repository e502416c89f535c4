// The native list view inside the test's own process: only a user's tick raises the
// item-check event.

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <memory>

#include "toolkit/ui/win32/message_pump_win32.h"
#include "toolkit/ui/win32/native_controls_win32.h"
#include "toolkit/ui/win32/native_ui_win32.h"

namespace {

class NativeControlsTest : public ::testing::Test {
protected:
    NativeControlsTest() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ~NativeControlsTest() override { CoUninitialize(); }

    NativeUi ui;
    std::unique_ptr<Window> window = ui.createWindow();
};

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

}  // namespace
