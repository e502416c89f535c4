#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/frm_report_configuration.h"
#include "tests/app/user_actions.h"
#include "tests/report/support/report_fixture.h"

// A control's place in twips: left, top, width, height.
inline std::vector<int> placeOf(const Control& control) {
    const TwipsRect b = control.Bounds();
    return {b.left, b.top, b.width, b.height};
}

// The main window on the backend under test, in a fresh tool folder, with no product folder
// candidates unless the test names some.
class MainWindowTest : public ReportTest {
protected:
    void SetUp() override {
        ReportTest::SetUp();
        setProductFoldersForTesting(std::vector<std::string>{});
    }
    void TearDown() override {
        form_.reset();
        ReportTest::TearDown();
    }

    // A new window on a new backend, shown and then loaded as the tool starts it.
    void start(std::function<void()> atFirstYield = nullptr) {
        form_.reset();
        installBackendUnderTest(std::move(atFirstYield));
        form_ = std::make_unique<frmReportConfiguration>();
        form_->window().show();
        form_->Form_Load();
    }
    // Started on three product folders, each beneath the one before.
    void startWithThreeFolders(std::function<void()> atFirstYield = nullptr) {
        folder.makeFolder("product/a/b");
        setProductFoldersForTesting(std::vector<std::string>{folder.file("product")});
        start(std::move(atFirstYield));
    }

    Window& window() { return form_->window(); }
    template <typename T>
    T& control(const std::string& name) {
        return *window().findAs<T>(name);
    }
    Button& cmdGather() { return control<Button>("cmdGather"); }
    Button& cmdReset() { return control<Button>("cmdReset"); }
    ListView& lvFolders() { return control<ListView>("lvFolders"); }
    ListBox& lstApps() { return control<ListBox>("lstApps"); }

    // The ticks the user sees, which the items know too.
    std::vector<bool> ticks() {
        std::vector<bool> shown;
        for (int row = 1; row <= lvFolders().ListItems().Count(); ++row) {
            shown.push_back(tickShown(lvFolders(), row));
            EXPECT_EQ(lvFolders().ListItems().Item(row).Checked(), shown.back()) << row;
        }
        return shown;
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

private:
    std::unique_ptr<frmReportConfiguration> form_;
};
