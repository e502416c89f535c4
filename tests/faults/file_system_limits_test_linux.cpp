// What a Linux file system refuses: read-only files of an earlier run, paths longer than the
// 4,096 bytes a call accepts.
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "tests/faults/fault_fixture.h"

namespace {

bool dropToNobody() {
    const passwd* nobody = getpwnam("nobody");
    return nobody != nullptr && setgroups(0, nullptr) == 0 && setgid(nobody->pw_gid) == 0 &&
           setuid(nobody->pw_uid) == 0;
}

// The report runs in a forked child that has dropped to the user nobody where the test runs as
// root (as in CI), so that permissions bind; the tool's folder is open to everyone for it.
class Unprivileged : public FaultTest {
protected:
    void runReport(const std::string& product) override {
        chmod(folder.path().c_str(), 0777);
        std::fflush(nullptr);  // the child must not print the parent's buffered output again
        const pid_t child = fork();
        if (child == 0) {
            if (geteuid() == 0 && !dropToNobody())
                _exit(125);
            FaultTest::runReport(product);
            _exit(0);
        }
        int status = -1;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the run did not end well";
    }
};

TEST_F(Unprivileged, ReadOnlyFilesOfAnEarlierRunAreKeptOrReplacedWhole) {
    for (const char* name : {"morvasoftware_bug_report.htm", "tool.log", "style.css",
                             "_tmpApps.txt", "_tmpFiles.txt"}) {
        chmod(folder.write(name, std::string("earlier ") + name + "\r\n").c_str(), 0444);
    }

    // The report and the file table are deleted and written anew in the writable folder; the
    // rest keeps every byte it had, and the report shows it.
    expectReport(folder.makeFolder("product"), 1,
                 {"earlier style.css\r\n", "earlier _tmpApps.txt<BR>"});
    EXPECT_TRUE(contains(logText(), "earlier tool.log\r\n"));
    EXPECT_EQ(folder.read("style.css"), "earlier style.css\r\n");
    EXPECT_EQ(folder.read("_tmpApps.txt"), "earlier _tmpApps.txt\r\n");
}

using FileSystemLimits = FaultTest;

TEST_F(FileSystemLimits, FoldersBeyondFourKilobytesEndTheWalkThereAndTheReportCompletes) {
    const std::string product = folder.makeFolder("product");
    folder.write("product/top.ini", "top=1\r\n");
    // A chain of links with 250-byte names: the path through them grows 251 bytes a level
    // while each call here stays short.
    std::string from = product;
    for (int level = 0; level < 20; ++level) {
        const std::string next = folder.makeFolder("chain/" + std::to_string(level));
        ASSERT_EQ(symlink(next.c_str(), (from + "/" + std::string(250, 'n')).c_str()), 0);
        from = next;
    }

    // Every folder whose path is shorter than 4,096 bytes is listed.
    expectReport(product, 1 + (4095 - product.size()) / 251, {"top=1<BR>"});
}

}  // namespace
