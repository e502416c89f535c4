// Files of an earlier run held open without sharing by another program (a viewer, a virus
// scanner): the tool can neither replace nor read them.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/faults/fault_fixture.h"
#include "toolkit/os/wide_text_win32.h"

namespace {

class LockedFiles : public FaultTest {};

TEST_F(LockedFiles, LockedFilesOfAnEarlierRunAreLeftIntactAndTheRunEnds) {
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

    runReport({folder.file("product")});
    for (HANDLE lock : locks)
        CloseHandle(lock);

    EXPECT_TRUE(contains(messagesShown(), "An error occurred appending to file " + reportPath()));
    for (const char* name : kEarlier) {
        EXPECT_EQ(folder.read(name), std::string("earlier ") + name + "\r\n") << name;
    }
}

}  // namespace
