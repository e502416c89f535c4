#include "toolkit/list_file_helpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "tests/support/control_texts.h"
#include "tests/toolkit/program_folder_fixture.h"
#include "toolkit/list_view_helper.h"
#include "toolkit/os/file_handle.h"
#include "toolkit/os/file_system.h"
#include "toolkit/os/os_traits.h"
#include "toolkit/readable_volume.h"
#include "toolkit/string_array.h"
#include "toolkit/ui/headless/headless_controls.h"

namespace {

constexpr int kDay = 24 * 60 * 60;

using Lines = std::vector<std::string>;

// The files ListFiles finds, sorted: the platforms list a folder in different orders.
Lines listed(const std::string& folder, const DateTime& from, const DateTime& to,
             const char* pattern = "*.*") {
    HeadlessListBox list;
    ListFiles(folder, from, to, pattern, list);
    Lines lines = linesOf(list);
    std::sort(lines.begin(), lines.end());
    return lines;
}

TEST(ListFileHelpersTest, PathsSplitAtThePlatformSeparatorOnly) {
    const auto native = [](std::string path) {
        std::replace(path.begin(), path.end(), '/', os::kPathSeparator);
        return path;
    };
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"C:/A/b.txt", "b.txt", "C:/A/"},
        {"b.txt", "", ""},
        {"C:/A/", "", "C:/A/"},
        {"/", "", "/"},
        {"", "", ""},
    };
    for (const auto& [path, fileName, folder] : cases) {
        EXPECT_EQ(GetFileNameFromPath(native(path)), native(fileName)) << path;
        EXPECT_EQ(GetPathFromFileName(native(path)), native(folder)) << path;
    }
    // The other platform's separator is an ordinary character.
    const std::string foreign = os::kPathSeparator == '/' ? "C:\\A\\b.txt" : "opt/a/b.txt";
    EXPECT_EQ(GetFileNameFromPath(foreign), "");
    EXPECT_EQ(GetPathFromFileName(foreign), "");
    EXPECT_EQ(CombinePath(native("C:/A"), "b.txt"), native("C:/A/b.txt"));
    EXPECT_EQ(CombinePath(native("C:/A/"), "b.txt"), native("C:/A/b.txt"));
}

// The number beside each of the file layer's failures, as the user reads it in a save's error.
TEST(ListFileHelpersTest, EachFileFailureHasTheRuntimesErrorNumber) {
    using osfs::detail::Failure;
    const std::pair<Failure, int> numbers[] = {
        {Failure::FileNotFound, 53},     {Failure::PathNotFound, 76},
        {Failure::PermissionDenied, 70}, {Failure::DiskFull, 61},
        {Failure::FileAlreadyOpen, 55},  {Failure::BadFileName, 52},
        {Failure::TooManyFiles, 67},     {Failure::DeviceUnavailable, 68},
        {Failure::DeviceIoError, 57},    {Failure::FileAlreadyExists, 58},
        {Failure::AccessError, 75},
    };
    for (const auto& [failure, number] : numbers)
        EXPECT_EQ(FileErrorNumber(osfs::detail::describe(failure)), number) << number;
    EXPECT_EQ(FileErrorNumber("Out of paper"), 75);
}

using ListFileHelpersFileTest = ProgramFolderTest;

TEST_F(ListFileHelpersFileTest, SaveListboxToFileWritesCrLfLinesOrTellsWhyItCannot) {
    HeadlessListBox list;
    int count = -1;
    SaveListboxToFile(list, "", count);
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(headless().shown.empty());

    for (const char* line : {"one", "", "three"})
        list.AddItem(line);
    folder.write("list.txt", "older and longer content");
    SaveListboxToFile(list, folder.file("list.txt"), count);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(folder.read("list.txt"), "one\r\n\r\nthree\r\n");

    const std::string target = folder.file("missing/list.txt");
    SaveListboxToFile(list, target, count);
    EXPECT_EQ(count, 0);
    ASSERT_EQ(shownTexts(), Lines{"An Error occurred in SaveListboxToFile: 76 = Path not found "
                                  "while saving '" +
                                  target + "'"});
    EXPECT_EQ(headless().shown[0].buttons, MsgButtons::OK);
    const std::string log = logText();
    EXPECT_EQ(log.substr(log.find("ErrorSave")),
              "ErrorSaveListboxToFile:  76 = Path not found\r\n");
    EXPECT_EQ(log.find("filename wasnt specified"), std::string::npos);  // level 3: not written
}

TEST_F(ListFileHelpersFileTest, FileFactsAndListingByPatternAndDay) {
    folder.write("plain.txt", "p");
    folder.write(".hidden", "h");
    folder.write("sub/inner.txt", "i");
    const std::string readOnly = folder.write("locked.log", "twelve bytes");
    setLastWrite(readOnly, {2005, 5, 22, 14, 5, 9});
    std::filesystem::permissions(std::filesystem::u8path(readOnly),
                                 std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    osfs::FileFacts facts;
    ASSERT_TRUE(osfs::lookUp(readOnly, facts) && (facts.attributes & osfs::kAttrReadOnly));
    const DateTime day{2005, 5, 22, 0, 0, 0};
    EXPECT_EQ(GetFileInfoString(readOnly, "</td><td>"),
              "locked.log</td><td>12</td><td>2005/05/22 14:05:09</td><td>");
    EXPECT_THROW(GetFileInfoString(folder.file("none.txt"), ","), std::runtime_error);
    EXPECT_EQ(GetFileInfoString(folder.file("sub"), ",").substr(0, 7), "sub,-1,");  // a folder

    const DateTime from = day.plusSeconds(-kDay), to = day.plusSeconds(kDay);
    for (const char* name : {"plain.txt", ".hidden", "sub/inner.txt"})
        setLastWrite(folder.file(name), {2005, 5, 22, 0, 0, 0});
    EXPECT_EQ(listed(folder.path(), from, to),
              (Lines{folder.file(".hidden"), readOnly, folder.file("plain.txt")}));
    EXPECT_EQ(listed(folder.path() + os::kPathSeparator, from, to, "*.log"), Lines{readOnly});
    // Days compare as year, month and day: a range may begin in another century.
    EXPECT_EQ(listed(folder.path(), DateTime{1999, 12, 31, 0, 0, 0}, to, "*.log"), Lines{readOnly});
    EXPECT_EQ(listed(folder.path(), from, to, "*.LOG"),
              os::kFileNamesIgnoreCase ? Lines{readOnly} : Lines{});
    EXPECT_EQ(listed(folder.file("no such folder"), from, to), Lines{});
    const std::string sep(1, os::kPathSeparator);  // on the root's volume, which is there
    EXPECT_EQ(listed(sep + "no such folder" + sep + "below", from, to), Lines{});

    // Regression: the root of "\\server\share" was taken as "\", the current drive, so a
    // folder on a share that has gone listed nothing instead of failing to the caller.
    if (os::kSharePathsStartWithTwoSeparators) {
        for (const char* gone : {"Q:\\product", "\\\\nosuchserver\\share\\morvasoftware"})
            EXPECT_THROW(listed(gone, from, to), std::runtime_error) << gone;
    }
}

// The volume a listing must find readable before a missing folder may count as empty.
TEST(VolumeRootTest, IsTheDriveTheShareOrTheRoot) {
    const std::tuple<const char*, char, bool, const char*> cases[] = {
        {"C:\\a\\b", '\\', true, "C:\\"},
        {"\\a", '\\', true, "\\"},
        {"\\\\server\\share\\a\\b", '\\', true, "\\\\server\\share\\"},
        {"\\\\server\\share", '\\', true, "\\\\server\\share\\"},
        {"\\\\server", '\\', true, "\\\\server\\"},
        {"a\\b", '\\', true, ""},
        {"/a/b", '/', false, "/"},
        {"//a/b", '/', false, "/"},
        {"a/b", '/', false, ""},
    };
    for (const auto& [path, separator, sharePaths, root] : cases)
        EXPECT_EQ(volumeRootOf(path, separator, sharePaths), root) << path;
}

class ListViewHelperTest : public ProgramFolderTest {
protected:
    HeadlessListView view;
    clsListView helper;
};

TEST_F(ListViewHelperTest, EachLoadReplacesTheItemsAndSaveListWritesTheirTexts) {
    helper.init(view);
    helper.AddRecord("a.exe", "1,024");
    helper.AddRecord("b.txt");
    helper.SaveList("");
    EXPECT_EQ(folder.read("tmp.txt"), "a.exe\r\nb.txt\r\n");

    folder.write("gaps.txt", "one\r\n\r\ntwo\r\n\r\n");
    helper.LoadList(folder.file("gaps.txt"));
    EXPECT_EQ(itemTextsOf(view), (Lines{"one", "two"}));
    helper.LoadList("");
    EXPECT_EQ(itemTextsOf(view), (Lines{"a.exe", "b.txt"}));
    try {
        helper.LoadList(folder.file("missing.txt"));
        ADD_FAILURE() << "a missing list loads";
    } catch (const std::runtime_error& failure) {
        EXPECT_STREQ(failure.what(), "File not found");
    }
    EXPECT_EQ(itemTextsOf(view), Lines{});
    helper.LoadList("");
    EXPECT_EQ(view.ListItems().Item(1).ListSubItems().Count(), 0);

    clsArray arr;
    arr.Add("x");
    arr.Add("y");
    helper.LoadArray(arr);
    EXPECT_EQ(itemTextsOf(view), (Lines{"x", "y"}));
    helper.LoadAsDatabase(",", folder.file("gaps.txt"));
    EXPECT_EQ(itemTextsOf(view), (Lines{"one", "two"}));

    // As a file list each item gets its size and date; a file gone ends the load.
    clsArray files;
    files.Add(folder.write("big.bin", std::string(1234, 'x')));
    setLastWrite(files.Item(1), {2005, 5, 22, 14, 5, 9});
    EXPECT_EQ(helper.LoadArrayAsFileList(files), 0);
    ASSERT_EQ(view.ListItems().Item(1).ListSubItems().Count(), 2);
    EXPECT_EQ(view.ListItems().Item(1).ListSubItems().Text(1), "1,234");
    EXPECT_EQ(view.ListItems().Item(1).ListSubItems().Text(2), "2005-05-22 14:05:09");
    files.Add(folder.file("gone.txt"));
    EXPECT_THROW(helper.LoadArrayAsFileList(files), std::runtime_error);
    EXPECT_EQ(view.ListItems().Count(), 2);
}

TEST_F(ListViewHelperTest, SaveAsDatabaseWritesTheColumnsOfTheKindAndEveryItem) {
    helper.AddRecord("x");  // not yet bound to its list view
    EXPECT_EQ(shownTexts(),
              Lines{"Error occurred adding a record to the listview - is it "
                    "initialised?\r\nObject variable or With block variable not set"});
    EXPECT_THROW(helper.SetColumns(1), std::runtime_error);
    helper.init(view, folder.file("db.txt"));
    helper.SetColumns(3);
    helper.AddRecord("a.exe", "1,024", "2005-05-22 14:05:09", "beyond the columns");
    view.ListItems().Add("short").ListSubItems().Add("7");
    helper.SaveAsDatabase(",");
    EXPECT_EQ(folder.read("db.txt"),
              "Report on Morva Davuziruz Vellum program versions, created 22-May-2005 14:05:09\r\n"
              "FileName,FileSize,FileDateTime,\r\n"
              "a.exe,1,024,2005-05-22 14:05:09,\r\n"
              "short,7,\r\n");
    const std::pair<int, Lines> kinds[] = {{1, {"FileName"}}, {2, {"Path"}}, {0, {}}, {4, {}}};
    for (const auto& [kind, headers] : kinds) {
        helper.SetColumns(kind);
        Lines texts;
        for (int i = 1; i <= view.ColumnHeaders().Count(); ++i)
            texts.push_back(view.ColumnHeaders().Text(i));
        EXPECT_EQ(texts, headers) << kind;
    }
}

}  // namespace
