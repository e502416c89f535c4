// A Windows file state: a product file held open by another program.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

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

}  // namespace
