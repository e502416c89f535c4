#include "sysinfo/process_list.h"

#include <gtest/gtest.h>

#include "sysinfo/tool_windows.h"
#include "tests/support/control_texts.h"
#include "tests/sysinfo/fake_sys_platform.h"
#include "toolkit/ui/headless/headless_controls.h"
#include "toolkit/ui/headless/headless_ui.h"
#include "toolkit/ui/headless/headless_window.h"

namespace {

class ProcessListTest : public ::testing::Test {
protected:
    FakeSysPlatform& fake = installFakeSysPlatform();
    HeadlessUi& headless = installHeadlessUi();
    clsApplication app;
    HeadlessListBox list;
};

// The NT family opens each process by id, in an id buffer that doubles until the system leaves
// room; the 9x family walks a snapshot; any other family lists nothing.
TEST_F(ProcessListTest, EachFamilyListsTheRunningProgramsItsOwnWay) {
    list.AddItem("from an earlier run");
    fake.processes = {{0, false, true, ""},
                      {4, true, false, "System"},
                      {100, true, true, "C:\\Program Files\\Editor\\edit.exe"},
                      {104, true, true, ""},
                      {108, true, true, "C:\\tools\\run.exe"}};
    app.TEST_getAndListApps(list);
    EXPECT_EQ(linesOf(list), (std::vector<std::string>{"C:\\Program Files\\Editor\\edit.exe", "",
                                                       "C:\\tools\\run.exe"}));
    EXPECT_EQ(fake.idRoomsGiven, (std::vector<std::size_t>{4, 8}));  // 16, then 32 bytes
    fake.enumerates = false;  // a failed enumeration lists nothing and asks no more
    app.TEST_getAndListApps(list);
    EXPECT_EQ(list.ListCount(), 0);
    EXPECT_EQ(fake.idRoomsGiven, (std::vector<std::size_t>{4, 8, 4}));
    fake.enumerates = fake.fillsEveryRoom = true;  // the buffer stops growing at 16 MiB
    app.TEST_getAndListApps(list);
    EXPECT_EQ(fake.idRoomsGiven.back(), 1u << 22);

    fake.family = kFamilyWindows9x;
    fake.snapshotNames =
        std::vector<std::string>{"KERNEL32.DLL", std::string("EXPLORER.EXE\0x", 14)};
    app.TEST_getAndListApps(list);
    EXPECT_EQ(linesOf(list), (std::vector<std::string>{"KERNEL32.DLL", "EXPLORER.EXE"}));
    fake.family = 3;
    app.TEST_getAndListApps(list);
    EXPECT_EQ(list.ListCount(), 0);
}

TEST_F(ProcessListTest, WindowHelpersSendTwiceWithAYieldPostOnceAndTrimTheCaption) {
    fake.windows = {{"Editor", 7}};
    fake.captions = {{7, "  Editor - a.txt  "}};
    app.killAppByName("Editor");
    EXPECT_EQ(headless.doEventsCount, 1);
    app.killAppByNameAbsolutely("Editor");
    app.killApp(9);
    EXPECT_EQ(fake.closes, (std::vector<std::string>{"send 7", "send 7", "post 7", "send 9"}));
    EXPECT_EQ(app.getCaptionbyId(7), "Editor - a.txt");
}

TEST(ToolWindowsTest, FoundByTheirWholeCaptionAndClosedAsByTheUser) {
    installHeadlessUi();
    HeadlessWindow editor, other;
    editor.setCaption("Editor");
    other.setCaption("Editor 2");
    bool asked = false;
    editor.setOnClose([&] { asked = true; });
    const std::intptr_t found = findToolWindow("Editor");
    EXPECT_EQ(toolWindowCaption(found), "Editor");
    EXPECT_EQ(findToolWindow("Edit"), 0);
    EXPECT_EQ(toolWindowCaption(found + 1), "");
    closeToolWindow(found);
    EXPECT_TRUE(asked);
    EXPECT_TRUE(editor.isClosed());
    EXPECT_FALSE(other.isClosed());
}

TEST_F(ProcessListTest, ListViewLeavesOutProgramsOfTheWindowsFolderAListBoxNone) {
    fake.windowsFolderText = nativePath("C:|WINDOWS|");
    fake.processes = {{1, true, true, nativePath("C:|WINDOWS|system32|svchost.exe")},
                      {2, true, true, nativePath("C:|Program Files|Editor|edit.exe")},
                      {3, true, true, nativePath("C:|windows|notepad.exe")}};
    app.init();
    HeadlessListView view;
    view.ListItems().Add("earlier");
    app.listAppsToListView(view, true);
    ASSERT_EQ(view.ListItems().Count(), 2);
    EXPECT_EQ(view.ListItems().Item(1).ListSubItems().Text(1), "edit.exe");
    EXPECT_EQ(view.ListItems().Item(1).ListSubItems().Text(2),
              nativePath("C:|Program Files|Editor|"));
    EXPECT_EQ(view.ListItems().Item(2).Text(), nativePath("C:|windows|notepad.exe"));
    HeadlessListBox box;  // a plain list takes every program, after what it held or alone
    box.AddItem("earlier");
    app.listApps(box);
    EXPECT_EQ(box.ListCount(), 4);
    app.listApps(box, true);
    EXPECT_EQ(box.ListCount(), 3);
    fake.windowsFolderText.clear();  // no Windows folder known: every entry is left out
    app.listAppsToListView(view, true);
    EXPECT_EQ(view.ListItems().Count(), 0);
}

}  // namespace
