#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <string>

#include "report/document_launcher.h"
#include "tests/support/scoped_variable.h"
#include "tests/support/temp_folder.h"

namespace {

// launchDocument with a PATH that holds only a stand-in xdg-open.
class XdgOpenTest : public ::testing::Test {
protected:
    TempFolder folder;
    const ScopedVariable path{"PATH", folder.makeFolder("bin").c_str()};
};

TEST_F(XdgOpenTest, OpenerVerdictMapsOntoShellResultsAndARunningViewerDoesNotHoldTheTool) {
    const std::string document = folder.write("report.htm", "<HTML></HTML>");
    EXPECT_EQ(launchDocument(document, ""), 31);  // no opener yet
    const auto useOpener = [this](const std::string& script) {
        chmod(folder.write("bin/xdg-open", "#!/bin/sh\n" + script + "\n").c_str(), 0755);
    };
    const std::pair<std::string, int> cases[] = {
        {"printf '%s' \"$1\" > " + folder.file("seen"), 33},
        // The viewer reads and writes /dev/null in place of the terminal, and holds it no more.
        {"/bin/ls -l /proc/$$/fd | /bin/grep -c /dev/null > " + folder.file("nulls"), 33},
        {"exit 2", 2},
        {"exit 3", 31},
        {"exit 4", 31},
        {"exit 127", 31},  // a command not found, as for an opener that cannot be run
        {"echo 'viewer says' >&2; exit 1", 0},
        {"kill -9 $$", 0},
    };
    // The viewer's error output is the tool's, where the user can read what went wrong.
    std::fflush(stderr);
    const int savedErrors = dup(STDERR_FILENO);
    const int errors = open(folder.file("errors").c_str(), O_WRONLY | O_CREAT, 0600);
    dup2(errors, STDERR_FILENO);
    close(errors);
    for (const auto& [script, result] : cases) {
        useOpener(script);
        EXPECT_EQ(launchDocument(document, ""), result) << script;
    }
    dup2(savedErrors, STDERR_FILENO);
    close(savedErrors);
    EXPECT_EQ(folder.read("errors"), "viewer says\n");
    EXPECT_EQ(folder.read("nulls"), "2\n");
    // Started with SIGCHLD ignored, the tool finds its children reaped, and goes on.
    const auto childHandler = std::signal(SIGCHLD, SIG_IGN);
    EXPECT_EQ(launchDocument(document, ""), 33);
    std::signal(SIGCHLD, childHandler);
    // A viewer that keeps running (it closes its error output, which ctest would wait for) is
    // left running: the tool waits for its verdict a short while only, far less than its 30 s,
    // and neither the viewer nor the tool's waiter for it holds the tool's output or files, so
    // that a script reading the unattended run's output to its end is not held either.
    useOpener("exec 2>/dev/null; exec /bin/sleep 30");
    int output[2];
    ASSERT_EQ(pipe(output), 0);
    std::fflush(stdout);
    const int savedOutput = dup(STDOUT_FILENO);
    dup2(output[1], STDOUT_FILENO);  // and output[1] stands for any other file the tool has open,
    dup2(output[1], 200);            // below and above the ones the launch opens for itself
    const auto start = std::chrono::steady_clock::now();
    errno = EINTR;  // left by a call interrupted before: the launch must not take it for its own
    EXPECT_EQ(launchDocument(document, ""), 33);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(15));
    dup2(savedOutput, STDOUT_FILENO);
    close(savedOutput);
    close(200);
    close(output[1]);
    pollfd outputEnd{output[0], POLLIN, 0};
    char byte = 0;
    EXPECT_TRUE(poll(&outputEnd, 1, 10000) == 1 && read(output[0], &byte, 1) == 0)
        << "the output is still held";
    close(output[0]);
    EXPECT_EQ(folder.read("seen"), document);
    EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1) << "a process of the launch is left to reap";
}

}  // namespace
