// Symbolic links that turn a tree into a graph: the walk must end and list every folder once.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "tests/faults/fault_fixture.h"

namespace {

class Links : public FaultTest {};

TEST_F(Links, LinksToParentSelfAndSiblingsAreListedButNotEntered) {
    const std::string product = folder.makeFolder("product");
    folder.write("product/a/settings.ini", "a=1\r\n");
    folder.write("product/x/x.ini", "x=1\r\n");
    folder.write("product/y/y.ini", "y=1\r\n");
    ASSERT_EQ(symlink("..", folder.file("product/a/up").c_str()), 0);
    ASSERT_EQ(symlink(".", folder.file("product/a/self").c_str()), 0);
    ASSERT_EQ(symlink("../y", folder.file("product/x/toY").c_str()), 0);
    ASSERT_EQ(symlink("../x", folder.file("product/y/toX").c_str()), 0);
    ASSERT_EQ(symlink("/nonexistent/folder", folder.file("product/a/dangling").c_str()), 0);
    ASSERT_EQ(symlink("settings.ini", folder.file("product/a/linked.ini").c_str()), 0);

    runReport({product});

    ASSERT_TRUE(reportIsComplete()) << messagesShown();
    const std::string text = reportText();
    // product, a, a/up, a/self, x, y, and one of x and y once more through its sibling's link.
    const std::vector<std::string> folders = listedFolders(text);
    EXPECT_EQ(folders.size(), 8u);
    for (const std::string& listed : folders) {
        EXPECT_FALSE(contains(listed, "/up/") || contains(listed, "/self/")) << listed;
    }
    EXPECT_TRUE(contains(text, "<H3>" + folder.file("product/a/linked.ini") + "</H3>"));
    EXPECT_TRUE(contains(text, "x=1<BR>"));
    EXPECT_TRUE(contains(text, "y=1<BR>"));
}

}  // namespace
