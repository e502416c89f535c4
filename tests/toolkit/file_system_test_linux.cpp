#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"
#include "toolkit/os/file_system.h"

namespace {

TEST(FileSystemLinuxTest, DotFilesHiddenPipesRefusedNewFilesByUmaskAndDescriptorZeroUsable) {
    TempFolder folder;
    osfs::FileFacts facts;
    ASSERT_TRUE(osfs::lookUp(folder.write(".profile", ""), facts));
    EXPECT_FALSE(osfs::isOrdinaryFile(facts.attributes));
    EXPECT_NE(facts.attributes & osfs::kAttrHidden, 0u);

    const std::string locked = folder.write("locked.txt", "");
    chmod(locked.c_str(), 0444);
    ASSERT_TRUE(osfs::lookUp(locked, facts));
    EXPECT_EQ(facts.attributes, osfs::kAttrReadOnly);

    // Regression: opening a named pipe to read it waited forever for a writer.
    const std::string pipe = folder.file("pipe");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    ASSERT_TRUE(osfs::lookUp(pipe, facts));
    EXPECT_FALSE(osfs::isOrdinaryFile(facts.attributes));
    osfs::File file;
    EXPECT_FALSE(file.open(pipe, osfs::OpenMode::Read));

    // A new file gets what the user's umask allows, as any other program's would.
    const mode_t userMask = umask(022);
    ASSERT_TRUE(file.open(folder.file("new.txt"), osfs::OpenMode::Write));
    file.close();
    umask(userMask);
    struct stat made {};
    ASSERT_EQ(stat(folder.file("new.txt").c_str(), &made), 0);
    EXPECT_EQ(made.st_mode & 07777, 0644u);

    // Started with its standard input closed, the tool gets descriptor 0 for its first file.
    const int input = dup(0);
    close(0);
    const bool opened = file.open(folder.file("new.txt"), osfs::OpenMode::Read);
    file.close();
    dup2(input, 0);
    close(input);
    EXPECT_TRUE(opened);

    // A file where a folder is wanted is told as a path not found.
    std::string full;
    EXPECT_FALSE(osfs::folderFullPath(folder.file("missing"), full));
    EXPECT_EQ(osfs::lastErrorDescription(), "File not found");
    EXPECT_FALSE(osfs::folderFullPath(locked, full));
    EXPECT_EQ(osfs::lastErrorDescription(), "Path not found");
}

}  // namespace
