#include "toolkit/file_io.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "tests/toolkit/program_folder_fixture.h"
#include "toolkit/file_numbers.h"
#include "toolkit/ui/controls.h"

namespace {

class FileIoTest : public ProgramFolderTest {
protected:
    cFileIO fileNamed(const std::string& relative) {
        cFileIO file;
        file.init(folder.file(relative));
        return file;
    }
};

TEST_F(FileIoTest, FileNumbersReuseTheLowestFreeNumber) {
    FileNumberTable table;
    std::string error;
    for (const char* name : {"1.txt", "2.txt", "3.txt"})
        ASSERT_TRUE(table.open(table.FreeFile(), folder.file(name), osfs::OpenMode::Write, error));
    EXPECT_EQ(table.FreeFile(), 4);
    EXPECT_TRUE(table.close(2));
    EXPECT_TRUE(table.close(2)) << "a number that is not open closes without a failure";
    EXPECT_EQ(table.FreeFile(), 2);
    EXPECT_FALSE(table.open(1, folder.file("x.txt"), osfs::OpenMode::Write, error));
    EXPECT_EQ(error, "File already open");
    EXPECT_FALSE(table.open(0, folder.file("x.txt"), osfs::OpenMode::Write, error));
    EXPECT_EQ(error, "Bad file name or number");
}

TEST_F(FileIoTest, WritesCrLfLinesAndClosesWhatItOpened) {
    cFileIO file = fileNamed("out.txt");
    file.appendLine("a");
    file.dumpArray({"x", "b", "  ", " c"}, false, "> ");  // never index 0, never a blank item
    EXPECT_EQ(folder.read("out.txt"), "a\r\n> b\r\n>  c\r\n");
    EXPECT_EQ(gFileNumbers().get(1), nullptr);

    file.openFile("Output");  // modes are compared without regard to case
    file.printLine("new");
    file.closeFile();
    EXPECT_EQ(folder.read("out.txt"), "new\r\n");
    EXPECT_TRUE(headless().shown.empty());

    file.openFile("Sideways");  // no mode: the user is told, and nothing is opened
    ASSERT_EQ(headless().shown.size(), 1u);
    EXPECT_EQ(headless().shown[0].text, "Invalid method of opening file");
    EXPECT_EQ(gFileNumbers().get(1), nullptr);

    // A line that cannot be printed is told once, and the program goes on.
    file.openFile("Output");
    gFileNumbers().closeAll();  // the object still believes its file is open
    file.printLine("lost");
    file.printLine("lost again");
    ASSERT_EQ(headless().shown.size(), 2u);
    EXPECT_EQ(headless().shown[1].text, "An error occurred printing to file " +
                                            folder.file("out.txt") +
                                            "\r\nErr = Bad file name or number");
}

TEST_F(FileIoTest, ReadsEveryLineThenOneEmptyText) {
    folder.write("in.txt", "a\r\nb");
    // The final empty read adds one more line end.
    EXPECT_EQ(fileNamed("in.txt").LoadFileToString("\r\n"), "a\r\nb\r\n\r\n");
    const std::string piece(16 * 1024 * 1024, 'x');  // a longer line comes in pieces of 16 MiB
    folder.write("long.txt", piece + "y");
    EXPECT_EQ(fileNamed("long.txt").LoadFileToString("|"), piece + "|y||");
    // A piece ends before a character that does not fit whole, which begins the next.
    cFileIO euro = fileNamed("euro.txt");
    euro.openFile("OUTPUT");
    euro.printLine(piece.substr(1) + "\u20ac.");
    euro.closeFile();
    EXPECT_EQ(euro.LoadFileToString("|"), piece.substr(1) + "|\u20ac.||");
    cFileIO written = fileNamed("written.txt");  // still open for writing: closed first
    written.openFile("OUTPUT");
    written.printLine("w");
    EXPECT_EQ(written.LoadFileToString("|"), "w||");
    EXPECT_EQ(fileNamed("missing.txt").LoadFileToString("\r\n"), "");
    EXPECT_NE(logText().find("cFileIO - An error occurred opening the file " +
                             folder.file("missing.txt") + "\r\nErr = File not found\r\n"),
              std::string::npos);
}

TEST_F(FileIoTest, ReadFailureAsksAbortRetryOrIgnore) {
    folder.write("in.txt", "a\r\n");
    cFileIO file = fileNamed("in.txt");
    file.openFile("INPUT");
    gFileNumbers().closeAll();  // the object still believes its file is open
    headless().answers = {MsgAnswer::Retry, MsgAnswer::Ignore};
    EXPECT_EQ(file.getLine(), "");
    EXPECT_TRUE(file.moreData());
    ASSERT_EQ(headless().shown.size(), 2u);
    const MessageBoxRequest& box = headless().shown[0];
    EXPECT_EQ(box.text, "An error occurred reading from the file " + folder.file("in.txt") +
                            "\r\nErr = Bad file name or numberClick OK to resume");
    EXPECT_EQ(box.title, "Error reading from File");
    EXPECT_EQ(box.buttons, MsgButtons::AbortRetryIgnore);

    headless().answers = {MsgAnswer::Abort};  // ends the program, its open files closed first
    std::string error;
    ASSERT_TRUE(gFileNumbers().open(2, folder.file("open.txt"), osfs::OpenMode::Write, error));
    bool fileOpenAtExit = true;
    headless().onEndProgram = [&fileOpenAtExit](int) {
        fileOpenAtExit = gFileNumbers().get(2) != nullptr;
        throw std::runtime_error("ended");
    };
    EXPECT_THROW(file.getLine(), std::runtime_error);
    EXPECT_FALSE(fileOpenAtExit);
}

TEST_F(FileIoTest, WaitSucceedsAtOnceOrGivesUpAtTheDeadline) {
    folder.write("ready.txt", "");
    cFileIO ready = fileNamed("ready.txt");
    ready.openFile("INPUT");  // closed again, and its number then given to another file
    ready.closeFile();
    std::string error;
    ASSERT_TRUE(gFileNumbers().open(1, folder.file("other.txt"), osfs::OpenMode::Write, error));
    EXPECT_TRUE(ready.waitUntilFileCanBeOpened(5));
    EXPECT_EQ(headless().pointerHistory, (std::vector<int>{kPointerHourglass, kPointerDefault}));
    EXPECT_NE(gFileNumbers().get(1), nullptr);
    EXPECT_EQ(gFileNumbers().get(2), nullptr);
    gFileNumbers().closeAll();
    // A file the object holds open is closed, its number given back, before the wait tries.
    cFileIO held = fileNamed("ready.txt");
    held.openFile("INPUT");
    EXPECT_TRUE(held.waitUntilFileCanBeOpened(5));
    EXPECT_EQ(gFileNumbers().get(1), nullptr);
    EXPECT_EQ(logText().find("SUCCESS"), std::string::npos);  // level 1 is not written

    // Times are compared as text, so a deadline past midnight ends the wait at once.
    now = DateTime{2005, 5, 22, 23, 59, 59};
    EXPECT_FALSE(fileNamed("missing.txt").waitUntilFileCanBeOpened(5));
    EXPECT_EQ(headless().doEventsCount, 0);

    setClockForTesting([this] { return now = now.plusSeconds(1); });
    now = DateTime{2005, 5, 22, 14, 5, 9};
    EXPECT_FALSE(fileNamed("missing.txt").waitUntilFileCanBeOpened(3));
    EXPECT_EQ(headless().doEventsCount, 3);
    EXPECT_EQ(headless().pointerHistory.back(), kPointerDefault);

    // While the wait lets events run, another file may take its number: each try asks anew.
    setClockForTesting([this, &error, calls = 0]() mutable {
        if (++calls == 2)  // the first retry; the first call set the deadline
            gFileNumbers().open(1, folder.write("late.txt", ""), osfs::OpenMode::Read, error);
        return now = now.plusSeconds(1);
    });
    EXPECT_TRUE(fileNamed("late.txt").waitUntilFileCanBeOpened(3));
}

}  // namespace
