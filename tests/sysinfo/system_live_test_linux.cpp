// Checks against this machine of what always holds on Linux.
#include <fcntl.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>

#include "sysinfo/file_properties.h"
#include "sysinfo/sys_platform.h"
#include "sysinfo/system_facts.h"
#include "tests/support/closed_standard_input_linux.h"
#include "tests/support/temp_folder.h"
#include "tests/sysinfo/live_machine.h"
#include "toolkit/ui/headless/headless_ui.h"

// The user's address space is 47 bits less one page, or the smaller limit this process runs
// under; the documents are the folder that the user-dirs file in XDG_CONFIG_HOME names.
LiveMachine liveMachine() {
    rlimit limit{};
    getrlimit(RLIMIT_AS, &limit);
    static const TempFolder config;  // also the home, which is not the account's own
    config.write("user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/Live Documents\"\n");
    setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
    setenv("HOME", config.path().c_str(), 1);
    char host[256] = {};
    gethostname(host, sizeof host - 1);
    const passwd* user = getpwuid(geteuid());  // none where the user has no entry
    return {"/",
            "/no/such/folder",
            "/usr/",
            config.path() + "/Live Documents",
            std::min<std::uint64_t>(0x7FFFFFFFF000u, limit.rlim_cur),
            user != nullptr ? user->pw_name : "",
            host};
}

namespace {

// The version of a program on the disk is read through this platform by the golden report.
TEST(LinuxLiveTest, FilePropertiesComeFromTheFile) {
    setSysPlatformForTesting(nullptr);
    HeadlessUi& headless = installHeadlessUi();
    TempFolder folder;
    const std::string text = folder.write("notes.txt", "12345");

    // The file's own times, in UTC: 2021-06-15 12:34:56.
    const timespec stamps[2] = {{1623760496, 0}, {1623760496, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, text.c_str(), stamps, 0), 0);
    chmod(text.c_str(), 0444);
    clsFileProp props;
    withStandardInputClosed([&] { props.FindFileInfo(text, false); });
    EXPECT_EQ(props.ByteSize(), "5 bytes");
    EXPECT_EQ(props.FileType(), "TXT File");
    EXPECT_EQ(props.IconIndex(), 0);  // Linux gives no icons
    EXPECT_TRUE(props.ReadOnly());
    EXPECT_EQ(props.LastAccessTime(), "2021-6-15 at 12:34:56");
    EXPECT_EQ(props.LastWriteTime(), "2021-6-15 at 12:34:56");

    props.FindFileInfo(folder.path(), false);
    ASSERT_EQ(headless.shown.size(), 1u);
    EXPECT_EQ(headless.shown[0].text, "Can't open the file");
}

// A process whose program the system does not show, as a kernel thread's or an exited child's
// not yet waited for, is left out of the process list, not listed with an empty name.
TEST(LinuxLiveTest, AProcessWhoseProgramCannotBeReadIsLeftOut) {
    setSysPlatformForTesting(nullptr);
    const pid_t child = fork();
    if (child == 0)
        _exit(0);
    ASSERT_GT(child, 0);
    // Exited and not waited for, the child stays as a zombie, whose program link reads nothing.
    const std::string stat = "/proc/" + std::to_string(child) + "/stat";
    std::string state;
    for (int tries = 0; tries < 5000 && state != "Z"; ++tries) {
        std::ifstream in(stat);
        std::string pid, name;
        in >> pid >> name >> state;
        if (state != "Z")
            usleep(1000);
    }
    EXPECT_EQ(state, "Z");
    EXPECT_EQ(sysPlatform().openProcess(static_cast<std::uint32_t>(child)), nullptr);
    waitpid(child, nullptr, 0);
}

// Without HOME, as in a service's environment, the home is the account's own from the password
// database, and the documents folder is found under it.
TEST(LinuxLiveTest, WithoutHomeTheAccountsOwnHomeHoldsTheDocuments) {
    setSysPlatformForTesting(nullptr);
    const passwd* user = getpwuid(geteuid());
    if (user == nullptr || user->pw_dir == nullptr || user->pw_dir == std::string("/"))
        GTEST_SKIP() << "the account has no home of its own";
    const std::string accountHome = user->pw_dir;
    TempFolder config;
    config.write("user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/Docs\"\n");
    const std::string oldHome = std::getenv("HOME") != nullptr ? std::getenv("HOME") : "";
    const char* oldConfig = std::getenv("XDG_CONFIG_HOME");
    const std::string savedConfig = oldConfig != nullptr ? oldConfig : "";
    setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
    unsetenv("HOME");
    const std::string documents = getMyDocumentsFolder();
    setenv("HOME", oldHome.c_str(), 1);
    if (oldConfig != nullptr)
        setenv("XDG_CONFIG_HOME", savedConfig.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(documents, accountHome + "/Docs");
}

// Without HOME and without an entry in the password database (a container's arbitrary user),
// there is no documents folder, and asking for it is no crash.
TEST(LinuxLiveTest, AnAccountWithoutHomeOrEntryHasNoDocumentsFolder) {
    constexpr uid_t kUnknownUser = 54321;
    if (geteuid() != 0 || getpwuid(kUnknownUser) != nullptr)
        GTEST_SKIP() << "becoming an unknown user takes root";
    setSysPlatformForTesting(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        unsetenv("HOME");
        _exit(setuid(kUnknownUser) == 0 && getMyDocumentsFolder().empty() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

}  // namespace
