#include <sys/resource.h>

#include <csignal>

#include "tests/toolkit/program_folder_fixture.h"
#include "toolkit/file_io.h"

namespace {

using FileIoLinuxTest = ProgramFolderTest;

// Writes are buffered, so a full disk may show only when the buffer reaches the disk.
TEST_F(FileIoLinuxTest, AFailedFlushIsReportedAsAFailedWrite) {
    // Cap the size of every file this process writes, so that writes past it fail as on a
    // full disk.
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit capped = saved;
    capped.rlim_cur = 1000;
    setrlimit(RLIMIT_FSIZE, &capped);

    cFileIO once, held;
    once.init(folder.file("once.txt"));
    once.appendLine(std::string(2000, 'x'));
    held.init(folder.file("held.txt"));
    held.openFile("OUTPUT");
    held.appendLine(std::string(2000, 'y'));
    held.closeFile();
    const std::string log = logText();

    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    ASSERT_EQ(headless().shown.size(), 1u);
    EXPECT_EQ(headless().shown[0].text, "An error occurred appending to file " +
                                            folder.file("once.txt") + "\r\nErr = Disk full");
    EXPECT_NE(log.find("cFileIO - An error occurred closing the file " + folder.file("held.txt") +
                       "\r\nErr = Disk full"),
              std::string::npos);
}

}  // namespace
