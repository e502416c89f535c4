// Checks under Wine of what always holds on Windows, and the comparison of the system's
// version reader with our own portable one.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "sysinfo/sys_platform.h"
#include "sysinfo/version_record.h"
#include "tests/support/temp_folder.h"
#include "tests/sysinfo/live_machine.h"
#include "toolkit/os/system_names.h"
#include "toolkit/os/wide_text_win32.h"

LiveMachine liveMachine() {
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    const auto lowest = reinterpret_cast<std::uintptr_t>(system.lpMinimumApplicationAddress);
    const auto highest = reinterpret_cast<std::uintptr_t>(system.lpMaximumApplicationAddress);
    return {"C:",
            "Q:\\no\\such\\drive",
            narrow(_wgetenv(L"SystemRoot")) + "\\",
            narrow(_wgetenv(L"USERPROFILE")) + "\\Documents",
            highest - lowest + 1,
            narrow(_wgetenv(L"USERNAME")),
            narrow(_wgetenv(L"COMPUTERNAME"))};
}

namespace {

// Whether the system's reader finds a version with a ProductVersion in the file; ours must
// agree with it on that, on the translation code and on the two versions.
bool readersAgree(const std::string& path) {
    PeVersionSource ours;
    VersionRecord fromSystem, fromOurs;
    const bool found = loadVersionRecord(sysPlatform(), path, fromSystem);
    EXPECT_EQ(loadVersionRecord(ours, path, fromOurs), found) << path;
    EXPECT_EQ(fromOurs.translationCode, fromSystem.translationCode) << path;
    EXPECT_EQ(fromOurs.fileVersion, fromSystem.fileVersion) << path;
    EXPECT_EQ(fromOurs.productVersion, fromSystem.productVersion) << path;
    return found;
}

// The test program carries a version resource of two translations whose strings differ.
TEST(WineLiveTest, OurVersionReaderAgreesWithTheSystems) {
    setSysPlatformForTesting(nullptr);
    EXPECT_TRUE(readersAgree(os::executablePath()));

    TempFolder folder;
    EXPECT_FALSE(readersAgree(folder.write("plain.txt", "no resource here")));
    wchar_t system[MAX_PATH];
    const std::string systemFolder =
        narrow(std::wstring(system, GetSystemDirectoryW(system, MAX_PATH)));
    for (const char* program : {"explorer.exe", "msiexec.exe", "kernel32.dll", "shell32.dll"})
        EXPECT_TRUE(readersAgree(systemFolder + "\\" + program)) << program;
    // Wine's notepad carries no version resource: both readers must say so.
    EXPECT_FALSE(readersAgree(systemFolder + "\\notepad.exe"));
}

}  // namespace
