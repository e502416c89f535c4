// Paths longer than the 260 characters of the plain Win32 calls.
#include <gtest/gtest.h>

#include <string>

#include "tests/faults/fault_fixture.h"
#include "tests/faults/folder_chain.h"

namespace {

class LongPathsWin32 : public FaultTest {};

TEST_F(LongPathsWin32, FoldersBeyondTwoHundredSixtyCharactersLeaveACompleteReport) {
    const std::string product = folder.makeFolder("product");
    folder.write("product/top.ini", "top=1\r\n");
    const FolderChain chain(product, std::string(60, 'n'), 6);
    chain.writeFile("deep.ini", "deep=1\r\n");
    ASSERT_GT(chain.deepest().size(), 260u);

    runReport({product});

    ASSERT_TRUE(reportIsComplete()) << messagesShown();
    const std::string text = reportText();
    const std::vector<std::string> folders = listedFolders(text);
    EXPECT_GE(folders.size(), 1u);
    EXPECT_LE(folders.size(), 7u);
    EXPECT_TRUE(contains(text, "top=1<BR>"));
}

}  // namespace
