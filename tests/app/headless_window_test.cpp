// The windows where only the headless backend can tell: the report run's yields, a fake
// machine's drives, a click that arrives while the run goes on, the end of the program, and
// the message window at sizes a real window cannot take.

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "app/msg_box_form.h"
#include "tests/app/app_fixture.h"
#include "tests/sysinfo/fake_sys_platform.h"
#include "toolkit/ui/headless/headless_ui.h"
#include "toolkit/ui/headless/headless_window.h"
#include "toolkit/ui/ui.h"

namespace {

// Thrown by the headless backend where the program would end.
struct ProgramEnded {
    int exitCode;
};

using HeadlessWindowTest = MainWindowTest;

// One yield shows the hourglass and three paint the report view; a click at the first, queued
// before the button was disabled, starts no second run.
TEST_F(HeadlessWindowTest, RunYieldsFourTimesUnderTheHourglassAndAClickThereStartsNoSecondRun) {
    startWithThreeFolders();
    headless().pointerHistory.clear();
    std::vector<int> pointersAtYields;
    headless().onDoEvents = [&] {
        pointersAtYields.push_back(headless().MousePointer());
        if (pointersAtYields.size() == 1)
            clickButton(cmdGather());
    };
    clickButton(cmdGather());
    EXPECT_EQ(pointersAtYields, std::vector<int>(4, kPointerHourglass));
    EXPECT_EQ(headless().pointerHistory, (std::vector<int>{kPointerHourglass, kPointerDefault}));
    EXPECT_EQ(launched.size(), 1u);
}

// The golden report masks the drives and the processes; here their blocks are pinned on a
// machine of two disks and two programs.
TEST_F(HeadlessWindowTest, DriveAndProcessBlocksListEachFixedDriveAndEachProgram) {
    FakeSysPlatform& fake = installFakeSysPlatform();
    fake.driveList = {{"C:", DriveKind::Fixed}, {"E:", DriveKind::CdRom}, {"D:", DriveKind::Fixed}};
    fake.space.totalFreeBytes = 1234567890123;
    fake.processes = {{4, true, true, "a.exe"}, {8, true, true, "b.exe"}};
    startWithThreeFolders();
    clickButton(cmdGather());
    setSysPlatformForTesting(nullptr);
    const std::string report = folder.read("morvasoftware_bug_report.htm");
    for (const char* block : {"<H2>List of Free Space on Hard Drives</h2>\r\n"
                              "Free Space on C: = 1,234,568 MB<BR>\r\n"
                              "Free Space on D: = 1,234,568 MB<BR>\r\n<a href=#top>",
                              "<H1>List of Running Processes</H1>\r\n<BR>\r\n"
                              "a.exe<BR>\r\nb.exe<BR>\r\n\r\n<BR>\r\n<a href=#top>"})
        EXPECT_NE(report.find(block), std::string::npos) << block;
}

// Nothing but Exit and the close box ends the program, and they do even while start-up walks
// the folders.
TEST_F(HeadlessWindowTest, ExitAndTheCloseBoxEndTheProgram) {
    std::vector<int> exitCodes;
    headless().onEndProgram = [&](int code) {
        exitCodes.push_back(code);
        throw ProgramEnded{code};
    };
    startWithThreeFolders();
    EXPECT_THROW(clickButton(control<Button>("cmdExit")), ProgramEnded);
    EXPECT_THROW(dynamic_cast<HeadlessWindow&>(window()).userClose(), ProgramEnded);
    EXPECT_THROW(startWithThreeFolders([this] { clickButton(control<Button>("cmdExit")); }),
                 ProgramEnded);
    EXPECT_EQ(exitCodes, (std::vector<int>{0, 0, 0}));
}

// The main window is white; the message window has colours of its own.
TEST(HeadlessMsgBoxTest, ResizeMovesButtonsAndSizesLabelUnlessTooSmallInTheDesignColours) {
    installUi(nullptr);  // where no backend was installed, the headless one is there
    ASSERT_NE(dynamic_cast<HeadlessUi*>(&ui()), nullptr);
    const auto rgb = [](Rgb c) { return std::vector<int>{c.red, c.green, c.blue}; };
    frmReportConfiguration main;
    EXPECT_EQ(rgb(dynamic_cast<HeadlessWindow&>(main.window()).BackColor()),
              (std::vector<int>{255, 255, 255}));
    frmMsgBox form;
    auto& window = dynamic_cast<HeadlessWindow&>(form.window());
    EXPECT_EQ(rgb(window.BackColor()), (std::vector<int>{250, 247, 231}));
    EXPECT_EQ(rgb(window.findAs<HeadlessLabel>("lblText")->BackColor()),
              (std::vector<int>{192, 192, 192}));
    EXPECT_EQ(placeOf(*window.find("box")), (std::vector<int>{90, 90, 4845, 1905}))
        << "the text box never moves";
    int resizes = 0;  // only the first show raises resize
    main.window().setOnResize([&resizes] { ++resizes; });
    for (int shows = 0; shows < 2; ++shows)
        main.window().show();
    EXPECT_EQ(resizes, 1);
    // The label takes the smaller size, down to none, and keeps it where the window is smaller
    // still.
    const std::tuple<int, int, int, int> cases[] = {
        {3000, 2000, 1400, 1130}, {3000, 870, 270, 0}, {3000, 700, 100, 0}, {200, 700, 100, 0}};
    for (const auto& [width, height, buttonTop, labelHeight] : cases) {
        window.resize(width, height);
        EXPECT_EQ(placeOf(*window.find("lblText")), (std::vector<int>{120, 120, 2760, labelHeight}))
            << width << " x " << height;
        int left = 240;
        for (const char* name : {"cmdYes", "cmdNo", "cmdOK", "cmdCancel"}) {
            EXPECT_EQ(placeOf(*window.find(name)), (std::vector<int>{left, buttonTop, 1000, 315}))
                << name << " at " << width << " x " << height;
            left += 1200;
        }
    }
}

}  // namespace
