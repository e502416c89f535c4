// Checks under Wine of what always holds on Windows, and the comparison of the system's
// version reader with our own portable one.
#include <windows.h>

#include <gtest/gtest.h>

#include "sysinfo/process_list.h"
#include "sysinfo/sys_platform.h"
#include "sysinfo/system_facts.h"
#include "sysinfo/version_record.h"
#include "tests/support/temp_folder.h"
#include "tests/sysinfo/damaged_version_blocks.h"
#include "toolkit/os/system_names.h"
#include "toolkit/os/wide_text_win32.h"
#include "toolkit/program_state.h"
#include "toolkit/ui/headless/headless_controls.h"
#include "toolkit/ui/headless/headless_ui.h"

namespace {

// Whether a line of the list equals `text` without regard to case.
bool listHolds(const ListBox& list, const std::string& text) {
    for (int i = 0; i < list.ListCount(); ++i) {
        if (CompareStringOrdinal(widen(list.List(i)).c_str(), -1, widen(text).c_str(), -1, TRUE) ==
            CSTR_EQUAL)
            return true;
    }
    return false;
}

std::string systemFolder() {
    wchar_t path[MAX_PATH];
    return narrow(std::wstring(path, GetSystemDirectoryW(path, MAX_PATH)));
}

std::string environment(const wchar_t* name) {
    wchar_t value[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH);
    return length > 0 && length < MAX_PATH ? narrow(std::wstring(value, length)) : std::string();
}

class WineLiveTest : public ::testing::Test {
protected:
    void SetUp() override { setSysPlatformForTesting(nullptr); }
    HeadlessUi& headless = installHeadlessUi();
};

TEST_F(WineLiveTest, MachineFactsComeFromThePrefix) {
    HeadlessListBox list;
    gApp().TEST_getAndListApps(list);
    EXPECT_TRUE(listHolds(list, os::executablePath())) << os::executablePath();
    EXPECT_EQ(gApp().getVersion(), kFamilyNt);

    list.Clear();
    listFixedDrives(list);
    EXPECT_TRUE(listHolds(list, "C:"));
    EXPECT_GT(getFreeSpaceMB("C:\\"), 0);
    EXPECT_EQ(getFreeSpaceMB("Q:\\no\\such\\drive"), 0);
    EXPECT_EQ(getMyDocumentsFolder(), environment(L"USERPROFILE") + "\\Documents");
    EXPECT_EQ(getWindowsDir(), environment(L"SystemRoot") + "\\");
    EXPECT_TRUE(headless.shown.empty());

    EXPECT_FALSE(getUserName().empty());
    EXPECT_FALSE(getComputerName().empty());
    const MemoryStatus memory = sysPlatform().memoryStatus();
    EXPECT_GT(memory.totalPhys, 0u);
    EXPECT_LE(memory.availPhys, memory.totalPhys);
}

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

TEST_F(WineLiveTest, OurVersionReaderAgreesWithTheSystems) {
    const std::string self = os::executablePath();
    const std::string sample =
        self.substr(0, self.find_last_of('\\') + 1) + "cr_version_sample.exe";
    VersionRecord record;
    ASSERT_TRUE(loadVersionRecord(sysPlatform(), sample, record));
    EXPECT_EQ(record.translationCode, "040704E4");
    EXPECT_EQ(record.fileVersion, "4.3.2.1 (de)");
    EXPECT_EQ(record.productVersion, "9.8 (de)");
    EXPECT_TRUE(readersAgree(sample));

    TempFolder folder;
    EXPECT_FALSE(readersAgree(folder.write("plain.txt", "no resource here")));
    EXPECT_FALSE(readersAgree(self));
    for (const char* program : {"explorer.exe", "msiexec.exe", "kernel32.dll", "shell32.dll"})
        EXPECT_TRUE(readersAgree(systemFolder() + "\\" + program)) << program;
    // Wine's notepad carries no version resource: both readers must say so.
    EXPECT_FALSE(readersAgree(systemFolder() + "\\notepad.exe"));
}

// Regression: the system's query hands back the length the resource declares, and the reader
// copied that many units, up to 128 KiB past the block. Each block lies in a buffer whose room
// beyond it is filled with non-zero bytes, so a read past its end shows in the value.
TEST_F(WineLiveTest, DamagedVersionBlocksAreNeverReadPastTheirEnd) {
    TempFolder folder;
    int image = 0;
    for (const DamagedVersionBlock& row : damagedVersionBlocks()) {
        VersionBlock block = row.block;
        block.resize(block.size() + 0x20000, 'X');
        block.resize(row.block.size());  // the bytes stay in the buffer, outside the block
        std::string value;
        EXPECT_TRUE(sysPlatform().queryVersionValue(block, row.query, value)) << row.damage;
        EXPECT_EQ(value, row.expected) << row.damage;

        // The same block in a program file, read by both readers from the disk.
        ProgramImageLayout layout;
        layout.languages = {{0x409, row.block}};
        readersAgree(
            folder.write("damaged" + std::to_string(++image) + ".exe", buildProgramImage(layout)));
    }
}

}  // namespace
