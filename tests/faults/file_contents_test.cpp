// Files whose contents are not what a text reader expects: one line of 2 GB, binary bytes.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/faults/fault_fixture.h"
#include "tests/faults/peak_memory.h"

using namespace std::string_literals;

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

TEST_F(FileContents, BinaryBytesInTextFilesAreEmbeddedAsTheyAre) {
    std::string bytes;
    for (int i = 0; i < 256; ++i)
        bytes += static_cast<char>(i);
    const std::string withoutLineEnds = "before\0after\x01\x7f\xff end"s;
    folder.write("product/binary.ini", bytes + bytes);
    folder.write("product/zeros.txt", withoutLineEnds);
    folder.write("product/program.log", std::string(4096, '\0') + "\r\nlast line\r\n");

    expectReport(
        folder.file("product"), 1,
        {withoutLineEnds + "<BR>\r\n", std::string(4096, '\0') + "<BR>\r\nlast line<BR>\r\n",
         // Every byte other than the line ends comes through.
         bytes.substr(14, 256 - 14) + bytes.substr(0, 10)});
}

}  // namespace
