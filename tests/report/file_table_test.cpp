#include "report/file_table.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <tuple>

#include "report/file_classes.h"
#include "tests/report/support/report_fixture.h"
#include "tests/support/hidden_file.h"
#include "toolkit/list_file_helpers.h"
#include "toolkit/os/file_system.h"
#include "toolkit/os/os_traits.h"
#include "toolkit/ui/headless/headless_window.h"

namespace {

// A listing that fails, as one on a drive that cannot be read does.
class FailingListBox : public HeadlessListBox {
public:
    void AddItem(const std::string&) override { throw std::runtime_error("Device unavailable"); }
};

class FileTableWindow : public HeadlessWindow {
public:
    ListBox& addListBox(const std::string& name, const TwipsRect&) override {
        remember(name, failing);
        return failing;
    }
    FailingListBox failing;
};

class FileTableTest : public ReportTest {};

TEST_F(FileTableTest, RowsFollowTheListingHiddenFilesGetNoRowAndTheLastDayIsTheTwelfth) {
    HeadlessWindow window;
    ListBox& lstFiles = window.addListBox("lstFiles", {});
    lstFiles.AddItem(folder.file("earlier/b.txt"));  // the folder before's, of the same name
    const DateTime noon{2005, 5, 22, 12, 0, 0};
    for (const char* name : {"b.txt", "a.ini", "c.log", ".hidden"})
        setLastWrite(folder.write(std::string("product/") + name, "x"), noon);
    hideFile(folder.file("product/.hidden"));
    setLastWrite(folder.write("product/last.txt", "x"), {2099, 12, 12, 12, 0, 0});
    setLastWrite(folder.write("product/beyond.txt", "x"), {2099, 12, 13, 12, 0, 0});

    osfs::HeldFolder held(folder.file("product"));
    WriteFileTable(folder.file("product"), window, held);

    std::string rows, names;
    for (int i = 0; i < lstFiles.ListCount(); ++i) {
        const std::string name = GetFileNameFromPath(lstFiles.List(i));
        names += name + " ";
        if (name != ".hidden") {
            rows += "<TR><TD>" + name + "</td><td>1</td><td>" +
                    (name == "last.txt" ? "2099/12/12" : "2005/05/22") +
                    " 12:00:00</td><td></td></tr>\r\n";
        }
    }
    EXPECT_EQ(lstFiles.ListCount(), 5) << names;
    EXPECT_EQ(names.find("beyond"), std::string::npos);
    EXPECT_NE(names.find(".hidden"), std::string::npos);
    EXPECT_EQ(
        folder.read("_tmpFiles.txt"),
        "<TABLE border=2 valign=top align=center bgcolor=#CCFFFF>\r\n" + rows + "</TABLE>\r\n");
}

TEST_F(FileTableTest, ListingFailureGoesToTheCallerBeforeTheTableIsTouched) {
    FileTableWindow window;
    window.addListBox("lstFiles", {});
    folder.write("product/a.ini", "x");
    folder.write("_tmpFiles.txt", "earlier table\r\n");
    osfs::HeldFolder held(folder.file("product"));
    EXPECT_THROW(WriteFileTable(folder.file("product"), window, held), std::runtime_error);
    EXPECT_EQ(folder.read("_tmpFiles.txt"), "earlier table\r\n");
}

TEST(FileClassTest, LastThreeCharactersAndExactNamesDecideAndProgramsEndInExe) {
    const std::string folder = std::string("x") + os::kPathSeparator;
    const std::tuple<std::string, int, FileClass> cases[] = {
        {folder + "setup.ini", 2005, FileClass::Config},
        {folder + "Readme.TXT", 2005, FileClass::Config},
        {folder + "a.lis", 2005, FileClass::Config},
        {folder + "a.pro", 2005, FileClass::Config},
        {folder + "a.pth", 2005, FileClass::Config},
        {folder + "x.ok", 2005, FileClass::Config},
        {folder + "x.add", 2005, FileClass::Config},
        {folder + "CHANGE", 2005, FileClass::Config},
        {folder + "_TMPApps.txt", 2005, FileClass::Config},
        {folder + "_tmpApps.txt", 2005, FileClass::Other},
        {"_tmpApps.txt", 2005, FileClass::Config},  // no folder, so no name to test
        {folder + "catalog", 2005, FileClass::Log},
        {folder + "_tmpx.LOG", 2005, FileClass::Log},
        {folder + "D2005-05-22.DAT", 2005, FileClass::Data},
        {folder + "D2005-05-22.DAT", 2006, FileClass::Other},
        {folder + "d2005x.dat", 2005, FileClass::Other},
        {folder + "D200.dat", 2005, FileClass::Other},
        {"D2005.dat", 2005, FileClass::Other},
        {folder + "readme.txt.bak", 2005, FileClass::Other},
        {folder + "ok", 2005, FileClass::Other},
        {"ok", 2005, FileClass::Other},
        {".ok", 2005, FileClass::Config},
    };
    for (const auto& [path, year, expected] : cases)
        EXPECT_EQ(classifyFile(path, year), expected) << path << " " << year;
    // Program files end in "exe" in any case.
    for (const char* name : {"Setup.Exe", "SETUP.EXE", "notexe"})
        EXPECT_TRUE(isProgramFile(name)) << name;
    for (const char* name : {"readme.exe.txt", "ex"})
        EXPECT_FALSE(isProgramFile(name)) << name;
}

}  // namespace
