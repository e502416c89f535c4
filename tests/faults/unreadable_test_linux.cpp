// Folders and files the user may not read. Tests run as root in CI, where permissions do not
// bind, so the report runs in a child that has dropped to the user nobody.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "tests/faults/fault_fixture.h"
#include "tests/faults/unprivileged.h"

namespace {

class Unreadable : public FaultTest {};

TEST_F(Unreadable, UnreadableFoldersAndFilesAreListedWithoutTheirContents) {
    openToEveryone(folder.path());
    const std::string product = folder.makeFolder("product");
    folder.write("product/open.ini", "open=1\r\n");
    const std::string secretFile = folder.write("product/secret.ini", "secret=1\r\n");
    const std::string locked = folder.makeFolder("product/locked");
    folder.write("product/locked/inside.ini", "inside=1\r\n");
    const std::string unsearchable = folder.makeFolder("product/unsearchable");
    folder.write("product/unsearchable/listed.ini", "listed=1\r\n");
    chmod(secretFile.c_str(), 0);
    chmod(locked.c_str(), 0);
    chmod(unsearchable.c_str(), 0644);  // names can be read, entries cannot be reached

    const int status = runUnprivileged([&] {
        runReport({product});
        return 0;
    });

    ASSERT_EQ(status, 0);
    ASSERT_TRUE(reportIsComplete());
    const std::string text = reportText();
    EXPECT_EQ(listedFolders(text).size(), 3u);
    EXPECT_TRUE(contains(text, "open=1<BR>"));
    EXPECT_TRUE(contains(text, "<TR><TD>secret.ini</td>"));
    EXPECT_FALSE(contains(text, "secret=1"));
    EXPECT_FALSE(contains(text, "inside=1"));
    EXPECT_FALSE(contains(text, "listed=1"));
    EXPECT_TRUE(contains(logText(), "Cant load the file " + secretFile));
}

}  // namespace
