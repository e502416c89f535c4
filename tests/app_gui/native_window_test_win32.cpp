// The Windows window driven from outside, as a user would: the tool runs as its own process
// under Wine on a virtual display, and this test clicks it with the mouse, presses its buttons
// with BM_CLICK, answers its message boxes and photographs every state it reaches into
// %CR_SCREENSHOTS%. The display's DPI comes in CR_TEST_DPI.

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>
#include <richedit.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "tests/app_gui/desktop_driver_win32.h"
#include "tests/app_gui/screenshot_win32.h"

namespace {

const std::wstring kRuleTitle = L"All Paths should be Ticked";
const std::wstring kRuleText =
    L"Please leave all checkboxes ticked in order to get\r\n"
    L"an accurate picture of what the problem may be.\r\n\r\n"
    L"Do you want to leave all items ticked?";
const std::wstring kIntroduction =
    L"This program gathers information from your Morva Software installations in order to "
    L"assist with fault finding.\r\n\r\nYou can analyse this report yourself, or you can email "
    L"it to our support section to resolve the problem for you.\r\n\r\n\r\n\r\n";

int testDpi() {
    const char* dpi = std::getenv("CR_TEST_DPI");
    return dpi ? std::atoi(dpi) : 96;
}

int pixels(int twips) {
    return MulDiv(twips, testDpi(), 1440);
}

void photograph(HWND window, const std::wstring& state) {
    if (const wchar_t* folder = _wgetenv(L"CR_SCREENSHOTS")) {
        CreateDirectoryW(folder, nullptr);
        const std::wstring name = std::wstring(folder) + L"\\win32-" + state + L"-" +
                                  std::to_wstring(testDpi()) + L"dpi.png";
        EXPECT_TRUE(saveScreenshot(window, name));
    }
}

std::wstring temporaryFolder() {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    const std::wstring folder = std::wstring(base) + L"cr-gui-" + std::to_wstring(GetTickCount64());
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

bool endsWith(const std::string& text, const std::string& ending) {
    return text.size() >= ending.size() &&
           text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
}

std::string fileText(const std::wstring& name) {
    std::ifstream in(std::filesystem::path(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The product folders the tool finds: one of its fixed places, in the test's own prefix. The
// list view shows C:\velldata, Alpha, Alpha\Data and Beta.
void makeProductTree() {
    for (const wchar_t* folder : {L"C:\\velldata", L"C:\\velldata\\Alpha",
                                  L"C:\\velldata\\Alpha\\Data", L"C:\\velldata\\Beta"})
        CreateDirectoryW(folder, nullptr);
    std::ofstream(std::filesystem::path(L"C:\\velldata\\Alpha\\alpha.ini"), std::ios::binary)
        << "[alpha]\r\n";
}

// Where each control of the main window stands, in twips, in the order it is created.
struct Expected {
    const wchar_t* className;
    const wchar_t* text;
    RECT twips;  // left, top, width, height
    bool visibleAtStart;
};
const Expected kControls[] = {
    {L"Button", L"Create Report", {5310, 90, 1815, 375}, true},
    {MSFTEDIT_CLASS, nullptr, {90, 90, 5145, 1995}, true},
    {L"Button", L"E&xit", {6300, 630, 825, 375}, true},
    {L"ListBox", L"", {180, 3330, 7035, 1035}, false},
    {L"Button", L"Reset", {5310, 630, 825, 375}, true},
    {L"Static", L"List of Applications and Processes running", {180, 3150, 7035, 195}, false},
    {L"ListBox", L"", {180, 4680, 7035, 1035}, false},
    {L"Static", L"List of Files", {180, 4500, 7035, 195}, false},
    {L"ListBox", L"", {5400, 1530, 1725, 1425}, false},
    {WC_LISTVIEWW, L"", {180, 1890, 5145, 3525}, true},
};
enum Control {
    cmdGather,
    txtInfo,
    cmdExit,
    lstApps,
    cmdReset,
    Label1_0,
    lstFiles,
    Label1_1,
    lstDrives,
    lvFolders
};

class NativeWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { makeProductTree(); }
    void SetUp() override {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        program_ = std::make_unique<DrivenProgram>(L"" CR_TOOL_PROGRAM, folder_);
        window_ = program_->window(L"Configuration Report - ");
        ASSERT_NE(window_, nullptr);
        controls_ = controlsOf(window_);
        ASSERT_EQ(controls_.size(), std::size(kControls));
    }
    void TearDown() override {
        program_.reset();
        CoUninitialize();
    }

    HWND control(Control which) const { return controls_[which]; }
    std::vector<bool> ticks() const {
        std::vector<bool> states;
        for (int row = 0; row < rowCount(control(lvFolders)); ++row)
            states.push_back(isTicked(control(lvFolders), row));
        return states;
    }
    void clickCheckBox(int row) { click(control(lvFolders), checkBoxOf(control(lvFolders), row)); }

    std::wstring folder_ = temporaryFolder();
    std::unique_ptr<DrivenProgram> program_;
    HWND window_ = nullptr;
    std::vector<HWND> controls_;
};

TEST_F(NativeWindowTest, StartsWithCaptionControlsAndEveryFolderTicked) {
    const std::wstring version = L"v" + std::to_wstring(CR_VERSION_MAJOR) + L"." +
                                 std::to_wstring(CR_VERSION_MINOR) + L"   (build " +
                                 std::to_wstring(CR_VERSION_REVISION) + L")";
    EXPECT_EQ(textOf(window_), L"Configuration Report - " + version);
    const SIZE client = clientSize(window_);
    EXPECT_EQ(client.cx, pixels(7350));
    EXPECT_EQ(client.cy, pixels(5820));
    for (size_t i = 0; i < controls_.size(); ++i) {
        const Expected& expected = kControls[i];
        HWND control = controls_[i];
        EXPECT_EQ(_wcsicmp(className(control).c_str(), expected.className), 0) << i;
        if (expected.text) {
            EXPECT_EQ(textOf(control), expected.text) << i;
        }
        const RECT place = placeOf(control);
        EXPECT_EQ(place.left, pixels(expected.twips.left)) << i;
        EXPECT_EQ(place.top, pixels(expected.twips.top)) << i;
        EXPECT_EQ(place.right - place.left, pixels(expected.twips.right)) << i;
        EXPECT_EQ(place.bottom - place.top, pixels(expected.twips.bottom)) << i;
        EXPECT_EQ(IsWindowVisible(control) != FALSE, expected.visibleAtStart) << i;
    }
    EXPECT_EQ(textOf(control(txtInfo)), kIntroduction);
    EXPECT_EQ(ticks(), std::vector<bool>(4, true));
    photograph(window_, L"introduction");
}

TEST_F(NativeWindowTest, UserTickAsksToKeepEveryFolderTicked) {
    clickCheckBox(1);
    MessageBoxSeen box = findMessageBox(program_->id(), kRuleTitle);
    ASSERT_NE(box.box, nullptr);
    EXPECT_EQ(box.text, kRuleText);
    EXPECT_EQ(box.buttons, (std::vector<int>{IDYES, IDNO}));
    EXPECT_EQ(box.defaultButton, IDYES);
    EXPECT_FALSE(box.hasIcon);
    photograph(box.box, L"keep-ticked-question");
    answer(box, IDNO);
    EXPECT_TRUE(waitUntil([&] { return ticks() == std::vector<bool>{true, false, true, true}; }));

    clickCheckBox(1);
    box = findMessageBox(program_->id(), kRuleTitle);
    ASSERT_NE(box.box, nullptr);
    answer(box, IDYES);
    EXPECT_TRUE(waitUntil([&] { return ticks() == std::vector<bool>(4, true); }));
}

TEST_F(NativeWindowTest, RightButtonOnResetTogglesAllWithoutAsking) {
    click(control(cmdReset), centreOf(control(cmdReset)), true);
    EXPECT_TRUE(waitUntil([&] { return ticks() == std::vector<bool>(4, false); }));
    photograph(window_, L"all-cleared");
    click(control(cmdReset), centreOf(control(cmdReset)), true);
    EXPECT_TRUE(waitUntil([&] { return ticks() == std::vector<bool>(4, true); }));
    EXPECT_EQ(findMessageBox(program_->id(), kRuleTitle, 300).box, nullptr);
}

TEST_F(NativeWindowTest, CreateReportShowsReportViewAndWritesReport) {
    PostMessageW(control(cmdGather), BM_CLICK, 0, 0);
    const std::wstring report = folder_ + L"\\morvasoftware_bug_report.htm";
    EXPECT_TRUE(waitUntil(
        [&] {
            return !IsWindowVisible(control(txtInfo)) &&
                   endsWith(fileText(report), "</BODY></HTML>\r\n");
        },
        30000));
    // The report then goes to the shell. No program takes .htm files in the test's prefix, so
    // the tool says so in a box of its own, which the user answers.
    const MessageBoxSeen launch = findMessageBox(program_->id(), L"ConfigReport");
    ASSERT_NE(launch.box, nullptr);
    EXPECT_EQ(launch.buttons, std::vector<int>{IDOK});
    photograph(window_, L"report");
    photograph(launch.box, L"report-not-opened");
    answer(launch, IDOK);

    for (Control shown : {lstApps, lstFiles, lstDrives, Label1_0, Label1_1})
        EXPECT_TRUE(IsWindowVisible(control(shown))) << shown;
    EXPECT_FALSE(IsWindowVisible(control(lvFolders)));
    EXPECT_FALSE(IsWindowEnabled(control(cmdGather)));
    EXPECT_GT(SendMessageW(control(lstApps), LB_GETCOUNT, 0, 0), 0);
    EXPECT_GT(SendMessageW(control(lstDrives), LB_GETCOUNT, 0, 0), 0);
}

// Nothing but Exit and the close box stops the tool's message loop.
TEST_F(NativeWindowTest, ExitAndTheCloseBoxEndTheProgram) {
    PostMessageW(control(cmdExit), BM_CLICK, 0, 0);
    EXPECT_EQ(program_->waitForExit(10000), 0u);
    DrivenProgram second(L"" CR_TOOL_PROGRAM, temporaryFolder());
    HWND window = second.window(L"Configuration Report - ");
    ASSERT_NE(window, nullptr);
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(second.waitForExit(10000), 0u);
}

// Regression: a click while start-up was still listing folders wrote a report of the folders
// listed so far. A few hundred more folders keep the walk going while the user acts.
TEST(NativeStartUpTest, UserActionsDuringTheWalkReachNoHandler) {
    const std::filesystem::path many = L"C:\\velldata\\Many";
    struct RemovedAfter {
        std::filesystem::path folder;
        ~RemovedAfter() { std::filesystem::remove_all(folder); }
    } removedAfter{many};
    const int kExtraFolders = 500;
    for (int i = 0; i < kExtraFolders; ++i)
        std::filesystem::create_directories(many / std::to_wstring(i));
    const std::wstring folder = temporaryFolder();
    DrivenProgram program(L"" CR_TOOL_PROGRAM, folder);
    HWND window = program.window(L"Configuration Report");
    ASSERT_NE(window, nullptr);
    const std::vector<HWND> controls = controlsOf(window);
    ASSERT_EQ(controls.size(), std::size(kControls));
    PostMessageW(controls[cmdGather], BM_CLICK, 0, 0);
    click(controls[cmdReset], centreOf(controls[cmdReset]), true);
    PostMessageW(controls[cmdReset], BM_CLICK, 0, 0);
    const auto loaded = [&] { return textOf(window).rfind(L"Configuration Report - ", 0) == 0; };
    if (loaded())
        GTEST_SKIP() << "start-up ended before the user could act";
    ASSERT_TRUE(waitUntil(loaded, 120000));
    HWND list = controls[lvFolders];
    EXPECT_EQ(rowCount(list), 4 + 1 + kExtraFolders);
    for (int row = 0; row < rowCount(list); ++row)
        ASSERT_TRUE(isTicked(list, row)) << row;
    EXPECT_TRUE(IsWindowVisible(list));
    EXPECT_TRUE(IsWindowEnabled(controls[cmdGather]));
    EXPECT_FALSE(std::filesystem::exists(folder + L"\\morvasoftware_bug_report.htm"));
    PostMessageW(controls[cmdExit], BM_CLICK, 0, 0);
    EXPECT_EQ(program.waitForExit(10000), 0u);
}

TEST(NativeMsgBoxTest, FollowsItsWindowSizeAndClosesWithAnyButton) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    DrivenProgram program(L"" CR_MSG_BOX_PROGRAM, temporaryFolder());
    HWND window = program.window(L"Information");
    ASSERT_NE(window, nullptr);
    const std::vector<HWND> controls = controlsOf(window);
    ASSERT_EQ(controls.size(), 6u);  // lblText, box, cmdYes, cmdNo, cmdOK, cmdCancel
    EXPECT_NEAR(clientSize(window).cx, pixels(5085), 1);
    EXPECT_NEAR(clientSize(window).cy, pixels(2955), 1);
    EXPECT_NEAR(placeOf(controls[2]).top, pixels(2355), 1);
    photograph(window, L"msgbox");

    RECT outer;
    GetWindowRect(window, &outer);
    const int taller = pixels(600);
    SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top + taller,
                 SWP_NOMOVE | SWP_NOZORDER);
    const int height = clientSize(window).cy;
    for (size_t button = 2; button < 6; ++button)
        EXPECT_NEAR(placeOf(controls[button]).top, height - pixels(600), 1) << button;
    const RECT label = placeOf(controls[0]);
    EXPECT_NEAR(label.bottom - label.top, height - pixels(240 + 630), 1);
    photograph(window, L"msgbox-taller");

    PostMessageW(controls[4], BM_CLICK, 0, 0);
    EXPECT_TRUE(waitUntil([&] { return !IsWindowVisible(window); }));
    CoUninitialize();
}

}  // namespace
