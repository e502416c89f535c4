#include "report/document_launcher.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <vector>

#include "toolkit/os/file_system.h"

// xdg-open stands in for the shell's "Open": it finds the desktop's program for the file.
// Some desktops return at once, others keep xdg-open running until the viewer closes, so the
// tool starts it in a detached process, waits a short while for its verdict and otherwise takes
// the viewer as started. The detached waiter is adopted by init, which reaps it: the tool never
// holds a zombie and never blocks for longer than the short wait.

namespace {

constexpr int kFileNotFound = 2;
constexpr int kOutOfMemory = 8;
constexpr int kNoAssociation = 31;
constexpr int kStarted = 33;
constexpr int kUnknownError = 0;
constexpr int kVerdictWaitMs = 2000;
constexpr int kExecFailed = 127;

std::string findOnPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    if (path == nullptr)
        return std::string();
    const std::string folders = path;
    std::size_t start = 0;
    while (start <= folders.size()) {
        std::size_t end = folders.find(':', start);
        if (end == std::string::npos)
            end = folders.size();
        const std::string folder = end == start ? "." : folders.substr(start, end - start);
        const std::string candidate = folder + "/" + program;
        if (access(candidate.c_str(), X_OK) == 0)
            return candidate;
        start = end + 1;
    }
    return std::string();
}

// xdg-open's exit codes: 2 the file does not exist, 3 no tool found, 4 the action failed (no
// program takes the file).
int resultOfExitStatus(int status) {
    if (!WIFEXITED(status))
        return kUnknownError;
    switch (WEXITSTATUS(status)) {
        case 0:
            return kStarted;
        case 2:
            return kFileNotFound;
        case 3:
        case 4:
        case kExecFailed:
            return kNoAssociation;
        default:
            return kUnknownError;
    }
}

// Points the process's standard input and output, and its error output unless `keepErrors`,
// at /dev/null, so that it holds none of the tool's: a script that reads the unattended run's
// output until its end must not wait for the viewer to close. Safe after fork in a threaded
// program.
void letGoOfTheTerminal(bool keepErrors) {
    const int nothing = open("/dev/null", O_RDWR);
    if (nothing < 0)
        return;
    dup2(nothing, STDIN_FILENO);
    dup2(nothing, STDOUT_FILENO);
    if (!keepErrors)
        dup2(nothing, STDERR_FILENO);
    if (nothing > STDERR_FILENO)
        close(nothing);
}

// Closes every file of the tool but `keep` and the standard ones, so that neither the waiter
// nor the viewer holds one of the tool's files, sockets or pipes for as long as it runs.
void closeInheritedFiles(int keep) {
    if (keep > 3)
        close_range(3, static_cast<unsigned>(keep) - 1, 0);
    close_range(static_cast<unsigned>(std::max(3, keep + 1)), ~0U, 0);
}

// Runs in the forked process: only calls that are safe after fork in a threaded program. The
// viewer keeps the tool's error output for what it has to say.
[[noreturn]] void runViewer(const char* opener, char* const argv[]) {
    letGoOfTheTerminal(true);
    execv(opener, argv);
    _exit(kExecFailed);
}

// Runs in the detached waiter: starts the viewer, waits for it and sends its exit status.
[[noreturn]] void runWaiter(const char* opener, char* const argv[], int verdictPipe) {
    const pid_t viewer = fork();
    if (viewer == 0)
        runViewer(opener, argv);
    letGoOfTheTerminal(false);
    int status{};
    if (viewer > 0) {
        while (waitpid(viewer, &status, 0) < 0 && errno == EINTR) {
        }
        // After the short wait nobody reads the verdict any more; losing it changes nothing.
        [[maybe_unused]] const ssize_t sent = write(verdictPipe, &status, sizeof status);
    }
    _exit(0);
}

// The viewer's exit status when it arrives within the short wait.
int awaitVerdict(int verdictPipe) {
    pollfd ready{verdictPipe, POLLIN, 0};
    int polled;
    while ((polled = poll(&ready, 1, kVerdictWaitMs)) < 0 && errno == EINTR) {
    }
    if (polled == 0)
        return kStarted;
    int status{};
    if (read(verdictPipe, &status, sizeof status) != static_cast<ssize_t>(sizeof status))
        return kUnknownError;
    return resultOfExitStatus(status);
}

}  // namespace

int launchDocument(const std::string& fileName, const std::string& /*parameters*/) {
    osfs::FileFacts facts;
    if (!osfs::lookUp(fileName, facts))
        return kFileNotFound;
    const std::string opener = findOnPath("xdg-open");
    if (opener.empty())
        return kNoAssociation;

    // xdg-open takes the document alone; there is no place for further parameters.
    std::vector<char*> argv = {const_cast<char*>(opener.c_str()),
                               const_cast<char*>(fileName.c_str()), nullptr};
    int verdict[2];
    if (pipe2(verdict, O_CLOEXEC) != 0)
        return kOutOfMemory;
    const pid_t detacher = fork();
    if (detacher == 0) {
        closeInheritedFiles(verdict[1]);
        if (fork() == 0)
            runWaiter(opener.c_str(), argv.data(), verdict[1]);
        _exit(0);
    }
    close(verdict[1]);
    int result = kOutOfMemory;
    if (detacher > 0) {
        while (waitpid(detacher, nullptr, 0) < 0 && errno == EINTR) {
        }
        result = awaitVerdict(verdict[0]);
    }
    close(verdict[0]);
    return result;
}
