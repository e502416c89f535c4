#include "toolkit/list_view_helper.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "tests/support/control_texts.h"
#include "tests/toolkit/program_folder_fixture.h"
#include "toolkit/string_array.h"
#include "toolkit/ui/headless/headless_controls.h"

namespace {

class ListViewHelperTest : public ProgramFolderTest {
protected:
    std::vector<std::string> itemTexts() { return itemTextsOf(view); }
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
    EXPECT_EQ(itemTexts(), (std::vector<std::string>{"one", "two"}));
    helper.LoadList("");
    EXPECT_EQ(itemTexts(), (std::vector<std::string>{"a.exe", "b.txt"}));
    EXPECT_EQ(view.ListItems().Item(1).ListSubItems().Count(), 0);

    clsArray arr;
    arr.Add("x");
    arr.Add("y");
    helper.LoadArray(arr);
    EXPECT_EQ(itemTexts(), (std::vector<std::string>{"x", "y"}));
    helper.LoadAsDatabase(",", folder.file("gaps.txt"));
    EXPECT_EQ(itemTexts(), (std::vector<std::string>{"one", "two"}));

    // As a file list each item gets its size and date; a file gone ends the load.
    clsArray files;
    files.Add(folder.write("big.bin", std::string(1234, 'x')));
    EXPECT_EQ(helper.LoadArrayAsFileList(files), 0);
    ASSERT_EQ(view.ListItems().Item(1).ListSubItems().Count(), 2);
    EXPECT_EQ(view.ListItems().Item(1).ListSubItems().Text(1), "1,234");
    files.Add(folder.file("gone.txt"));
    EXPECT_THROW(helper.LoadArrayAsFileList(files), std::runtime_error);
    EXPECT_EQ(view.ListItems().Count(), 2);
}

TEST_F(ListViewHelperTest, SaveAsDatabaseWritesTheColumnsOfTheKindAndEveryItem) {
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
    const std::pair<int, std::vector<std::string>> kinds[] = {
        {1, {"FileName"}}, {2, {"Path"}}, {0, {}}, {4, {}}};
    for (const auto& [kind, headers] : kinds) {
        helper.SetColumns(kind);
        std::vector<std::string> texts;
        for (int i = 1; i <= view.ColumnHeaders().Count(); ++i)
            texts.push_back(view.ColumnHeaders().Text(i));
        EXPECT_EQ(texts, headers) << kind;
    }
}

TEST_F(ListViewHelperTest, AnUnboundHelperFails) {
    helper.AddRecord("x");
    EXPECT_EQ(shownTexts(), std::vector<std::string>{
                                "Error occurred adding a record to the listview - is it "
                                "initialised?\r\nObject variable or With block variable not set"});
    EXPECT_THROW(helper.SetColumns(1), std::runtime_error);
}

}  // namespace
