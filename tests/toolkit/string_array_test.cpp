#include "toolkit/string_array.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "tests/support/control_texts.h"
#include "tests/toolkit/program_folder_fixture.h"
#include "toolkit/program_state.h"

namespace {

using Items = std::vector<std::string>;

// The message of the subscript error that `use` raises, as the platform's own error says it.
template <typename Use>
std::string subscriptError(Use use) {
    try {
        use();
    } catch (const std::out_of_range& error) {
        return error.what();
    }
    return "no error";
}

TEST(StringArrayTest, ParsingAppendsTheFieldsAfterTheFirst) {
    std::string hundredFields = "head";
    for (int i = 1; i <= 120; ++i)
        hundredFields += "," + std::to_string(i);
    Items first99{"kept"};
    for (int i = 1; i <= 99; ++i)
        first99.push_back(std::to_string(i));
    Items withBlanks(100);  // with blanks included, all 99 fields are appended, empty ones too
    withBlanks[0] = "kept", withBlanks[1] = "b", withBlanks[3] = "c";
    // The items after an item "kept" added before.
    const std::tuple<std::string, std::string, bool, Items> cases[] = {
        {"a, b,,c", ",", false, {"kept", "b", "c"}},
        {"only", ",", false, {"kept"}},
        {"a,,b", ",", false, {"kept", "b"}},
        {"a,   ,b", ",", false, {"kept", "", "b"}},      // blank but not empty: kept, then trimmed
        {"a::b::c", "::", false, {"kept", ":b", ":c"}},  // a long delimiter cuts one character
        {"aXbxc", "x", false, {"kept", "c"}},            // the delimiter is matched with its case
        {"a,b", "", false, {"kept"}},
        {hundredFields, ",", false, first99},  // fields beyond the 99th are dropped
        {"a, b,,c", ",", true, withBlanks},
    };
    for (const auto& [text, delim, includeBlanks, items] : cases) {
        clsArray arr;
        arr.Add("kept");
        arr.CreateByParsingText(text, delim, includeBlanks);
        EXPECT_EQ(itemsOf(arr), items) << text << " / " << delim;
    }
}

using StringArrayFileTest = ProgramFolderTest;

TEST_F(StringArrayFileTest, StorageGrowsByOneSlotPerItem) {
    clsArray arr;
    arr.init(99);
    for (const int slot : {3, 99})
        arr.setItem(slot, "set before adding");
    arr.Add("x");
    arr.Add("y", 5);
    EXPECT_EQ(itemsOf(arr), (Items{"x", "y"}));
    for (const int slot : {3, 99})  // the first Add shrank the storage to three slots
        EXPECT_EQ(arr.Item(slot), "") << slot;
    EXPECT_EQ(subscriptError([&] { arr.setItem(3, "z"); }), "Subscript out of range");
    clsArray none;  // an array made for no items still has room for one
    none.init(0);
    none.setItem(1, "one");
    none.setItem(0, "zero");  // the slot before the first item is there too
    EXPECT_EQ(none.Item(1) + none.Item(0), "onezero");
    clsArray belowZero;  // a count set below zero gives the platform's subscript error
    belowZero.setCount(-1);
    EXPECT_EQ(subscriptError([&] { belowZero.Add("w"); }), "Subscript out of range");
    EXPECT_EQ(shownTexts(), Items{"ndx isnt setup to add at specific point yet"});

    EXPECT_EQ(arr.GetIndexByText("X"), 1);
    EXPECT_EQ(arr.GetIndexByText("Y"), 2);  // without regard to case unless asked
    EXPECT_EQ(arr.GetIndexByText("Y", 0, true), 0);
    arr.Add("\xC3\xA9t\xC3\xA9");                           // "été"
    EXPECT_EQ(arr.GetIndexByText("\xC3\x89T\xC3\x89"), 3);  // "ÉTÉ": accented letters too
    arr.Add("caf\xE9");  // a byte that is not UTF-8, as Linux names may hold, is kept
    EXPECT_EQ(arr.GetIndexByText("CAF\xE9"), 4);
}

TEST_F(StringArrayFileTest, LoadFromDiskAppendsOneEmptyItemAfterTheLastLine) {
    const std::string file = folder.write("two.txt", "one\r\ntwo\r\n");
    clsArray arr;
    EXPECT_EQ(arr.LoadFromDisk(file, true), 3);
    EXPECT_EQ(gFileNumbers().FreeFile(), 1) << "the file's number is given back";
    EXPECT_EQ(itemsOf(arr), (Items{"one", "two", ""}));
    EXPECT_EQ(headless().shown.at(0).text, "Read in 3 lines \r\n from file " + file);
    arr.SaveToDisk(folder.file("saved.txt"));
    EXPECT_EQ(folder.read("saved.txt"), "one\r\ntwo\r\n\r\n");

    // Regression: only running out of memory was caught; any failure must end the load with
    // its message and 0.
    for (const bool outOfMemory : {false, true}) {
        headless().onMessageBox = [outOfMemory](const MessageBoxRequest& box) {
            if (box.text.rfind("Read in", 0) != 0)
                return;
            if (outOfMemory)
                throw std::bad_alloc();
            throw std::runtime_error("Device I/O error");
        };
        clsArray failing;
        EXPECT_EQ(failing.LoadFromDisk(file, true), 0);
        EXPECT_EQ(headless().shown.back().text,
                  "Error loading file from disk to Array\r\n" +
                      std::string(outOfMemory ? "Out of memory" : "Device I/O error"));
    }
}

}  // namespace
