#include "toolkit/directory_path.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <exception>
#include <string>
#include <vector>

#include "tests/support/control_texts.h"
#include "tests/support/hidden_file.h"
#include "tests/toolkit/program_folder_fixture.h"
#include "toolkit/os/os_traits.h"
#include "toolkit/string_array.h"

namespace {

std::vector<std::string> sortedItemsOf(const clsArray& arr) {
    std::vector<std::string> items = itemsOf(arr);
    std::sort(items.begin(), items.end());
    return items;
}

class DirectoryPathTest : public ProgramFolderTest {
protected:
    clsPath path;
};

TEST_F(DirectoryPathTest, InitCleansTheNameAndCreatesEveryMissingLevel) {
    const std::string sep(1, os::kPathSeparator);
    std::string name = "  " + folder.path() + sep + "  ";
    path.initFull(name);
    EXPECT_EQ(name, folder.path());
    EXPECT_EQ(path.getFullName(true), folder.path() + sep);
    EXPECT_EQ(path.ExtractParent(folder.file("x/y")), folder.file("x") + sep);
    EXPECT_EQ(path.ExtractParent("file.txt"), "");

    path.init(folder.path(), "data", false);
    EXPECT_FALSE(path.Exists());
    path.init(folder.file("data/logs"), "2005", true);
    EXPECT_TRUE(path.Exists());
    EXPECT_EQ(path.getFullName(), folder.file("data/logs/2005"));
    EXPECT_TRUE(headless().shown.empty());
}

TEST_F(DirectoryPathTest, FailuresAreReported) {
    EXPECT_EQ(path.getFullName(true), "");
    EXPECT_FALSE(path.Exists());
    folder.write("taken", "a file where a folder should go");
    path.init(folder.file("taken"), "sub", true);
    std::string full = folder.file("taken/sub");
    path.initFull(full, true);
    // A drive that is not there: its volume cannot be read, and the step ends with the reason.
    path.init("Q:", "sub", true);
    std::string onNoDrive = std::string("Q:") + os::kPathSeparator + "sub";
    path.initFull(onNoDrive, true);

    const std::string unnamed =
        "The path hasnt been initialised yet (you havent told me the name!)";
    const std::string taken = " : Error creating the full directory\r\nErr = File already exists";
    const std::string noDrive = "\r\n\r\nErr = Path not found";
    EXPECT_EQ(shownTexts(), (std::vector<std::string>{
                                unnamed, unnamed, "CreateFullDirectory" + taken, "initFull" + taken,
                                "Cant initialise the path sub\r\nunder the parent Q:" + noDrive,
                                "Cant initialise the FULL path \r\n" + onNoDrive + noDrive}));
}

TEST_F(DirectoryPathTest, ListsFilesAndSubfolders) {
    folder.makeFolder("a");
    folder.makeFolder("b");
    folder.write("c.txt", "c");
    folder.write("d.log", "d");
    hideFile(folder.makeFolder(".e"));  // hidden entries are in neither list
    hideFile(folder.write(".f.txt", "f"));
    std::string name = folder.path();
    path.initFull(name);
    clsArray arr;
    EXPECT_EQ(path.GetListOfSubDirectories(arr), 4);
    EXPECT_EQ(sortedItemsOf(arr), (std::vector<std::string>{"", "", "a", "b"}));
    EXPECT_EQ(path.GetListOFiles(arr, "*.txt"), 1);
    EXPECT_EQ(sortedItemsOf(arr), (std::vector<std::string>{folder.file("c.txt")}));
    EXPECT_EQ(path.GetListOFiles(arr), 2);
    EXPECT_EQ(path.GetListOFiles(arr, "*.exe"), 0);
    EXPECT_EQ(arr.Count(), 0);
    EXPECT_FALSE(path.deleteAllFiles("*.*"));
    EXPECT_EQ(path.GetListOFiles(arr), 2);
    try {
        setLastWrite(folder.path(), {2005, 5, 22, 14, 5, 9});
    } catch (const std::exception&) {
        return;  // Wine cannot set a folder's time through the C++ library; Linux checks it
    }
    EXPECT_EQ(path.DateCreated(), (DateTime{2005, 5, 22, 14, 5, 9}));
}

}  // namespace
