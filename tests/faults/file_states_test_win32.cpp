// Windows file states: files held open by other programs.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/faults/fault_fixture.h"
#include "toolkit/os/wide_text_win32.h"

namespace {

using FileStates = FaultTest;

// A file held by another program without sharing is listed and gets its block, with no text.
TEST_F(FileStates, AProductFileHeldWithoutSharingGetsItsBlockWithNoText) {
    const std::string held = folder.write("product/held.ini", "held=1\r\n");
    const HANDLE lock = CreateFileW(widen(held).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    expectReport(folder.file("product"), 1, {"<TR><TD>held.ini</td>", "<H3>" + held + "</H3>"},
                 {"held=1"});
    CloseHandle(lock);
}

// A viewer or a virus scanner may hold the files of an earlier run without sharing.
TEST_F(FileStates, LockedFilesOfAnEarlierRunAreLeftIntactAndTheRunEnds) {
    folder.write("product/a.ini", "a=1\r\n");
    const char* const kEarlier[] = {"morvasoftware_bug_report.htm", "tool.log", "style.css",
                                    "_tmpApps.txt", "_tmpFiles.txt"};
    std::vector<HANDLE> locks;
    for (const char* name : kEarlier) {
        const std::string path = folder.write(name, std::string("earlier ") + name + "\r\n");
        locks.push_back(CreateFileW(widen(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_NE(locks.back(), INVALID_HANDLE_VALUE) << name;
    }

    runReport(folder.file("product"));
    for (HANDLE lock : locks)
        CloseHandle(lock);

    EXPECT_TRUE(contains(messagesShown(), "An error occurred appending to file " + reportPath()));
    for (const char* name : kEarlier)
        EXPECT_EQ(folder.read(name), std::string("earlier ") + name + "\r\n") << name;
}

}  // namespace
