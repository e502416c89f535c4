#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/frm_report_configuration.h"
#include "tests/report/support/report_fixture.h"
#include "toolkit/ui/headless/headless_controls.h"
#include "toolkit/ui/headless/headless_window.h"

// Thrown by the headless backend where the program would end.
struct ProgramEnded {
    int exitCode;
};

// The main window on headless controls in a fresh tool folder, with no product folder
// candidates unless the test names some.
class MainWindowTest : public ReportTest {
protected:
    void SetUp() override {
        ReportTest::SetUp();
        headless().onEndProgram = [](int exitCode) { throw ProgramEnded{exitCode}; };
        setProductFoldersForTesting(std::vector<std::string>{});
        form_ = std::make_unique<frmReportConfiguration>();
    }

    frmReportConfiguration& form() { return *form_; }
    template <typename T>
    T& control(const std::string& name) {
        return *form_->window().findAs<T>(name);
    }
    HeadlessWindow& window() { return dynamic_cast<HeadlessWindow&>(form_->window()); }

private:
    std::unique_ptr<frmReportConfiguration> form_;
};
