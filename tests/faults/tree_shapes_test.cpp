// Trees whose shape strains the walk and the inventory: great depth, one huge folder, a
// folder that goes away between the start-up and the report.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/faults/fault_fixture.h"
#include "tests/faults/folder_chain.h"

namespace {

class TreeShapes : public FaultTest {};

TEST_F(TreeShapes, TwoHundredLevelsDeepAreAllListedAndTheDeepestFileEmbedded) {
    const std::string product = folder.makeFolder("product");
    const FolderChain chain(product, "d", 200);
    chain.writeFile("deep.ini", "depth=200\r\n");

    runReport({product});

    ASSERT_TRUE(reportIsComplete()) << messagesShown();
    const std::string text = reportText();
    EXPECT_EQ(listedFolders(text).size(), 201u);
    EXPECT_TRUE(contains(text, "<H3>" + chain.deepest() + "\\deep.ini</H3>") ||
                contains(text, "<H3>" + chain.deepest() + "/deep.ini</H3>"));
    EXPECT_TRUE(contains(text, "depth=200<BR>"));
}

TEST_F(TreeShapes, FolderRemovedAfterTheStartUpStillGivesACompleteReport) {
    const std::string product = folder.makeFolder("product");
    folder.write("product/keep/a.ini", "kept\r\n");
    const std::string gone = folder.makeFolder("product/gone");
    folder.write("product/gone/b.ini", "lost\r\n");
    setProductFoldersForTesting(std::vector<std::string>{product});
    frmReportConfiguration form;
    form.Form_Load();

    std::filesystem::remove_all(std::filesystem::u8path(gone));
    form.cmdGather_Click();

    ASSERT_TRUE(reportIsComplete()) << messagesShown();
    const std::string text = reportText();
    EXPECT_TRUE(contains(text, "><H1>" + gone + "</H1>"));
    EXPECT_TRUE(contains(text, "kept<BR>"));
    EXPECT_FALSE(contains(text, "lost<BR>"));
}

}  // namespace
