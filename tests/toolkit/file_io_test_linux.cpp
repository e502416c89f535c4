#include <sys/resource.h>

#include <csignal>
#include <string>
#include <vector>

#include "tests/toolkit/program_folder_fixture.h"
#include "toolkit/file_io.h"
#include "toolkit/list_file_helpers.h"
#include "toolkit/ui/headless/headless_controls.h"

namespace {

using FileIoLinuxTest = ProgramFolderTest;

// Writes are buffered, so a full disk may show at any later write or only when the file is
// closed. Wherever it shows, the user is told once per file and the log keeps the same text.
TEST_F(FileIoLinuxTest, AFailedWriteIsToldOnceWhereverItShows) {
    // Cap the size of every file this process writes, so that writes past it fail as on a
    // full disk. The log's few lines stay below the cap.
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit capped = saved;
    capped.rlim_cur = 4000;
    setrlimit(RLIMIT_FSIZE, &capped);

    cFileIO once, held, closed;
    once.init(folder.file("once.txt"));
    once.appendLine(std::string(8000, 'x'));  // opens, writes and closes for this line
    held.init(folder.file("held.txt"));
    held.openFile("OUTPUT");
    held.appendLine(std::string(70000, 'y'));  // the buffer reaches the disk and fails
    held.appendLine(std::string(70000, 'y'));  // and fails again
    held.closeFile();
    closed.init(folder.file("closed.txt"));
    closed.openFile("APPEND");
    closed.appendLine(std::string(8000, 'z'));  // stays in the buffer until the close
    closed.closeFile();
    HeadlessListBox list;
    list.AddItem(std::string(70000, 'l'));  // fills the buffer, which fails to reach the disk
    list.AddItem("never written");
    int linesSaved = -1;
    SaveListboxToFile(list, folder.file("list.txt"), linesSaved);
    const std::string log = logText();

    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    std::vector<std::string> expected;
    for (const char* name : {"once.txt", "held.txt", "closed.txt"}) {
        expected.push_back("An error occurred appending to file " + folder.file(name) +
                           "\r\nErr = Disk full");
        EXPECT_NE(log.find(expected.back()), std::string::npos) << name;
    }
    expected.push_back("An Error occurred in SaveListboxToFile: 61 = Disk full while saving '" +
                       folder.file("list.txt") + "'");
    EXPECT_EQ(shownTexts(), expected);
    EXPECT_EQ(linesSaved, 0);
}

}  // namespace
