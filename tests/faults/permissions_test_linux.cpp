// Files and folders the user may not read or write: unreadable parts of the product tree, and
// the tool's own folder read-only, full, or holding read-only files from an earlier run. Tests
// run as root in CI, where permissions do not bind, so these reports run in a child process
// that has dropped to the user nobody.
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "tests/faults/fault_fixture.h"

namespace {

bool dropToNobody() {
    const passwd* nobody = getpwnam("nobody");
    return nobody != nullptr && setgroups(0, nullptr) == 0 && setgid(nobody->pw_gid) == 0 &&
           setuid(nobody->pw_uid) == 0;
}

class Permissions : public FaultTest {
protected:
    // A product folder whose report is some hundreds of kilobytes.
    std::string bulkyProduct() {
        std::string log;
        for (int i = 0; i < 200; ++i)
            log += std::string(100, 'x') + "\r\n";
        for (int i = 0; i < 10; ++i)
            folder.write("product/f" + std::to_string(i) + ".log", log);
        return folder.file("product");
    }

    // Runs the report in a forked child that, when the test runs as root, has dropped to the
    // user nobody. Answers whether the child ended normally; the messages it showed come back
    // in `messages`.
    bool runUnprivilegedReport(const std::string& product, std::string& messages) {
        const std::string out = folder.makeFolder("out");
        chmod(out.c_str(), 0777);
        std::fflush(nullptr);  // the child must not print the parent's buffered output again
        const pid_t child = fork();
        if (child == 0) {
            if (geteuid() == 0 && !dropToNobody())
                _exit(125);
            runReport(product);
            std::ofstream(out + "/messages.txt") << messagesShown();
            _exit(0);
        }
        int status = -1;
        waitpid(child, &status, 0);
        messages = folder.read("out/messages.txt");
        return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
};

TEST_F(Permissions, UnreadableFoldersAndFilesAreListedWithoutTheirContents) {
    chmod(folder.path().c_str(), 0777);
    const std::string product = folder.makeFolder("product");
    folder.write("product/open.ini", "open=1\r\n");
    const std::string secretFile = folder.write("product/secret.ini", "secret=1\r\n");
    folder.write("product/locked/inside.ini", "inside=1\r\n");
    folder.write("product/unsearchable/listed.ini", "listed=1\r\n");
    chmod(secretFile.c_str(), 0);
    chmod(folder.file("product/locked").c_str(), 0);
    // Names can be read, entries cannot be reached.
    chmod(folder.file("product/unsearchable").c_str(), 0644);
    std::string messages;

    ASSERT_TRUE(runUnprivilegedReport(product, messages));

    ASSERT_TRUE(isCompleteReport(reportPath())) << messages;
    const std::string text = reportText();
    EXPECT_EQ(listedFolders(text).size(), 3u);
    EXPECT_TRUE(contains(text, "open=1<BR>"));
    EXPECT_TRUE(contains(text, "<TR><TD>secret.ini</td>"));
    for (const char* unread : {"secret=1", "inside=1", "listed=1"})
        EXPECT_FALSE(contains(text, unread)) << unread;
    EXPECT_TRUE(contains(logText(), "Cant load the file " + secretFile));
}

TEST_F(Permissions, ReadOnlyToolFolderShowsTheFailuresAndTheRunEnds) {
    const std::string product = bulkyProduct();
    std::string messages;
    chmod(folder.path().c_str(), 0555);

    const bool ended = runUnprivilegedReport(product, messages);
    chmod(folder.path().c_str(), 0755);

    ASSERT_TRUE(ended);
    EXPECT_TRUE(contains(messages, "Cant Save the file " + folder.file("style.css")));
    EXPECT_TRUE(contains(messages, "An error occurred appending to file " + reportPath()));
    EXPECT_FALSE(isCompleteReport(reportPath()));
}

TEST_F(Permissions, ReadOnlyFilesOfAnEarlierRunAreKeptOrReplacedWhole) {
    const std::string product = bulkyProduct();
    chmod(folder.path().c_str(), 0777);
    for (const char* name : {"morvasoftware_bug_report.htm", "tool.log", "style.css",
                             "_tmpApps.txt", "_tmpFiles.txt"}) {
        chmod(folder.write(name, std::string("earlier ") + name + "\r\n").c_str(), 0444);
    }
    std::string messages;

    ASSERT_TRUE(runUnprivilegedReport(product, messages));

    // The folder is writable, so the report and the file table are deleted and written anew.
    ASSERT_TRUE(isCompleteReport(reportPath())) << messages;
    const std::string text = reportText();
    // What cannot be rewritten keeps every byte it had, and the report shows it.
    EXPECT_TRUE(contains(logText(), "earlier tool.log\r\n"));
    EXPECT_EQ(folder.read("style.css"), "earlier style.css\r\n");
    EXPECT_TRUE(contains(text, "earlier style.css\r\n"));
    EXPECT_EQ(folder.read("_tmpApps.txt"), "earlier _tmpApps.txt\r\n");
    EXPECT_TRUE(contains(text, "earlier _tmpApps.txt<BR>"));
}

// The tool folder on a small file system that fills up while the report is written.
TEST_F(Permissions, ReportStopsAtTheFullDiskKeepsWhatFitAndTheRunEnds) {
    const std::string product = bulkyProduct();
    const std::string tool = folder.makeFolder("tool");
    constexpr int kCapacity = 64 * 1024;
    if (mount("tmpfs", tool.c_str(), "tmpfs", 0, ("size=" + std::to_string(kCapacity)).c_str()))
        GTEST_SKIP() << "cannot mount a small tmpfs here (needs root)";
    App().Path = tool;

    runReport(product);

    const std::string report = folder.read("tool/morvasoftware_bug_report.htm");
    umount2(tool.c_str(), MNT_DETACH);
    EXPECT_TRUE(contains(messagesShown(), "An error occurred appending to file " + tool +
                                              "/morvasoftware_bug_report.htm"));
    EXPECT_EQ(report.rfind("<a name=top>\r\n<HTML><head>\r\n", 0), 0u);
    // Everything that fit is on the disk: the report fills most of the file system, but the
    // closing line is missing.
    EXPECT_GT(report.size(), kCapacity / 2u);
    EXPECT_FALSE(contains(report, "</BODY></HTML>"));
}

}  // namespace
