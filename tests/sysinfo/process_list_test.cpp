#include "sysinfo/process_list.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/sysinfo/fake_sys_platform.h"
#include "toolkit/os/os_traits.h"
#include "toolkit/ui/headless/headless_controls.h"
#include "toolkit/ui/headless/headless_ui.h"

namespace {

// A path with the platform's separator in place of every "|".
std::string path(std::string text) {
    std::replace(text.begin(), text.end(), '|', os::kPathSeparator);
    return text;
}

class ProcessListTest : public ::testing::Test {
protected:
    std::vector<std::string> lines() const {
        std::vector<std::string> lines;
        for (int i = 0; i < list.ListCount(); ++i)
            lines.push_back(list.List(i));
        return lines;
    }

    FakeSysPlatform& fake = installFakeSysPlatform();
    HeadlessUi& headless = installHeadlessUi();
    clsApplication app;
    HeadlessListBox list;
};

TEST_F(ProcessListTest, NtFamilyListsEveryProcessThatOpensWithItsModules) {
    list.AddItem("from an earlier run");
    fake.processes = {{0, false, true, ""},
                      {4, true, false, "System"},
                      {100, true, true, "C:\\Program Files\\Editor\\edit.exe"},
                      {104, true, true, ""},
                      {108, true, true, "C:\\tools\\run.exe"}};
    app.TEST_getAndListApps(list);
    EXPECT_EQ(lines(), (std::vector<std::string>{"C:\\Program Files\\Editor\\edit.exe", "",
                                                 "C:\\tools\\run.exe"}));
}

TEST_F(ProcessListTest, IdBufferDoublesUntilTheSystemLeavesRoom) {
    for (std::uint32_t id = 1; id <= 20; ++id)
        fake.processes.push_back({id, true, true, "p"});
    app.TEST_getAndListApps(list);
    EXPECT_EQ(fake.idRoomsGiven, (std::vector<std::size_t>{4, 8, 16, 32}));  // 16 to 128 bytes
    EXPECT_EQ(list.ListCount(), 20);
}

TEST_F(ProcessListTest, Windows9xFamilyWalksTheSnapshot) {
    fake.family = kFamilyWindows9x;
    fake.snapshotNames =
        std::vector<std::string>{"KERNEL32.DLL", std::string("EXPLORER.EXE\0x", 14)};
    app.TEST_getAndListApps(list);
    EXPECT_EQ(lines(), (std::vector<std::string>{"KERNEL32.DLL", "EXPLORER.EXE"}));
    EXPECT_TRUE(fake.idRoomsGiven.empty());
}

TEST_F(ProcessListTest, ListViewLeavesOutProgramsOfTheWindowsFolder) {
    fake.windowsFolderText = path("C:|WINDOWS|");
    fake.windowsFolderLength = 11;
    fake.processes = {{1, true, true, path("C:|WINDOWS|system32|svchost.exe")},
                      {2, true, true, path("C:|Program Files|Editor|edit.exe")},
                      {3, true, true, path("C:|windows|notepad.exe")}};
    app.init();
    HeadlessListView view;
    view.ListItems().Add("earlier");
    app.listAppsToListView(view, true);
    ASSERT_EQ(view.ListItems().Count(), 2);
    EXPECT_EQ(view.ListItems().Item(1).ListSubItems().Text(1), "edit.exe");
    EXPECT_EQ(view.ListItems().Item(2).Text(), path("C:|windows|notepad.exe"));
}

}  // namespace
