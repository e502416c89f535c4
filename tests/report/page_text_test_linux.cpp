// A file that opens but cannot be read: the kernel answers every read of the process's own
// memory at offset 0 with an I/O error.
#include <gtest/gtest.h>

#include <string>

#include "report/read_text_file.h"
#include "tests/report/support/report_fixture.h"
#include "toolkit/os/file_system.h"

namespace {

using PageTextTest = ReportTest;

TEST_F(PageTextTest, AFileWhoseReadFailsIsLoggedAndLeavesNoText) {
    const std::string name = "/proc/self/mem";
    for (const bool byLines : {true, false}) {
        osfs::File file;
        ASSERT_TRUE(file.open(name, osfs::OpenMode::Read));
        std::string text = "from the file before";
        int cap = 5;
        ReadTextFileInto(text, file, name, byLines, true, cap);
        EXPECT_EQ(text, "") << byLines;
    }
    // Logged once for each way of reading.
    const std::string logged = ", Cant load the file " + name + "\r\n";
    const std::string log = logText();
    const std::size_t first = log.find(logged);
    ASSERT_NE(first, std::string::npos);
    EXPECT_NE(log.find(logged, first + logged.size()), std::string::npos);
}

}  // namespace
