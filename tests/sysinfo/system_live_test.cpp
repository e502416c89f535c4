// Checks against this machine of what always holds, on every platform.
#include <gtest/gtest.h>

#include "sysinfo/process_list.h"
#include "sysinfo/sys_platform.h"
#include "sysinfo/system_facts.h"
#include "tests/sysinfo/live_machine.h"
#include "toolkit/os/system_names.h"
#include "toolkit/os/text_case.h"
#include "toolkit/program_state.h"
#include "toolkit/ui/headless/headless_controls.h"
#include "toolkit/ui/headless/headless_ui.h"

namespace {

// Whether a line of the list names `name`; Wine may spell a path in another case.
bool listHolds(const ListBox& list, const std::string& name) {
    for (int i = 0; i < list.ListCount(); ++i) {
        if (os::upperCase(list.List(i)) == os::upperCase(name))
            return true;
    }
    return false;
}

TEST(SystemLiveTest, MachineFactsComeFromTheSystem) {
    setSysPlatformForTesting(nullptr);
    HeadlessUi& headless = installHeadlessUi();
    const LiveMachine machine = liveMachine();
    HeadlessListBox list;
    gApp().TEST_getAndListApps(list);
    EXPECT_TRUE(listHolds(list, os::executablePath())) << os::executablePath();

    list.Clear();
    listFixedDrives(list);
    EXPECT_TRUE(listHolds(list, machine.fixedDrive));
    EXPECT_GT(getFreeSpaceMB(machine.fixedDrive), 0);
    EXPECT_EQ(getFreeSpaceMB(machine.missingFolder), 0);
    EXPECT_EQ(getWindowsDir(), machine.windowsFolder);
    EXPECT_EQ(getMyDocumentsFolder(), machine.documents);
    EXPECT_TRUE(headless.shown.empty());
    EXPECT_EQ(getUserName() + "/" + getComputerName(),
              machine.userName + "/" + machine.computerName);

    const MemoryStatus memory = sysPlatform().memoryStatus();
    EXPECT_GT(memory.totalPhys, 0u);
    EXPECT_LE(memory.availPhys, memory.totalPhys);
    EXPECT_LE(memory.memoryLoad, 100u);
    EXPECT_LT(memory.availVirtual, memory.totalVirtual);
    EXPECT_EQ(memory.totalVirtual, machine.addressSpace);
}

}  // namespace
