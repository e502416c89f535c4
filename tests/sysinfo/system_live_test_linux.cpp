// Checks against this machine of what always holds on Linux.
#include <fcntl.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "bench/pe_image.h"
#include "sysinfo/file_properties.h"
#include "sysinfo/file_version.h"
#include "sysinfo/process_list.h"
#include "sysinfo/sys_platform.h"
#include "sysinfo/system_facts.h"
#include "tests/support/temp_folder.h"
#include "toolkit/os/system_names.h"
#include "toolkit/program_state.h"
#include "toolkit/ui/headless/headless_controls.h"
#include "toolkit/ui/headless/headless_ui.h"

namespace {

bool listHolds(const ListBox& list, const std::string& line) {
    for (int i = 0; i < list.ListCount(); ++i) {
        if (list.List(i) == line)
            return true;
    }
    return false;
}

class LinuxLiveTest : public ::testing::Test {
protected:
    void SetUp() override { setSysPlatformForTesting(nullptr); }
    HeadlessUi& headless = installHeadlessUi();
};

TEST_F(LinuxLiveTest, MachineFactsComeFromTheSystem) {
    utsname host{};
    ASSERT_EQ(uname(&host), 0);
    EXPECT_EQ(getUserName(), getpwuid(geteuid())->pw_name);
    EXPECT_EQ(getComputerName(), host.nodename);

    HeadlessListBox drives;
    listFixedDrives(drives);
    EXPECT_TRUE(listHolds(drives, "/"));
    EXPECT_EQ(getWindowsDir(), "/usr/");
    EXPECT_GT(getFreeSpaceMB("/"), 0);
    EXPECT_EQ(getFreeSpaceMB("/no/such/folder"), 0);

    const MemoryStatus memory = sysPlatform().memoryStatus();
    EXPECT_GT(memory.totalPhys, 0u);
    EXPECT_LE(memory.availPhys, memory.totalPhys);
    EXPECT_LE(memory.memoryLoad, 100u);
    EXPECT_LT(memory.availVirtual, memory.totalVirtual);
    // 47 bits less one page, or the smaller limit this process runs under.
    rlimit limit{};
    ASSERT_EQ(getrlimit(RLIMIT_AS, &limit), 0);
    if (sizeof(void*) == 8) {
        EXPECT_EQ(memory.totalVirtual, std::min<std::uint64_t>(0x7FFFFFFFF000u, limit.rlim_cur));
    }
}

TEST_F(LinuxLiveTest, TheProcessListHoldsThisTestProgram) {
    HeadlessListBox list;
    gApp().TEST_getAndListApps(list);
    EXPECT_TRUE(listHolds(list, os::executablePath()));
    EXPECT_EQ(gApp().getVersion(), kFamilyNt);
}

TEST_F(LinuxLiveTest, FilePropertiesAndVersionsComeFromTheFiles) {
    TempFolder folder;
    const std::string text = folder.write("notes.txt", "12345");
    const std::string program = folder.write("tool.exe", programWithVersion("1.2"));

    clsFileProp props;
    props.FindFileInfo(text, false);
    EXPECT_EQ(props.ByteSize(), "5 bytes");
    EXPECT_EQ(props.FileType(), "TXT File");
    EXPECT_EQ(props.IconIndex(), 0);  // Linux gives no icons
    EXPECT_FALSE(props.LastWriteTime().empty());
    // The file's own times, in UTC: 2021-06-15 12:34:56.
    const timespec stamps[2] = {{1623760496, 0}, {1623760496, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, text.c_str(), stamps, 0), 0);
    props.FindFileInfo(text, false);
    EXPECT_EQ(props.LastAccessTime(), "2021-6-15 at 12:34:56");
    EXPECT_EQ(props.LastWriteTime(), "2021-6-15 at 12:34:56");
    EXPECT_EQ(getFileVersion(program), "1.2");
    EXPECT_EQ(getFileVersion(text), "");

    props.FindFileInfo(folder.path(), false);
    ASSERT_EQ(headless.shown.size(), 1u);
    EXPECT_EQ(headless.shown[0].text, "Can't open the file");
}

}  // namespace
