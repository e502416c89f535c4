#include <gtest/gtest.h>

#include <string>

#include "tests/toolkit/program_folder_fixture.h"
#include "toolkit/os/os_traits.h"
#include "toolkit/os/system_names.h"
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

TEST(UiTest, WithNoBackendInstalledTheHeadlessOneAnswers) {
    installUi(nullptr);
    EXPECT_NE(dynamic_cast<HeadlessUi*>(&ui()), nullptr);
}

// A program outside the system's folders keeps its files beside itself.
TEST(AppTest, DescribesTheRunningProgramByItsFolderAndName) {
    const std::string named = App().Path + os::kPathSeparator + App().EXEName;
    EXPECT_EQ(os::executablePath(), named + (os::kPathSeparator == '\\' ? ".exe" : ""));
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

// The main window tests drive the user's checks; a hidden list is out of the user's reach.
TEST(HeadlessListViewTest, AHiddenListTakesNoCheckFromTheUser) {
    HeadlessListView view;
    view.ListItems().Add("a");
    view.setVisible(false);
    view.userSetChecked(1, true);
    EXPECT_FALSE(view.ListItems().Item(1).Checked());
}

// A new size raising resize is checked by the message window's tests.
TEST(HeadlessWindowTest, OnlyTheFirstShowRaisesResize) {
    HeadlessWindow window;
    int resizes = 0;
    window.setOnResize([&] { ++resizes; });
    window.show();
    window.close();
    window.show();
    EXPECT_EQ(resizes, 1);
    EXPECT_FALSE(window.isClosed());
}

}  // namespace
