#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "tests/support/closed_standard_input_linux.h"
#include "tests/support/open_watch_linux.h"
#include "tests/support/scoped_variable.h"
#include "tests/support/temp_folder.h"
#include "tests/toolkit/program_folder_fixture.h"
#include "toolkit/file_io.h"
#include "toolkit/list_file_helpers.h"
#include "toolkit/os/file_mapping.h"
#include "toolkit/os/file_system.h"
#include "toolkit/os/system_names.h"
#include "toolkit/os/tool_folder.h"
#include "toolkit/ui/application.h"
#include "toolkit/ui/headless/headless_controls.h"

namespace {

TEST(FileSystemLinuxTest, ReadOnlyMarkedPipesRefusedNewFilesByUmaskAndDescriptorZeroUsable) {
    TempFolder folder;
    osfs::FileFacts facts;
    const std::string locked = folder.write("locked.txt", "");
    chmod(locked.c_str(), 0444);
    ASSERT_TRUE(osfs::lookUp(locked, facts));
    EXPECT_EQ(facts.attributes, osfs::kAttrReadOnly);
    osfs::FolderIdentity id;  // Linux vouches for its folder ids: the walk needs no final path
    std::vector<std::string> subfolders;
    EXPECT_TRUE(osfs::openFolder(folder.path(), id, subfolders) && id.vouched());

    // Regression: opening a named pipe to read it waited forever for a writer.
    const std::string pipe = folder.file("pipe");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    ASSERT_TRUE(osfs::lookUp(pipe, facts));
    EXPECT_FALSE(osfs::isOrdinaryFile(facts.attributes));
    osfs::File file;
    EXPECT_FALSE(file.open(pipe, osfs::OpenMode::Read));
    // A device is refused too, unless the open accepts it (an output its user names).
    EXPECT_FALSE(file.open("/dev/null", osfs::OpenMode::Write, osfs::FinalLink::Followed));
    EXPECT_TRUE(file.open("/dev/null", osfs::OpenMode::Write, osfs::FinalLink::Followed,
                          osfs::NonRegular::Accepted) &&
                file.write("x", 1) && file.close());
    EXPECT_EQ(file.openOrdinary(osfs::HeldFolder(folder.path()), "pipe"),
              osfs::OrdinaryOpen::NotOrdinary);
    folder.write(".hidden", "");
    EXPECT_EQ(file.openOrdinary(osfs::HeldFolder(folder.path()), ".hidden"),
              osfs::OrdinaryOpen::NotOrdinary);
    // Found ordinary by the folder's look-up and made a pipe since: the open refuses it at once.
    osfs::HeldFolder held(folder.path());
    folder.write("swapped.log", "");
    ASSERT_TRUE(held.lookUp("swapped.log", facts));
    std::filesystem::remove(folder.file("swapped.log"));
    ASSERT_EQ(mkfifo(folder.file("swapped.log").c_str(), 0600), 0);
    EXPECT_EQ(file.openOrdinary(held, "swapped.log"), osfs::OrdinaryOpen::NotOrdinary);
    // Listed as ordinary, then found a pipe by the look-up before the open: the open does not
    // even touch it (a product blocked writing to the pipe would be let go).
    folder.write("relisted.log", "");
    osfs::FileFacts listed;
    ASSERT_TRUE(osfs::lookUp(folder.file("relisted.log"), listed));
    ASSERT_TRUE(held.listedFacts("relisted.log", listed, facts));
    std::filesystem::remove(folder.file("relisted.log"));
    ASSERT_EQ(mkfifo(folder.file("relisted.log").c_str(), 0600), 0);
    ASSERT_TRUE(held.lookUp("relisted.log", facts));
    OpenWatch opens;
    ASSERT_TRUE(opens.watch(folder.file("relisted.log"), "relisted.log"));
    EXPECT_EQ(file.openOrdinary(held, "relisted.log"), osfs::OrdinaryOpen::NotOrdinary);
    EXPECT_EQ(opens.opened(), std::set<std::string>()) << "the pipe was opened";
    EXPECT_TRUE(file.close());
    // A link to nothing answers for itself.
    ASSERT_EQ(symlink("/nonexistent", folder.file("dangling").c_str()), 0);
    EXPECT_TRUE(osfs::lookUp(folder.file("dangling"), facts) &&
                osfs::HeldFolder(folder.path()).lookUp("dangling", facts));

    // A new file gets what the user's umask allows, as any other program's would.
    const mode_t userMask = umask(022);
    ASSERT_TRUE(file.open(folder.file("new.txt"), osfs::OpenMode::Write));
    file.close();
    umask(userMask);
    EXPECT_EQ(std::filesystem::status(folder.file("new.txt")).permissions(),
              std::filesystem::perms(0644));

    // Descriptor 0, free while standard input is closed, is a file like any other.
    bool opened = false;
    bool deviceOpened = false;
    withStandardInputClosed([&] {
        opened = file.open(folder.file("new.txt"), osfs::OpenMode::Read);
        file.close();
        deviceOpened = file.open("/dev/null", osfs::OpenMode::Write, osfs::FinalLink::Followed,
                                 osfs::NonRegular::Accepted);
        file.close();
    });
    EXPECT_TRUE(opened && deviceOpened);

    // A file where a folder is wanted is told as a path not found.
    std::string full;
    EXPECT_FALSE(osfs::folderFullPath(folder.file("missing"), full));
    EXPECT_EQ(osfs::lastErrorDescription(), "File not found");
    EXPECT_FALSE(osfs::folderFullPath(locked, full));
    EXPECT_EQ(osfs::lastErrorDescription(), "Path not found");
}

using FullDiskTest = ProgramFolderTest;

// A full disk shows at a later write or only at the close; either way it is told once per file.
TEST_F(FullDiskTest, AFailedWriteIsToldOnceWhereverItShows) {
    // Writes past a cap on every file's size fail as on a full disk; the log stays below it.
    std::string fullLog = folder.write("full.log", std::string(4000, 'f'));
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
    // A silent line's own failure is not told; the loss of the lines before it is.
    cFileIO mute, quiet;
    mute.init(folder.file("mute.txt"));
    mute.openFile("APPEND");
    mute.appendLine(std::string(70000, 'm'), true);
    mute.closeFile();
    quiet.init(folder.file("quiet.txt"));
    quiet.openFile("APPEND");
    quiet.appendLine(std::string(8000, 'q'));
    quiet.appendLine(std::string(70000, 'r'), true);
    quiet.closeFile();
    HeadlessListBox list, shortList;
    list.AddItem(std::string(70000, 'l'));  // fills the buffer, which fails to reach the disk
    list.AddItem("never written");
    shortList.AddItem(std::string(8000, 's'));  // stays in the buffer until the close
    int linesSaved = -1, shortLinesSaved = -1;
    SaveListboxToFile(list, folder.file("list.txt"), linesSaved);
    SaveListboxToFile(shortList, folder.file("short.txt"), shortLinesSaved);
    gLog().pimlog(fullLog, "lost", 2);  // told in the error file instead
    const std::string log = logText();

    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_NE(folder.read("error.log").find("text = lost"), std::string::npos);
    std::vector<std::string> expected;
    for (const char* name : {"once.txt", "held.txt", "closed.txt", "quiet.txt"}) {
        expected.push_back("An error occurred appending to file " + folder.file(name) +
                           "\r\nErr = Disk full");
        EXPECT_NE(log.find(expected.back()), std::string::npos) << name;
    }
    for (const char* name : {"list.txt", "short.txt"}) {
        expected.push_back("An Error occurred in SaveListboxToFile: 61 = Disk full while saving '" +
                           folder.file(name) + "'");
    }
    EXPECT_EQ(shownTexts(), expected);
    EXPECT_EQ(std::make_pair(linesSaved, shortLinesSaved), std::make_pair(0, 1));
}

// What the system refuses an ordinary user, whom tests/support/run_unprivileged.sh runs this
// test as (CTest runs it as nobody): root passes every permission check, so as root the test
// has nothing to check.
using RefusedOpenTest = ProgramFolderTest;

TEST_F(RefusedOpenTest, AFileTheUserMayNotOpenIsToldAndTheRestGoesOn) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root may open every file";
    // A folder that may be entered but not listed opens with no subfolders, the refusal noted.
    const std::string unlisted = folder.makeFolder("unlisted");
    folder.makeFolder("unlisted/inner");
    chmod(unlisted.c_str(), 0311);
    osfs::File missing;
    EXPECT_FALSE(missing.open(folder.file("missing.txt"), osfs::OpenMode::Read));
    osfs::FolderIdentity id;
    std::vector<std::string> subfolders{"stale"};
    EXPECT_TRUE(osfs::openFolder(unlisted, id, subfolders));
    EXPECT_TRUE(subfolders.empty());
    EXPECT_EQ(osfs::lastErrorDescription(), "Permission denied");

    // A product file that may not be read, found ordinary by the table's look-up: its block
    // stays, without text.
    chmod(folder.write("product/secret.ini", "x").c_str(), 0);
    osfs::HeldFolder held(folder.file("product"));
    osfs::FileFacts facts;
    ASSERT_TRUE(held.lookUp("secret.ini", facts));
    osfs::File file;
    EXPECT_EQ(file.openOrdinary(held, "secret.ini"), osfs::OrdinaryOpen::Unreadable);
    EXPECT_EQ(file.errorDescription(), "Permission denied");

    const std::string locked = folder.write("locked.txt", "");
    chmod(locked.c_str(), 0444);
    cFileIO writer;
    writer.init(locked);
    writer.appendLine("x");
    const std::string failure = locked + "\r\nErr = Permission denied";
    EXPECT_EQ(shownTexts(),
              std::vector<std::string>{"An error occurred appending to file " + failure});
    EXPECT_NE(logText().find("cFileIO - An error occurred opening the file " + failure),
              std::string::npos);
    EXPECT_EQ(gLog().CheckFileAvailability(locked), 0);
}

// Who a row of the tool folder's table runs as.
enum class Runs {
    Anyone,
    Root,  // it gives a folder to another user
    // An ordinary user whose home in the password database cannot be made (nobody's
    // /nonexistent): the row's answer comes from the database, and no test makes folders in a
    // real home.
    Homeless,
};

bool runsNow(Runs runs) {
    const passwd* user = getpwuid(geteuid());
    switch (runs) {
        case Runs::Anyone:
            return true;
        case Runs::Root:
            return geteuid() == 0;
        case Runs::Homeless:
            return geteuid() != 0 && user != nullptr && access(user->pw_dir, W_OK) != 0;
    }
    return false;
}

// Where the tool keeps its files, by the program's folder and the user's environment. "@"
// stands for a fresh temporary folder, where home is the user's own, open/configreport others
// may write to, theirs/configreport belongs to nobody, and locked may not be written; "~" for
// the user's home in the password database; "fresh" for a new folder private to the user. A
// null variable is unset.
TEST(ToolFolderTest, ProgramFolderUnlessItIsASystemFolderThenTheUsersOwnStateFolder) {
    using os::FolderRefusal;
    struct Row {
        const char* program;
        const char* stateHome;
        const char* home;
        const char* expected;
        FolderRefusal refusal;
        const char* refused;
        Runs runs;
    };
    const Row rows[] = {
        {"@/tool", "@/state", "@/home", "@/tool", FolderRefusal::None, "", Runs::Anyone},
        {"/usr/bin", "@/state", "@/home", "@/state/configreport", FolderRefusal::None, "",
         Runs::Anyone},
        {"/usr", "@/state", "@/home", "@/state/configreport", FolderRefusal::None, "",
         Runs::Anyone},
        {"/usr/local/bin", nullptr, "@/home", "@/home/.local/state/configreport",
         FolderRefusal::None, "", Runs::Anyone},
        {"/usr/bin", "relative/state", "@/home", "@/home/.local/state/configreport",
         FolderRefusal::None, "", Runs::Anyone},
        {"@/locked", "@/state", "@/home", "@/state/configreport", FolderRefusal::None, "",
         Runs::Homeless},
        {"/usr/bin", "@/file/below", "@/home", "fresh", FolderRefusal::Unusable,
         "@/file/below/configreport", Runs::Anyone},
        // Regression: a state folder of another user's, or one that others may write to, was
        // taken, and links planted in it turned the tool's writes elsewhere.
        {"/usr/bin", "@/open", "@/home", "fresh", FolderRefusal::OpenToOthers,
         "@/open/configreport", Runs::Anyone},
        {"/usr/bin", "@/theirs", "@/home", "fresh", FolderRefusal::NotTheUsers,
         "@/theirs/configreport", Runs::Root},
        // Regression: a HOME not the user's own (root under sudo -E) got folders the user could
        // not use; the password database's home counts, and the environment's state folder no
        // more than its HOME.
        {"/usr/bin", "@/state", "/tmp", "fresh", FolderRefusal::Unusable,
         "~/.local/state/configreport", Runs::Homeless},
        {"/usr/bin", nullptr, nullptr, "fresh", FolderRefusal::Unusable,
         "~/.local/state/configreport", Runs::Homeless},
    };
    for (const Row& row : rows) {
        if (!runsNow(row.runs))
            continue;
        TempFolder folder;
        folder.makeFolder("tool");
        folder.makeFolder("home");
        folder.write("file", "not a folder");
        chmod(folder.makeFolder("open/configreport").c_str(), 0777);
        chmod(folder.makeFolder("locked").c_str(), 0555);
        if (row.runs == Runs::Root) {
            ASSERT_EQ(chown(folder.makeFolder("theirs/configreport").c_str(), 65534, 65534), 0);
        }
        const auto expand = [&folder](const char* text) {
            const std::string value = text != nullptr ? text : "";
            if (value.rfind("~", 0) == 0)
                return getpwuid(geteuid())->pw_dir + value.substr(1);
            return value.rfind("@", 0) == 0 ? folder.path() + value.substr(1) : value;
        };
        const std::string stateValue = expand(row.stateHome), homeValue = expand(row.home);
        ScopedVariable state("XDG_STATE_HOME", row.stateHome ? stateValue.c_str() : nullptr);
        ScopedVariable user("HOME", row.home ? homeValue.c_str() : nullptr);
        const std::string programFolder = expand(row.program);
        const os::ToolFolder answer = os::toolFolderFor(programFolder);

        const bool fresh = std::string(row.expected) == "fresh";
        if (fresh) {
            EXPECT_EQ(answer.path.rfind("/tmp/configreport-", 0), 0u) << answer.path;
        } else {
            EXPECT_EQ(answer.path, expand(row.expected)) << row.program << " " << stateValue;
        }
        EXPECT_EQ(std::make_pair(answer.refusal, answer.refusedFolder),
                  std::make_pair(row.refusal, expand(row.refused)))
            << row.program << " " << stateValue;
        struct stat info {};
        EXPECT_TRUE(stat(answer.path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) << answer.path;
        if (answer.path != programFolder) {
            EXPECT_EQ(info.st_mode & 0777, 0700u) << answer.path;
            EXPECT_EQ(info.st_uid, geteuid()) << answer.path;
        }
        if (fresh)
            std::filesystem::remove(answer.path);
        // The program tells the user where its files go when that is not where it wanted.
        const AppObject program = describeProgram(programFolder + "/tool", true);
        EXPECT_EQ(program.PathNote.empty(), row.refusal == FolderRefusal::None) << row.program;
        if (row.refusal != FolderRefusal::None) {
            EXPECT_NE(program.PathNote.find(expand(row.refused)), std::string::npos);
            EXPECT_NE(program.PathNote.find("go to " + program.Path), std::string::npos);
        }
        if (fresh)
            std::filesystem::remove(program.Path);
    }
    // The running program's own folder, no system folder here, keeps its files.
    EXPECT_EQ(App().Path + "/" + App().EXEName, os::executablePath());
    EXPECT_EQ(App().PathNote, "");
}

// The resident memory, in KiB, of the mapping of this process that holds `at`, as the kernel
// counts it; -1 where no mapping holds it.
long residentKiB(const void* at) {
    const auto address = reinterpret_cast<std::uintptr_t>(at);
    std::ifstream maps("/proc/self/smaps");
    bool holds = false;
    for (std::string line; std::getline(maps, line);) {
        unsigned long from = 0, to = 0;
        if (std::sscanf(line.c_str(), "%lx-%lx ", &from, &to) == 2)
            holds = from <= address && address < to;
        else if (holds && line.rfind("Rss:", 0) == 0)
            return std::stol(line.substr(4));
    }
    return -1;
}

// A file's bytes mapped are the bytes read. The memory of those the reader is done with goes
// back, so that a reading of a large report stays small, and reading them again still gives
// them. An empty file and a file that is not open map nothing.
TEST(FileMappingLinuxTest, MapsTheFilesBytesAndTheMemoryOfThoseDoneWithGoesBack) {
    TempFolder temp;
    std::string bytes(24 << 20, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i * 7 / 3);
    osfs::File file;
    ASSERT_TRUE(file.open(temp.write("large.bin", bytes), osfs::OpenMode::Read));
    osfs::FileMapping mapping(file);
    ASSERT_TRUE(mapping.mapped());
    ASSERT_EQ(mapping.size(), bytes.size());
    EXPECT_TRUE(std::string_view(mapping.data(), mapping.size()) == bytes);
    const long touched = residentKiB(mapping.data());
    ASSERT_GE(touched, 20 << 10);
    mapping.release(mapping.size());
    EXPECT_LE(residentKiB(mapping.data()), touched - (16 << 10));
    EXPECT_TRUE(std::string_view(mapping.data(), mapping.size()) == bytes);

    osfs::File empty;
    ASSERT_TRUE(empty.open(temp.write("empty.bin", ""), osfs::OpenMode::Read));
    EXPECT_FALSE(osfs::FileMapping(empty).mapped());
    EXPECT_FALSE(osfs::FileMapping(osfs::File()).mapped());
}

// A mapped file that another program shortens ends the process that touches its lost bytes
// with the message and exit status asked for, not as a crash.
TEST(FileMappingDeathTest, LostBytesEndTheProcessWithTheMessageAskedFor) {
    TempFolder temp;
    const std::string name = temp.write("shortened.bin", std::string(64 * 1024, 'x'));
    EXPECT_EXIT(
        {
            osfs::endProcessOnLostMappedBytes("the bytes are lost\n", 2);
            osfs::File file;
            file.open(name, osfs::OpenMode::Read);
            osfs::FileMapping mapping(file);
            if (mapping.mapped() && truncate(name.c_str(), 0) == 0)
                std::printf("%d", static_cast<volatile const char*>(mapping.data())[60000]);
        },
        testing::ExitedWithCode(2), "the bytes are lost");
}

}  // namespace
