#include "toolkit/string_array.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "tests/toolkit/program_folder_fixture.h"
#include "toolkit/ui/headless/headless_ui.h"

namespace {

std::vector<std::string> itemsOf(const clsArray& arr) {
    std::vector<std::string> items;
    for (int i = 1; i <= arr.Count(); ++i)
        items.push_back(arr.Item(i));
    return items;
}

TEST(StringArrayTest, ParsingAppendsTheFieldsAfterTheFirst) {
    std::string hundredFields = "head";
    for (int i = 1; i <= 120; ++i)
        hundredFields += "," + std::to_string(i);
    std::vector<std::string> first99;
    for (int i = 1; i <= 99; ++i)
        first99.push_back(std::to_string(i));
    const struct {
        std::string text, delim;
        bool includeBlanks;
        std::vector<std::string> appended;
    } cases[] = {
        {"a,b,c", ",", false, {"b", "c"}},
        {"a, b,,c", ",", false, {"b", "c"}},
        {"only", ",", false, {}},
        {"a,   ,b", ",", false, {"", "b"}},      // blank but not empty: kept, then trimmed
        {"a::b::c", "::", false, {":b", ":c"}},  // a long delimiter is cut one character wide
        {"aXbxc", "x", false, {"c"}},            // the delimiter is matched with its case
        {"a,b", "", false, {}},
        {hundredFields, ",", false, first99},  // fields beyond the 99th are dropped
    };
    for (const auto& c : cases) {
        clsArray arr;
        arr.CreateByParsingText(c.text, c.delim, c.includeBlanks);
        EXPECT_EQ(itemsOf(arr), c.appended) << c.text << " / " << c.delim;
    }
    // With blanks included, all 99 fields are appended, empty ones too.
    clsArray arr;
    arr.Add("kept");
    arr.CreateByParsingText("a, b,,c", ",", true);
    std::vector<std::string> expected(100);
    expected[0] = "kept", expected[1] = "b", expected[3] = "c";
    EXPECT_EQ(itemsOf(arr), expected);
}

TEST(StringArrayTest, StorageGrowsByOneSlotPerItem) {
    HeadlessUi& headless = installHeadlessUi();
    clsArray arr;
    arr.init(99);
    arr.setItem(99, "set before adding");
    arr.Add("x");
    arr.Add("y", 5);
    EXPECT_EQ(itemsOf(arr), (std::vector<std::string>{"x", "y"}));
    EXPECT_EQ(arr.Item(99), "");  // the first Add shrank the storage
    EXPECT_THROW(arr.setItem(3, "z"), std::out_of_range);
    clsArray belowZero;  // a count set below zero gives the platform's subscript error
    belowZero.setCount(-1);
    try {
        belowZero.Add("w");
        ADD_FAILURE() << "no error";
    } catch (const std::out_of_range& error) {
        EXPECT_STREQ(error.what(), "Subscript out of range");
    }
    ASSERT_EQ(headless.shown.size(), 1u);
    EXPECT_EQ(headless.shown[0].text, "ndx isnt setup to add at specific point yet");

    EXPECT_EQ(arr.GetIndexByText("Y"), 2);  // without regard to case unless asked
    EXPECT_EQ(arr.GetIndexByText("Y", 0, true), 0);
    arr.Add("\xC3\xA9t\xC3\xA9");                           // "été"
    EXPECT_EQ(arr.GetIndexByText("\xC3\x89T\xC3\x89"), 3);  // "ÉTÉ": accented letters too
}

using StringArrayFileTest = ProgramFolderTest;

TEST_F(StringArrayFileTest, LoadFromDiskAppendsOneEmptyItemAfterTheLastLine) {
    const std::string file = folder.write("two.txt", "one\r\ntwo\r\n");
    clsArray arr;
    EXPECT_EQ(arr.LoadFromDisk(file, true), 3);
    EXPECT_EQ(itemsOf(arr), (std::vector<std::string>{"one", "two", ""}));
    EXPECT_EQ(headless().shown.at(0).text, "Read in 3 lines \r\n from file " + file);
    arr.SaveToDisk(folder.file("saved.txt"));
    EXPECT_EQ(folder.read("saved.txt"), "one\r\ntwo\r\n\r\n");

    clsArray missing;
    EXPECT_EQ(missing.LoadFromDisk(folder.file("none.txt"), true), 0);
    EXPECT_EQ(missing.Count(), 0);
    EXPECT_EQ(headless().shown.at(1).text,
              "Read in  lines \r\n from file " + folder.file("none.txt"));

    // Regression: only running out of memory was caught; any failure must end the load with
    // its message and 0.
    headless().onMessageBox = [](const MessageBoxRequest& box) {
        if (box.text.rfind("Read in", 0) == 0)
            throw std::runtime_error("Device I/O error");
    };
    clsArray failing;
    EXPECT_EQ(failing.LoadFromDisk(file, true), 0);
    EXPECT_EQ(headless().shown.back().text,
              "Error loading file from disk to Array\r\nDevice I/O error");
}

}  // namespace
