#include "toolkit/log.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/toolkit/program_folder_fixture.h"
#include "toolkit/os/system_names.h"
#include "toolkit/ui/headless/headless_controls.h"

namespace {

using Lines = std::vector<std::string>;

using LogTest = ProgramFolderTest;

TEST_F(LogTest, InitWritesTheSeparatorThenOnlyLevelsUpToZeroAreWrittenAndMirrored) {
    const std::string stamp =
        "2005-05-22, 14:05:09, " + os::computerName() + ", " + os::userName() + ", ";
    std::string logFile, errorFile, tempFile;
    cLog log;
    HeadlessListBox list;
    log.setlistBox(&list);
    log.init(logFile, errorFile, tempFile);
    EXPECT_EQ((Lines{logFile, errorFile, tempFile, log.errorFile()}),
              (Lines{folder.file("tool.log"), folder.file("error.log"), folder.file("temp.log"),
                     folder.file("error.log")}));
    log.log("one", 1);
    log.log("zero");
    log.log("negative", -3);
    EXPECT_EQ(logText(),
              stamp + std::string(54, '-') + "\r\n" + stamp + "zero\r\n" + stamp + "negative\r\n");
    ASSERT_EQ(list.ListCount(), 2);
    EXPECT_EQ(list.List(0), stamp + "zero");
    cLog byDefault;  // the same files without asking for their names
    byDefault.init();
    EXPECT_EQ(byDefault.errorFile(), folder.file("error.log"));
}

// Entry type 2 is time-stamped, 1 also names the user and the computer, 77 the given user;
// any other type writes the bare text.
TEST_F(LogTest, PimlogRecordsByEntryType) {
    cLog log;
    std::string fname;
    for (int entryType : {2, 77, 1, 3, 0})
        log.pimlog(fname, "hello", entryType, 0, "bob");
    log.pimlog(fname, "skipped", 2, 1);
    EXPECT_EQ(fname, folder.file("tool.log"));
    const std::string when = "20050522,14:05:09,";
    const std::string names = os::userName() + "," + os::computerName() + ",";
    EXPECT_EQ(logText(), when + "hello\r\n" + when + "bob,hello\r\n" + when + names +
                             "hello\r\nhello\r\nhello\r\n");
}

TEST_F(LogTest, LogArrayListsTheNonEmptyItemsAndFailuresGoToTheErrorFile) {
    cLog log;
    log.setLogFile(folder.file("tool.log"));
    log.logArray({"", "a", "", "b"});
    EXPECT_EQ(logText(), "20050522,1405," + os::userName() + "," + os::computerName() +
                             ", ARRAY= 1-a 3-b\r\n");

    std::string unreachable = folder.file("no/such.log");
    log.pimlog(unreachable, "hello", 2);
    log.setLogFile(unreachable);
    log.logArray({"a"});
    now = {2005, 5, 22, 12, 0, 0};  // noon is PM, midnight AM, both hour 12
    log.pimlog(unreachable, "noon", 2);
    now.hour = 0;
    log.pimlog(unreachable, "midnight", 2);
    now.hour = 11;
    log.pimlog(unreachable, "morning", 2);
    std::string error;  // the error file's own number held elsewhere: the line is lost
    ASSERT_TRUE(gFileNumbers().open(8, folder.file("held.txt"), osfs::OpenMode::Write, error));
    log.pimlog(unreachable, "lost", 2);
    gFileNumbers().close(8);
    EXPECT_EQ(folder.read("error.log"),
              "PIM LOGGING ERROR 5/22/2005 2:05:09 PM - text = hello\r\n"
              "ARRAY LOGGING ERROR 5/22/2005 2:05:09 PM - text = error logging array\r\n"
              "PIM LOGGING ERROR 5/22/2005 12:00:00 PM - text = noon\r\n"
              "PIM LOGGING ERROR 5/22/2005 12:00:00 AM - text = midnight\r\n"
              "PIM LOGGING ERROR 5/22/2005 11:00:00 AM - text = morning\r\n");
}

// Regression guard: a log file that cannot be opened made the text file object log its own
// failure into the same log, again and again.
TEST_F(LogTest, UnreachableLogFileShowsOneBoxPerLineAndIsNotAvailable) {
    const std::string unreachable = folder.file("no/such.log");
    gLog().setLogFile(unreachable);
    gLog().log("first");
    gLog().log("second");
    EXPECT_EQ(shownTexts(), Lines(2, "An error occurred appending to file " + unreachable +
                                         "\r\nErr = Path not found"));
    std::string error;  // a file that cannot be opened closes every open file, whoever holds it
    ASSERT_TRUE(gFileNumbers().open(1, folder.file("held.txt"), osfs::OpenMode::Write, error));
    EXPECT_EQ(gLog().CheckFileAvailability(unreachable), 0);
    EXPECT_EQ(gFileNumbers().get(1), nullptr);
    EXPECT_EQ(gLog().CheckFileAvailability(folder.file("new.log")), -1);  // creates the file
    EXPECT_EQ(folder.read("new.log"), "");
}

}  // namespace
