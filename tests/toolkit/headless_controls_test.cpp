#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "tests/toolkit/program_folder_fixture.h"
#include "toolkit/ui/headless/headless_controls.h"
#include "toolkit/ui/headless/headless_window.h"

namespace {

using HeadlessUiTest = ProgramFolderTest;

TEST_F(HeadlessUiTest, EndProgramClosesOpenFilesBeforeTheExitHook) {
    struct ExitRequested {};
    std::string error;
    const int number = gFileNumbers().FreeFile();
    ASSERT_TRUE(gFileNumbers().open(number, folder.file("open.txt"), osfs::OpenMode::Write, error));
    bool fileOpenAtExit = true;
    headless().onEndProgram = [&](int code) {
        fileOpenAtExit = gFileNumbers().get(number) != nullptr;
        EXPECT_EQ(code, 3);
        throw ExitRequested{};
    };
    EXPECT_THROW(EndProgram(3), ExitRequested);
    EXPECT_FALSE(fileOpenAtExit);
}

// With no answer planned a box answers its default button, and a position it lacks its first.
TEST_F(HeadlessUiTest, MessageBoxesAnswerTheirDefaultButton) {
    const struct {
        MsgButtons buttons;
        int position;
        MsgAnswer answer;
    } cases[] = {
        {MsgButtons::YesNo, 2, MsgAnswer::No},
        {MsgButtons::AbortRetryIgnore, 3, MsgAnswer::Ignore},
        {MsgButtons::YesNo, 0, MsgAnswer::Yes},
        {MsgButtons::YesNo, 3, MsgAnswer::Yes},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MsgBox("?", c.buttons, MsgIcon::None, "", c.position), c.answer) << c.position;
}

TEST(HeadlessListViewTest, OnlyTheUsersChecksRaiseTheItemCheckEvent) {
    HeadlessListView view;
    view.ListItems().Add("a");
    view.ListItems().Add("b");
    std::vector<std::string> events;
    view.setOnItemCheck(
        [&](ListItem& item) { events.push_back(item.Text() + (item.Checked() ? "+" : "-")); });

    view.ListItems().Item(1).setChecked(true);  // the program's change
    view.userSetChecked(2, true);
    view.userSetChecked(2, true);  // already ticked: a click cannot leave it so
    view.userSetChecked(1, false);
    view.setVisible(false);
    view.userSetChecked(1, true);  // hidden: out of the user's reach

    EXPECT_EQ(events, (std::vector<std::string>{"b+", "a-"}));
    for (const int outside : {0, 3})
        EXPECT_THROW(view.ListItems().Item(outside), std::out_of_range) << outside;
}

TEST(HeadlessWindowTest, FirstShowAndEachNewSizeRaiseResize) {
    HeadlessWindow window;
    int resizes = 0;
    window.setOnResize([&] { ++resizes; });
    window.show();
    window.setClientSize(100, 50);
    window.setClientSize(100, 50);  // the same size again
    window.close();
    window.show();
    EXPECT_EQ(resizes, 2);
}

}  // namespace
