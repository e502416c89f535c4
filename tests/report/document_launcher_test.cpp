#include "report/document_launcher.h"

#include <gtest/gtest.h>

#include "tests/report/support/report_fixture.h"

namespace {

using ShellExecuteDocumentTest = ReportTest;

TEST_F(ShellExecuteDocumentTest, FailureIsLoggedAndShownInPlainWords) {
    const std::pair<int, std::string> cases[] = {
        {2, "File not found\r\nr.htm"},
        {3, "Path not found"},
        {5, "Access denied"},
        {8, "Out of memory"},
        {11, "Invalid EXE file or error in EXE image"},
        {26, "A sharing violation occurred"},
        {27, "Incomplete or invalid file association"},
        {28, "DDE Time out"},
        {29, "DDE transaction failed"},
        {30, "DDE busy"},
        {31, "No association for file extension"},
        {32, "DLL not found"},
        {0, "Unknown error"},
        {4, "Unknown error"},
    };
    ShellExecuteDocument("", false, "");  // no name: nothing to open, nothing to tell
    EXPECT_TRUE(launched.empty());
    for (const auto& [result, message] : cases) {
        headless().shown.clear();
        launchResult = result;
        ShellExecuteDocument("r.htm", false, "");
        ASSERT_EQ(headless().shown.size(), 1u) << result;
        EXPECT_EQ(headless().shown[0].text, message);
        EXPECT_EQ(headless().shown[0].buttons, MsgButtons::OK);
    }
    EXPECT_NE(logText().find(", Failed to ShellExecute 'r.htm'\r\n"), std::string::npos);
    EXPECT_EQ(launchDocument(folder.file("missing.htm"), ""), 2);  // the real launcher
}

}  // namespace
