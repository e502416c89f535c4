// The windows as a user meets them, on whichever backend the test program installs (see
// user_actions.h): the logic on the headless one, and on the real ones that each control
// forwards the user's events and shows what the logic sets.

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/batch_run.h"
#include "app/msg_box_form.h"
#include "tests/app/app_fixture.h"
#include "toolkit/ui/application.h"

namespace {

TEST_F(MainWindowTest, StartShowsIntroductionWithEveryFolderTickedAndTheVersion) {
    App().Major = 1;
    App().Minor = 2;
    App().Revision = 37;
    startWithThreeFolders();
    EXPECT_EQ(view(), kIntroductionView);
    EXPECT_EQ(control<RichTextBox>("txtInfo").Text(),
              "This program gathers information from your Morva Software installations in order "
              "to assist with fault finding.\r\n\r\nYou can analyse this report yourself, or you "
              "can email it to our support section to resolve the problem for you.\r\n\r\n\r\n"
              "\r\n");
    EXPECT_EQ(ticks(), (std::vector<bool>{true, true, true}));
    EXPECT_EQ(lvFolders().ListItems().Item(3).Text(), folder.file("product/a/b"));
    lvFolders().ListItems().Item(1).ListSubItems().Add("1,024");  // a row keeps further texts
    EXPECT_EQ(lvFolders().ListItems().Item(1).ListSubItems().Text(1), "1,024");
    EXPECT_EQ(lvFolders().ColumnHeaders().Text(1), "List of Folders to Examine");
    // Items and headers are numbered from 1.
    for (const int outside : {0, 4})
        EXPECT_THROW(lvFolders().ListItems().Item(outside), std::out_of_range) << outside;
    EXPECT_THROW(lvFolders().ColumnHeaders().Text(2), std::out_of_range);
    EXPECT_EQ(window().Caption(), "Configuration Report - v1.2   (build 37)");
    EXPECT_TRUE(boxesSeen().empty());

    // The design's places, in twips, and captions.
    EXPECT_EQ(std::make_pair(window().ScaleWidth(), window().ScaleHeight()),
              std::make_pair(7350, 5820));
    const std::pair<const char*, std::vector<int>> places[] = {
        {"cmdGather", {5310, 90, 1815, 375}},    {"txtInfo", {90, 90, 5145, 1995}},
        {"cmdExit", {6300, 630, 825, 375}},      {"lstApps", {180, 3330, 7035, 1035}},
        {"cmdReset", {5310, 630, 825, 375}},     {"Label1(0)", {180, 3150, 7035, 195}},
        {"lstFiles", {180, 4680, 7035, 1035}},   {"Label1(1)", {180, 4500, 7035, 195}},
        {"lstDrives", {5400, 1530, 1725, 1425}}, {"lvFolders", {180, 1890, 5145, 3525}},
    };
    for (const auto& [name, place] : places)
        EXPECT_EQ(placeOf(*window().find(name)), place) << name;
    EXPECT_EQ(
        (std::vector<std::string>{cmdGather().Caption(), control<Button>("cmdExit").Caption(),
                                  cmdReset().Caption(), control<Label>("Label1(0)").Caption(),
                                  control<Label>("Label1(1)").Caption()}),
        (std::vector<std::string>{"Create Report", "E&xit", "Reset",
                                  "List of Applications and Processes running", "List of Files"}));
}

TEST_F(MainWindowTest, ChangedTickAsksToKeepAllTickedAndOnlyNoLetsItStand) {
    startWithThreeFolders();
    const std::tuple<int, MsgAnswer, std::vector<bool>> clicks[] = {
        {2, MsgAnswer::No, {true, false, true}},
        {3, MsgAnswer::No, {true, false, false}},
        {2, MsgAnswer::Yes, {true, true, true}},
    };
    for (const auto& [row, answer, after] : clicks) {
        planAnswer(answer);
        toggleCheckBox(lvFolders(), row);
        EXPECT_EQ(ticks(), after) << row;
    }
    const std::vector<BoxSeen> boxes = boxesSeen();
    ASSERT_EQ(boxes.size(), 3u);
    for (const BoxSeen& box : boxes) {
        EXPECT_EQ(box.title, "All Paths should be Ticked");
        EXPECT_EQ(box.text,
                  "Please leave all checkboxes ticked in order to get\r\nan accurate picture of "
                  "what the problem may be.\r\n\r\nDo you want to leave all items ticked?");
        EXPECT_EQ(box.buttons, (std::vector<MsgAnswer>{MsgAnswer::Yes, MsgAnswer::No}));
        EXPECT_EQ(box.defaultButton, MsgAnswer::Yes);
        EXPECT_FALSE(box.hasIcon);
    }
}

// With no answer planned a box answers its default button, and a position it lacks its first.
TEST_F(MainWindowTest, MessageBoxesAnswerTheirDefaultButton) {
    const std::tuple<MsgButtons, int, MsgAnswer> cases[] = {
        {MsgButtons::YesNo, 2, MsgAnswer::No},
        {MsgButtons::AbortRetryIgnore, 3, MsgAnswer::Ignore},
        {MsgButtons::YesNo, 0, MsgAnswer::Yes},
        {MsgButtons::YesNo, 3, MsgAnswer::Yes},
    };
    start();
    for (const auto& [buttons, position, answer] : cases)
        EXPECT_EQ(MsgBox("?", buttons, MsgIcon::None, "", position), answer) << position;
}

// The program's own changes of the ticks raise no question either.
TEST_F(MainWindowTest, RightButtonOnResetTogglesAllByTheFirstFolderAndNothingElse) {
    start();
    clickButton(cmdReset(), kRightButton);  // no folders: nothing to do
    startWithThreeFolders();
    clickButton(cmdGather());
    const std::tuple<std::vector<bool>, int, std::vector<bool>> cases[] = {
        {{true, false, true}, kRightButton, {false, false, false}},
        {{false, true, true}, kRightButton, {true, true, true}},
        {{false, true, false}, kMiddleButton, {false, true, false}},
        {{true, false, false}, kLeftButton, {true, false, false}},
    };
    for (const auto& [before, button, after] : cases) {
        for (int i = 1; i <= 3; ++i)
            lvFolders().ListItems().Item(i).setChecked(before[i - 1]);
        clickButton(cmdReset(), button);
        EXPECT_EQ(ticks(), after) << button;
        // Only a click with the left button resets the view.
        EXPECT_EQ(view(), button == kLeftButton ? kIntroductionView : kReportView) << button;
    }
    EXPECT_TRUE(boxesSeen().empty());
}

TEST_F(MainWindowTest, RunOpensTheReportResetRestoresAndASecondRunListsEachDriveOnce) {
    startWithThreeFolders();
    planAnswer(MsgAnswer::No);
    toggleCheckBox(lvFolders(), 2);
    clickButton(cmdGather());
    EXPECT_EQ(view(), kReportView);
    // The "Please Wait..." of the run is cleared, not only hidden.
    EXPECT_EQ(control<RichTextBox>("txtInfo").Text(), "");
    const std::string report = folder.file("morvasoftware_bug_report.htm");
    EXPECT_TRUE(isCompleteReport(report));
    EXPECT_EQ(launched, std::vector<std::string>{report});
    EXPECT_GT(lstApps().ListCount(), 0);
    EXPECT_EQ(folder.read("_tmpApps.txt").rfind(lstApps().List(0) + "\r\n", 0), 0u);
    const int drives = control<ListBox>("lstDrives").ListCount();
    EXPECT_TRUE(control<ListBox>("lstDrives").Enabled());
    const std::string files = control<ListBox>("lstFiles").List(0);
    clickButton(cmdReset());
    EXPECT_EQ(view(), kIntroductionView);
    EXPECT_EQ(ticks(), (std::vector<bool>{true, false, true}));
    EXPECT_EQ(lstApps().ListCount(), 0);
    EXPECT_EQ(control<ListBox>("lstFiles").List(0), files);

    clickButton(cmdGather());
    EXPECT_EQ(control<ListBox>("lstDrives").ListCount(), drives);
    const std::string text = folder.read("morvasoftware_bug_report.htm");
    // A cleared folder is listed in grey, gets no block, and the others keep their numbers.
    for (const std::string& part :
         {">" + folder.file("product") + "</a><BR>\r\n<font color=#C0C0C0>" +
              folder.file("product/a") + "</font><BR>\r\n<a href=#files003>",
          std::string("<a name=files001>"), std::string("<a name=files003>")})
        EXPECT_NE(text.find(part), std::string::npos) << part;
    EXPECT_EQ(text.find("files002"), std::string::npos);
    EXPECT_EQ(occurrences(text, "\nFree Space on "), drives);
    EXPECT_EQ(boxesSeen().size(), 1u);
}

// Regression: a click while start-up was still listing folders wrote a report of the folders
// listed so far, and a "No" to the tick question was overridden by start-up's final tick-all.
TEST_F(MainWindowTest, UserActionsDuringTheStartUpWalkReachNoHandler) {
    // At the first yield only the candidate itself is listed, not yet ticked.
    const struct {
        const char* action;
        std::function<void()> act;
        bool ticked;  // the user's own click turns the box over; nothing else happens
    } cases[] = {
        {"Create Report", [this] { clickButton(cmdGather()); }, false},
        {"tick", [this] { toggleCheckBox(lvFolders(), 1); }, true},
        {"right button on Reset", [this] { clickButton(cmdReset(), kRightButton); }, false},
        {"Reset", [this] { clickButton(cmdReset()); }, false},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.action);
        startWithThreeFolders([this, &row] {
            row.act();
            EXPECT_EQ(ticks(), std::vector<bool>{row.ticked});
            EXPECT_EQ(view(), kIntroductionView);
        });
        EXPECT_EQ(view(), kIntroductionView);
        EXPECT_EQ(ticks(), (std::vector<bool>{true, true, true}));
        EXPECT_TRUE(boxesSeen().empty());
        EXPECT_TRUE(launched.empty());
    }
}

// The window reports each new size, and the message window's logic places its controls.
TEST_F(MainWindowTest, MessageWindowFollowsItsHeightAndEveryButtonClosesIt) {
    start();
    frmMsgBox form;
    Window& box = form.window();
    form.show();
    EXPECT_EQ(box.Caption(), "Information");
    EXPECT_EQ(std::make_pair(box.ScaleWidth(), box.ScaleHeight()), std::make_pair(5085, 2955));
    box.setClientSize(5085, 2955 + 607);  // no whole number of pixels: kept as given
    EXPECT_EQ(box.find("lblText")->Bounds().height, 2085 + 607);
    bool closedByUser = false;  // a window the program closes is not closed by the user
    box.setOnClose([&closedByUser] { closedByUser = true; });
    const std::pair<const char*, const char*> buttons[] = {
        {"cmdYes", "Yes"}, {"cmdNo", "No"}, {"cmdOK", "OK"}, {"cmdCancel", "Cancel"}};
    for (const auto& [name, caption] : buttons) {
        EXPECT_EQ(box.find(name)->Bounds().top, 2355 + 607) << name;
        EXPECT_EQ(box.findAs<Button>(name)->Caption(), caption);
        form.show();
        ASSERT_TRUE(isShown(box));
        clickButton(*box.findAs<Button>(name));
        EXPECT_FALSE(isShown(box)) << name;
    }
    EXPECT_FALSE(closedByUser);
    form.show();
    closeByUser(box);
    EXPECT_TRUE(closedByUser);
    EXPECT_FALSE(isShown(box));
}

}  // namespace
