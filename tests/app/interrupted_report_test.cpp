#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "app/batch_run.h"
#include "report/report_document.h"
#include "tests/report/support/report_fixture.h"
#include "toolkit/os/file_system.h"
#include "toolkit/ui/headless/headless_controls.h"
#include "toolkit/ui/headless/headless_window.h"

namespace {

// A file list that deletes one file when the report reads its line the second time: after the
// file's row of the file table, before its text is embedded.
class VanishingListBox : public HeadlessListBox {
public:
    explicit VanishingListBox(std::string victim) : victim_(std::move(victim)) {}
    std::string List(int index) const override {
        std::string line = HeadlessListBox::List(index);
        if (line == victim_ && ++reads_ == 2)
            osfs::removeFile(victim_);
        return line;
    }

private:
    std::string victim_;
    mutable int reads_ = 0;
};

// A window whose file list is that one.
class WindowWithVanishingFile : public HeadlessWindow {
public:
    explicit WindowWithVanishingFile(std::string victim) : fileList_(std::move(victim)) {}
    ListBox& addListBox(const std::string& name, const TwipsRect& bounds) override {
        if (name != "lstFiles")
            return HeadlessWindow::addListBox(name, bounds);
        remember(name, fileList_);
        return fileList_;
    }

private:
    VanishingListBox fileList_;
};

using InterruptedReportTest = ReportTest;

TEST_F(InterruptedReportTest, FileDeletedDuringTheRunKeepsItsRowAndLosesItsText) {
    const std::string victim = folder.write("product/gone.ini", "soon gone\r\n");
    folder.write("product/stays.ini", "still here\r\n");
    WindowWithVanishingFile window(victim);
    window.addListView("lvFolders", {}).ListItems().Add(folder.file("product")).setChecked(true);
    window.addListBox("lstDrives", {});
    window.addListBox("lstFiles", {});
    gReportPath = folder.file("morvasoftware_bug_report.htm");
    writeReport(window);

    ASSERT_TRUE(isCompleteReport(folder.file("morvasoftware_bug_report.htm")));
    const std::string text = folder.read("morvasoftware_bug_report.htm");
    EXPECT_NE(text.find("<TR><TD>gone.ini</td><td>11</td>"), std::string::npos);
    EXPECT_EQ(text.find("<H3>" + victim + "</H3>"), std::string::npos);
    EXPECT_NE(text.find("still here<BR>"), std::string::npos);
}

}  // namespace
