#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/temp_folder.h"
#include "toolkit/date_time.h"
#include "toolkit/file_numbers.h"
#include "toolkit/log.h"
#include "toolkit/program_state.h"
#include "toolkit/ui/application.h"
#include "toolkit/ui/headless/headless_ui.h"

// A test whose program folder is a fresh temporary folder: the log and every default file go
// there, message boxes are answered by the headless backend, and the clock stands at
// Sunday 22 May 2005, 14:05:09 unless the test moves it.
class ProgramFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedApp_ = App();
        App().Path = folder.path();
        App().PathNote.clear();
        App().EXEName = "tool";
        ui_ = &installHeadlessUi();
        setClockForTesting([this] { return now; });
        gLog() = cLog();
        gLog().setLogFile(folder.file("tool.log"));
    }

    void TearDown() override {
        gFileNumbers().closeAll();
        setClockForTesting(nullptr);
        gLog() = cLog();
        App() = savedApp_;
    }

    HeadlessUi& headless() { return *ui_; }
    std::string logText() const { return folder.read("tool.log"); }
    // The texts of the message boxes shown so far, in order.
    std::vector<std::string> shownTexts() const {
        std::vector<std::string> texts;
        for (const MessageBoxRequest& box : ui_->shown)
            texts.push_back(box.text);
        return texts;
    }

    TempFolder folder;
    DateTime now{2005, 5, 22, 14, 5, 9};

private:
    AppObject savedApp_;
    HeadlessUi* ui_ = nullptr;
};
