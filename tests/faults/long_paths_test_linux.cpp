// Paths longer than the 4,096 bytes a Linux call accepts.
#include <gtest/gtest.h>

#include <string>

#include "tests/faults/fault_fixture.h"
#include "tests/faults/folder_chain.h"

namespace {

class LongPathsLinux : public FaultTest {};

TEST_F(LongPathsLinux, FoldersBeyondFourKilobytesEndTheWalkThereAndTheReportCompletes) {
    const std::string product = folder.makeFolder("product");
    folder.write("product/top.ini", "top=1\r\n");
    const FolderChain chain(product, std::string(250, 'n'), 20, "deep.ini", "deep=1\r\n");
    ASSERT_GT(chain.deepest().size(), 4096u);

    runReport(product);

    ASSERT_TRUE(isCompleteReport(reportPath())) << messagesShown();
    const std::string text = reportText();
    // The folders that a call can still reach are listed; the walk stops where paths grow
    // too long.
    const std::vector<std::string> folders = listedFolders(text);
    EXPECT_GE(folders.size(), 2u);
    EXPECT_LT(folders.size(), 21u);
    for (const std::string& listed : folders)
        EXPECT_LT(listed.size(), 4096u);
    EXPECT_TRUE(contains(text, "top=1<BR>"));
}

}  // namespace
