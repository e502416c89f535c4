// Paths longer than the 4,096 bytes a Linux call accepts.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "tests/faults/fault_fixture.h"

namespace {

class LongPathsLinux : public FaultTest {};

TEST_F(LongPathsLinux, FoldersBeyondFourKilobytesEndTheWalkThereAndTheReportCompletes) {
    const std::string product = folder.makeFolder("product");
    folder.write("product/top.ini", "top=1\r\n");
    // Each folder of the chain holds a link with a 250-byte name to the next, so the path
    // through the links grows by 251 bytes a level while each call here stays short.
    std::string from = product;
    for (int level = 0; level < 20; ++level) {
        const std::string next = folder.makeFolder("chain/" + std::to_string(level));
        ASSERT_EQ(symlink(next.c_str(), (from + "/" + std::string(250, 'n')).c_str()), 0);
        from = next;
    }

    runReport(product);

    ASSERT_TRUE(isCompleteReport(reportPath())) << messagesShown();
    const std::string text = reportText();
    // The folders that a call can still reach are listed; the walk stops where paths grow
    // too long.
    const std::vector<std::string> folders = listedFolders(text);
    EXPECT_GE(folders.size(), 10u);
    EXPECT_LT(folders.size(), 21u);
    for (const std::string& listed : folders)
        EXPECT_LT(listed.size(), 4096u);
    EXPECT_TRUE(contains(text, "top=1<BR>"));
}

}  // namespace
