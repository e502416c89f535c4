// Files whose contents are not what a text reader expects: one line of 2 GB, binary bytes.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/faults/fault_fixture.h"
#include "tests/faults/peak_memory.h"

namespace {

constexpr std::int64_t kMiB = 1024 * 1024;

class FileContents : public FaultTest {};

TEST_F(FileContents, TwoGigabyteLogWithoutLineEndGivesOneMebibyteAndTheWarning) {
    // A sparse file: 2 GB of NUL bytes and not a single line end, at no cost on disk.
    const std::string log = folder.write("product/huge.log", "");
    std::filesystem::resize_file(std::filesystem::u8path(log), 2048 * kMiB);
    resetPeakMemory();

    const std::string text = expectReport(folder.file("product"), 1, {});
    const std::string opening = "<td bgcolor=#F4F4F4>\r\n";
    const auto start = text.find(opening) + opening.size();
    const auto warning = text.find("WARNING - FILE NOT FULLY LOADED (maxLines = 200");
    ASSERT_NE(warning, std::string::npos);
    EXPECT_EQ(text.substr(start, warning - start), std::string(kMiB, '\0') + "<BR>\r\n");
    // Reading the file whole would hold gigabytes; the bound keeps the run small.
    EXPECT_LT(peakMemoryBytes(), 512 * kMiB);
}

// On Windows the text goes through the code page on its way in and out, and must come back
// byte for byte.
TEST_F(FileContents, BinaryBytesInTextFilesAreEmbeddedAsTheyAre) {
    std::string everyOtherByte;  // every byte but the line ends, NUL and 0xFF among them
    for (int byte = 0; byte < 256; ++byte) {
        if (byte != '\r' && byte != '\n')
            everyOtherByte += static_cast<char>(byte);
    }
    const std::string zeros(4096, '\0');
    folder.write("product/binary.ini", everyOtherByte);
    folder.write("product/program.log", zeros + "\r\nlast line\r\n");

    expectReport(folder.file("product"), 1,
                 {everyOtherByte + "<BR>\r\n", zeros + "<BR>\r\nlast line<BR>\r\n"});
}

}  // namespace
