#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/app/app_fixture.h"
#include "tests/sysinfo/fake_sys_platform.h"
#include "toolkit/ui/application.h"
#include "toolkit/ui/headless/headless_ui.h"

namespace {

class MainWindowStartTest : public MainWindowTest {
protected:
    // Three product folders, each beneath the one before.
    void loadWithThreeFolders() {
        folder.makeFolder("product/a/b");
        setProductFoldersForTesting(std::vector<std::string>{folder.file("product")});
        form().Form_Load();
    }

    std::vector<bool> ticks() {
        std::vector<bool> checked;
        for (int i = 1; i <= lvFolders().ListItems().Count(); ++i)
            checked.push_back(lvFolders().ListItems().Item(i).Checked());
        return checked;
    }

    // Which of txtInfo, lvFolders, the three lists and the two labels are visible, and
    // whether "Create Report" is enabled.
    std::vector<bool> view() {
        std::vector<bool> state;
        for (const char* name :
             {"txtInfo", "lvFolders", "lstApps", "lstFiles", "lstDrives", "Label1(0)", "Label1(1)"})
            state.push_back(window().find(name)->Visible());
        state.push_back(cmdGather().Enabled());
        return state;
    }
    const std::vector<bool> kIntroductionView = {true,  true,  false, false,
                                                 false, false, false, true};
    const std::vector<bool> kReportView = {false, false, true, true, true, true, true, false};

    HeadlessButton& cmdGather() { return control<HeadlessButton>("cmdGather"); }
    HeadlessButton& cmdReset() { return control<HeadlessButton>("cmdReset"); }
    HeadlessRichTextBox& txtInfo() { return control<HeadlessRichTextBox>("txtInfo"); }
    HeadlessListView& lvFolders() { return control<HeadlessListView>("lvFolders"); }
    HeadlessListBox& lstApps() { return control<HeadlessListBox>("lstApps"); }
    HeadlessListBox& lstFiles() { return control<HeadlessListBox>("lstFiles"); }
    HeadlessListBox& lstDrives() { return control<HeadlessListBox>("lstDrives"); }
};

TEST_F(MainWindowStartTest, StartShowsIntroductionWithEveryFolderTickedAndTheVersion) {
    App().Major = 1;
    App().Minor = 2;
    App().Revision = 37;
    loadWithThreeFolders();
    EXPECT_EQ(view(), kIntroductionView);
    EXPECT_EQ(txtInfo().Text(),
              "This program gathers information from your Morva Software installations in order "
              "to assist with fault finding.\r\n\r\nYou can analyse this report yourself, or you "
              "can email it to our support section to resolve the problem for you.\r\n\r\n\r\n"
              "\r\n");
    EXPECT_EQ(ticks(), (std::vector<bool>{true, true, true}));
    EXPECT_EQ(lvFolders().ListItems().Item(3).Text(), folder.file("product/a/b"));
    EXPECT_EQ(window().Caption(), "Configuration Report - v1.2   (build 37)");
    EXPECT_TRUE(headless().shown.empty());

    // The design's places, in twips.
    EXPECT_EQ(std::make_pair(window().ScaleWidth(), window().ScaleHeight()),
              std::make_pair(7350, 5820));
    const std::pair<const char*, std::vector<int>> places[] = {
        {"cmdGather", {5310, 90, 1815, 375}},    {"txtInfo", {90, 90, 5145, 1995}},
        {"cmdExit", {6300, 630, 825, 375}},      {"lstApps", {180, 3330, 7035, 1035}},
        {"cmdReset", {5310, 630, 825, 375}},     {"Label1(0)", {180, 3150, 7035, 195}},
        {"lstFiles", {180, 4680, 7035, 1035}},   {"Label1(1)", {180, 4500, 7035, 195}},
        {"lstDrives", {5400, 1530, 1725, 1425}}, {"lvFolders", {180, 1890, 5145, 3525}},
    };
    for (const auto& [name, place] : places) {
        const TwipsRect b = window().find(name)->Bounds();
        EXPECT_EQ((std::vector<int>{b.left, b.top, b.width, b.height}), place) << name;
    }
}

TEST_F(MainWindowStartTest, ChangedTickAsksToKeepAllTickedAndOnlyNoLetsItStand) {
    loadWithThreeFolders();
    headless().answers = {MsgAnswer::No, MsgAnswer::No, MsgAnswer::Yes};
    lvFolders().userSetChecked(2, false);
    lvFolders().userSetChecked(3, false);
    EXPECT_EQ(ticks(), (std::vector<bool>{true, false, false}));
    lvFolders().userSetChecked(2, true);
    EXPECT_EQ(ticks(), (std::vector<bool>{true, true, true}));
    ASSERT_EQ(headless().shown.size(), 3u);
    const MessageBoxRequest& box = headless().shown[0];
    EXPECT_EQ(box.title, "All Paths should be Ticked");
    EXPECT_EQ(box.text,
              "Please leave all checkboxes ticked in order to get\r\nan accurate picture of what "
              "the problem may be.\r\n\r\nDo you want to leave all items ticked?");
    EXPECT_EQ(box.buttons, MsgButtons::YesNo);
    EXPECT_EQ(box.defaultButton, 1);
    EXPECT_EQ(box.icon, MsgIcon::None);
}

TEST_F(MainWindowStartTest, RightButtonOnResetTogglesAllByTheFirstFolderAndNothingElse) {
    form().Form_Load();
    cmdReset().mouseDown(kRightButton);  // no folders: nothing to do
    loadWithThreeFolders();
    cmdGather().click();
    headless().shown.clear();
    const struct {
        std::vector<bool> before;
        int button;
        std::vector<bool> after;
    } cases[] = {
        {{true, false, true}, kRightButton, {false, false, false}},
        {{false, true, true}, kRightButton, {true, true, true}},
        {{false, true, false}, kMiddleButton, {false, true, false}},
        {{true, false, false}, kLeftButton, {true, false, false}},
    };
    for (const auto& c : cases) {
        for (int i = 1; i <= 3; ++i)
            lvFolders().ListItems().Item(i).setChecked(c.before[i - 1]);
        cmdReset().mouseDown(c.button);
        EXPECT_EQ(ticks(), c.after) << c.button;
    }
    EXPECT_EQ(view(), kReportView);
    EXPECT_TRUE(headless().shown.empty());
}

TEST_F(MainWindowStartTest, ExitAndTheCloseBoxEndTheProgram) {
    loadWithThreeFolders();
    std::vector<int> exitCodes;
    headless().onEndProgram = [&](int code) {
        exitCodes.push_back(code);
        throw ProgramEnded{code};
    };
    EXPECT_THROW(control<HeadlessButton>("cmdExit").click(), ProgramEnded);
    EXPECT_THROW(window().userClose(), ProgramEnded);
    EXPECT_EQ(exitCodes, (std::vector<int>{0, 0}));
}

TEST_F(MainWindowStartTest, RunOpensTheReportResetRestoresAndASecondRunListsEachDriveOnce) {
    loadWithThreeFolders();
    headless().answers = {MsgAnswer::No};
    lvFolders().userSetChecked(2, false);
    auto recorder = std::make_unique<RecordingUi>();
    const std::vector<std::string>& events = recorder->events;
    installUi(std::move(recorder));
    cmdGather().click();
    // The hourglass, one yield to show it and three to paint the report view, before the work.
    EXPECT_EQ(events, (std::vector<std::string>{"hourglass", "yield", "yield", "yield", "yield",
                                                "default"}));
    EXPECT_EQ(view(), kReportView);
    EXPECT_EQ(launched, std::vector<std::string>{folder.file("morvasoftware_bug_report.htm")});
    EXPECT_EQ(folder.read("_tmpApps.txt").rfind(lstApps().List(0) + "\r\n", 0), 0u);
    const int drives = lstDrives().ListCount();
    const std::string files = lstFiles().List(0);
    cmdReset().click();
    EXPECT_EQ(view(), kIntroductionView);
    EXPECT_EQ(ticks(), (std::vector<bool>{true, false, true}));
    EXPECT_EQ(lstApps().ListCount(), 0);
    EXPECT_EQ(lstFiles().List(0), files);

    cmdGather().click();
    EXPECT_EQ(lstDrives().ListCount(), drives);
    const std::string text = folder.read("morvasoftware_bug_report.htm");
    // A cleared folder is listed in grey, gets no block, and the others keep their numbers.
    for (const std::string& part :
         {">" + folder.file("product") + "</a><BR>\r\n<font color=#C0C0C0>" +
              folder.file("product/a") + "</font><BR>\r\n<a href=#files003>",
          std::string("<a name=files001>"), std::string("<a name=files003>")})
        EXPECT_NE(text.find(part), std::string::npos) << part;
    EXPECT_EQ(text.find("files002"), std::string::npos);
    int lines = 0;
    for (auto at = text.find("\nFree Space on "); at != std::string::npos;
         at = text.find("\nFree Space on ", at + 1))
        ++lines;
    EXPECT_EQ(lines, drives);
}

// The golden report masks the drives; here their block is pinned on a machine of two disks.
TEST_F(MainWindowStartTest, DriveBlockGivesTheFreeMegabytesOfEachFixedDrive) {
    FakeSysPlatform& fake = installFakeSysPlatform();
    fake.driveList = {{"C:", DriveKind::Fixed}, {"E:", DriveKind::CdRom}, {"D:", DriveKind::Fixed}};
    fake.space = {0, 0, 1234567890123};
    loadWithThreeFolders();
    cmdGather().click();
    setSysPlatformForTesting(nullptr);
    EXPECT_NE(folder.read("morvasoftware_bug_report.htm")
                  .find("<H2>List of Free Space on Hard Drives</h2>\r\n"
                        "Free Space on C: = 1,234,568 MB<BR>\r\n"
                        "Free Space on D: = 1,234,568 MB<BR>\r\n<a href=#top>"),
              std::string::npos);
}

// The user acts at the first yield only: later yields would repeat the action.
void actAtFirstYield(HeadlessUi& ui, std::function<void()> action) {
    ui.onDoEvents = [&ui, action] {
        const std::function<void()> act = action;  // the hook ends with the next line
        ui.onDoEvents = nullptr;
        act();
    };
}

TEST_F(MainWindowStartTest, ClickDuringTheRunStartsNoSecondRun) {
    loadWithThreeFolders();
    actAtFirstYield(headless(), [this] { cmdGather().click(); });
    cmdGather().click();
    EXPECT_EQ(launched.size(), 1u);
}

// Regression: a click while start-up was still listing folders wrote a report of the folders
// listed so far, and a "No" to the tick question was overridden by start-up's final tick-all.
TEST_F(MainWindowStartTest, UserActionsDuringTheStartUpWalkReachNoHandlerButExitEndsAtOnce) {
    // At the first yield only the candidate itself is listed, not yet ticked.
    const struct {
        const char* action;
        std::function<void()> act;
        bool ticked;  // the user's own click turns the box over; nothing else happens
    } cases[] = {
        {"Create Report", [this] { cmdGather().click(); }, false},
        {"tick", [this] { lvFolders().userSetChecked(1, true); }, true},
        {"right button on Reset", [this] { cmdReset().mouseDown(kRightButton); }, false},
        {"Reset", [this] { cmdReset().click(); }, false},
    };
    folder.makeFolder("product/a/b");
    setProductFoldersForTesting(std::vector<std::string>{folder.file("product")});
    for (const auto& row : cases) {
        SCOPED_TRACE(row.action);
        headless().answers = {MsgAnswer::No};
        actAtFirstYield(headless(), [this, &row] {
            row.act();
            EXPECT_EQ(ticks(), std::vector<bool>{row.ticked});
            EXPECT_EQ(view(), kIntroductionView);
        });
        form().Form_Load();
        EXPECT_EQ(view(), kIntroductionView);
        EXPECT_EQ(ticks(), (std::vector<bool>{true, true, true}));
        EXPECT_TRUE(headless().shown.empty());
        EXPECT_TRUE(launched.empty());
    }
    actAtFirstYield(headless(), [this] { control<HeadlessButton>("cmdExit").click(); });
    EXPECT_THROW(form().Form_Load(), ProgramEnded);
}

}  // namespace
