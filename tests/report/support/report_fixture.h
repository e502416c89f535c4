#pragma once

#include <string>
#include <vector>

#include "report/candidate_folders.h"
#include "report/document_launcher.h"
#include "tests/toolkit/program_folder_fixture.h"
#include "toolkit/program_state.h"
#include "toolkit/ui/headless/headless_ui.h"

// How often `part` occurs in `text`.
inline int occurrences(const std::string& text, const std::string& part) {
    int count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

// A program-folder test for the report: the shell's launch is replaced by a recorder that
// answers `launchResult`, and the product folders and the report path are restored after.
class ReportTest : public ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        setDocumentLauncherForTesting([this](const std::string& fileName, const std::string&) {
            launched.push_back(fileName);
            return launchResult;
        });
    }

    void TearDown() override {
        setDocumentLauncherForTesting(nullptr);
        setProductFoldersForTesting(std::nullopt);
        gReportPath.clear();
        ProgramFolderTest::TearDown();
    }

    std::vector<std::string> launched;
    int launchResult = 33;
};

// A headless backend that records, in order, each change of the mouse pointer ("hourglass",
// "default") and each yield ("yield").
class RecordingUi : public HeadlessUi {
public:
    void DoEvents() override { events.push_back("yield"); }
    void setMousePointer(int pointer) override {
        events.push_back(pointer == kPointerHourglass ? "hourglass" : "default");
    }
    std::vector<std::string> events;
};
