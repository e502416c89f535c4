// Entries of a product folder that are no regular files, named as files the report embeds.
#include <fcntl.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "inspect/reader_commands.h"
#include "tests/faults/fault_fixture.h"
#include "tests/support/open_watch_linux.h"

namespace {

// A product that writes its log through a named pipe: a child process blocked in open() until a
// reader comes. Released, it ends at once.
class BlockedWriter {
public:
    explicit BlockedWriter(const std::string& pipe) : child_(fork()) {
        if (child_ == 0) {
            open(pipe.c_str(), O_WRONLY);
            _exit(3);
        }
    }
    ~BlockedWriter() {
        kill(child_, SIGKILL);
        waitpid(child_, nullptr, 0);
    }
    BlockedWriter(const BlockedWriter&) = delete;
    BlockedWriter& operator=(const BlockedWriter&) = delete;

    bool stillBlocked() const { return child_ > 0 && waitpid(child_, nullptr, WNOHANG) == 0; }

    // Waits up to 5 s until the child sits in its open().
    bool waitUntilBlocked() const {
        const std::string call = "/proc/" + std::to_string(child_) + "/syscall";
        const std::string inOpen = std::to_string(SYS_openat) + " ";
        for (int tries = 0; tries < 500 && stillBlocked(); ++tries) {
            std::string line;
            std::getline(std::ifstream(call), line);
            if (line.rfind(inOpen, 0) == 0)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }

private:
    pid_t child_;
};

enum class Entry { Pipe, LinkToPipe, LinkToTerminal, DeviceNode };

using SpecialFiles = FaultTest;

// Regression: each embedded file was opened before it was looked up. A writer blocked in open()
// on a pipe was released, and killed by SIGPIPE at its first write once the report had closed
// the pipe again; a terminal or a device node named like a text file was opened too.
TEST_F(SpecialFiles, NoPipeOrDeviceInAProductFolderIsOpened) {
    const std::string product = folder.makeFolder("product");
    folder.write("product/app.ini", "kept=1\r\n");
    const int terminal = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_TRUE(terminal >= 0 && grantpt(terminal) == 0 && unlockpt(terminal) == 0);
    const std::string pipeElsewhere = folder.file("elsewhere"), terminalPath = ptsname(terminal);
    ASSERT_EQ(mkfifo(pipeElsewhere.c_str(), 0600), 0);
    const std::pair<const char*, Entry> rows[] = {
        {"service.log", Entry::Pipe},
        {"pipe.txt", Entry::LinkToPipe},
        {"tty.log", Entry::LinkToTerminal},
        {"tape.ini", Entry::DeviceNode},  // of the null device's numbers
    };
    OpenWatch watch;
    for (const auto& [name, entry] : rows) {
        const std::string path = product + "/" + name;
        std::string node = path;
        bool made = false;
        switch (entry) {
            case Entry::Pipe:
                made = mkfifo(path.c_str(), 0600) == 0;
                break;
            case Entry::LinkToPipe:
                made = symlink((node = pipeElsewhere).c_str(), path.c_str()) == 0;
                break;
            case Entry::LinkToTerminal:
                made = symlink((node = terminalPath).c_str(), path.c_str()) == 0;
                break;
            case Entry::DeviceNode:
                made = mknod(path.c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0;
                if (!made && errno == EPERM)
                    continue;  // making a device node needs root
                break;
        }
        ASSERT_TRUE(made && watch.watch(node, name)) << name;
    }
    const BlockedWriter writer(product + "/service.log");
    ASSERT_TRUE(writer.waitUntilBlocked());

    expectReport(product, 1, {"kept=1<BR>"});
    EXPECT_TRUE(writer.stillBlocked()) << "the writer was released from its open()";
    EXPECT_EQ(watch.opened(), std::set<std::string>());
    const std::string text = folder.read("morvasoftware_bug_report.htm");
    for (const auto& [name, entry] : rows)
        EXPECT_EQ(text.find(std::string(name) + "</H3>"), std::string::npos) << name;
    close(terminal);
}

// Regression: the tool's own files were opened through a link planted in their place, so where
// the tool folder is shared, another user turned the tool's writes onto a file of their choice,
// and its reads of them into the report. The report and the inventory are deleted before they
// are written, which takes such a link away.
TEST_F(SpecialFiles, ALinkInPlaceOfTheToolsOwnFileIsRefusedAndNamed) {
    const std::string victim = folder.write("victim.txt", "not the tool's\r\n");
    for (const char* name : {"style.css", "_tmpApps.txt", "tool.log"})
        ASSERT_EQ(symlink(victim.c_str(), folder.file(name).c_str()), 0) << name;
    folder.write("product/app.ini", "kept=1\r\n");

    expectReport(folder.file("product"), 1, {"kept=1<BR>"});
    EXPECT_EQ(folder.read("victim.txt"), "not the tool's\r\n");
    EXPECT_EQ(folder.read("morvasoftware_bug_report.htm").find("not the tool's"),
              std::string::npos);
    const std::vector<std::string> shown = shownTexts();
    for (const std::string& text :
         {"An error occurred appending to file " + folder.file("tool.log") +
              "\r\nErr = Path/File access error",
          "An Error occurred in SaveListboxToFile: 75 = Path/File access error while saving '" +
              folder.file("_tmpApps.txt") + "'"}) {
        EXPECT_NE(std::find(shown.begin(), shown.end(), text), shown.end()) << text;
    }
    // Nor does the unattended run take a link in the report's place for a report.
    const std::string link = folder.file("link.htm");
    ASSERT_EQ(symlink(folder.file("morvasoftware_bug_report.htm").c_str(), link.c_str()), 0);
    EXPECT_FALSE(isCompleteReport(link));
}

// Regression: a masked copy that must not be kept was removed whatever the output was, so
// `mask -o /dev/null` of what is no report, run as root, took /dev/null from the machine. A pipe
// (or a device) named as the output is written and left where it is.
TEST_F(SpecialFiles, AMaskedCopyTakenBackLeavesThePipeItWentTo) {
    const std::string pipe = folder.file("copy.pipe");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    // A reader is there before the copy's writer, which would otherwise wait for one.
    const int reader = open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    std::ostringstream out, err;
    EXPECT_EQ(runReportReader({"mask", folder.write("notes.txt", "password=x\r\n"), "-o", pipe},
                              out, err),
              2);
    struct stat facts = {};
    EXPECT_TRUE(lstat(pipe.c_str(), &facts) == 0 && S_ISFIFO(facts.st_mode));
    close(reader);
}

}  // namespace
