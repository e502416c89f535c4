// Checks under Wine of what always holds on Windows, and the comparison of the system's
// version reader with our own portable one.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "bench/pe_image.h"
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
    EXPECT_TRUE(readersAgree(folder.write("one.exe", programWithVersion("1.2.3.4"))));
    // A version resource named other than 1, as Python's launchers name theirs 102.
    ProgramImageLayout renamed{true, true, 16, 102, {}};
    renamed.languages = {{0x409, buildVersionBlock({{{0x0409, 0x04B0}},
                                                    {{"040904B0", {{"ProductVersion", u"9"}}}}})}};
    EXPECT_FALSE(readersAgree(folder.write("renamed.exe", buildProgramImage(renamed))));
    wchar_t system[MAX_PATH];
    const std::string systemFolder =
        narrow(std::wstring(system, GetSystemDirectoryW(system, MAX_PATH)));
    for (const char* program : {"explorer.exe", "msiexec.exe", "kernel32.dll", "shell32.dll"})
        EXPECT_TRUE(readersAgree(systemFolder + "\\" + program)) << program;
    // Wine's notepad carries no version resource: both readers must say so.
    EXPECT_FALSE(readersAgree(systemFolder + "\\notepad.exe"));
}

// Every program and library of the system folder, as a product folder may hold any of them.
TEST(WineLiveTest, OurVersionReaderAgreesWithTheSystemsOnEveryProgramOfTheSystemFolder) {
    setSysPlatformForTesting(nullptr);
    wchar_t system[MAX_PATH];
    const std::wstring systemFolder(system, GetSystemDirectoryW(system, MAX_PATH));
    int programs = 0;
    int versioned = 0;
    for (const wchar_t* pattern : {L"\\*.exe", L"\\*.dll"}) {
        WIN32_FIND_DATAW found{};
        const HANDLE search = FindFirstFileW((systemFolder + pattern).c_str(), &found);
        ASSERT_NE(search, INVALID_HANDLE_VALUE);
        do {
            ++programs;
            versioned += readersAgree(narrow(systemFolder + L"\\" + found.cFileName));
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    EXPECT_GT(programs, 100);
    EXPECT_GT(versioned, programs / 4);  // Wine gives a third of them a version resource
}

}  // namespace
