// A product tree of customer size, in an executable of its own: under Wine creating and
// removing its 20,000 files takes a minute or more.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/batch_run.h"
#include "tests/app/app_fixture.h"
#include "tests/support/hidden_file.h"
#include "toolkit/list_file_helpers.h"
#include "toolkit/os/file_system.h"

namespace {

using LargeTreeTest = MainWindowTest;

TEST_F(LargeTreeTest, TwoThousandFoldersWithTwentyThousandFilesAreReported) {
    // Per folder: six files to embed, two program rows, one file only listed, one hidden file.
    const char* const kNames[] = {"a.ini", "b.log", "c.exe", "D2005-01-01.DAT", "e.bin",
                                  "f.txt", "g.LOG", "h.dat", "CHANGE",          ".hidden.ini"};
    std::vector<std::string> folders = {"big"};
    for (int i = 0; i < 40; ++i)
        folders.push_back("big/" + std::to_string(i));
    for (int i = 0; folders.size() < 2000; ++i)
        folders.push_back("big/" + std::to_string(i % 40) + "/" + std::to_string(i));
    // Written through the platform's own calls: the general test helper checks every folder
    // on the way for each file, which costs minutes under Wine.
    const std::string content = "line one\r\nline two\r\n";
    for (const std::string& relative : folders) {
        const std::string path = folder.file(relative);
        ASSERT_TRUE(osfs::createFolder(path)) << path;
        for (const char* name : kNames) {
            osfs::File file;
            ASSERT_TRUE(file.open(CombinePath(path, name), osfs::OpenMode::Write) &&
                        file.write(content.data(), content.size()) && file.close());
        }
        hideFile(CombinePath(path, ".hidden.ini"));
    }

    setProductFoldersForTesting(std::vector<std::string>{folder.file("big")});
    start();
    clickButton(cmdGather());
    ASSERT_TRUE(isCompleteReport(folder.file("morvasoftware_bug_report.htm")));
    const std::string text = folder.read("morvasoftware_bug_report.htm");
    EXPECT_EQ(occurrences(text, "<HR>\r\n<a name=files"), 2000);
    EXPECT_EQ(occurrences(text, "</td></tr>\r\n"), 2000 * 9);
    EXPECT_EQ(occurrences(text, "<TR><TD><B> c.exe</td>"), 2000);
    EXPECT_EQ(occurrences(text, "</H3>\r\n<TABLE width=100%"), 2000 * 6);
    EXPECT_TRUE(boxesSeen().empty());
}

}  // namespace
