// One folder with 100,000 files. Linux only: under Wine, creating and listing that many
// names in one folder takes many minutes, since Wine searches a folder's names one by one;
// that would measure Wine, not the tool.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/faults/fault_fixture.h"

namespace {

class HugeFolder : public FaultTest {};

TEST_F(HugeFolder, HundredThousandFilesInOneFolderAreListedAndTheTableIsCapped) {
    constexpr int kFiles = 100000;
    const std::string product = folder.makeFolder("product");
    for (int i = 0; i < kFiles; ++i) {
        std::ofstream(std::filesystem::u8path(product + "/f" + std::to_string(i) + ".bin"));
    }
    folder.write("product/settings.ini", "key=value\r\n");

    runReport({product});

    ASSERT_TRUE(reportIsComplete()) << messagesShown();
    const std::string text = reportText();
    // The file table goes into the report through the 400-line cap: the opening line and
    // 399 rows, then the warning.
    EXPECT_EQ(occurrences(text, "</td></tr>\r\n"), 399);
    EXPECT_TRUE(contains(text, "</td></tr>\r\nWARNING - FILE NOT FULLY LOADED (maxLines = 400"));
    EXPECT_TRUE(contains(text, "key=value<BR>"));
    // The inventory file beside the tool still holds every row.
    EXPECT_EQ(occurrences(folder.read("_tmpFiles.txt"), "</td></tr>\r\n"), kFiles + 1);
}

}  // namespace
