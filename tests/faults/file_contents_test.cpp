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

    runReport({folder.file("product")});

    ASSERT_TRUE(reportIsComplete()) << messagesShown();
    const std::string text = reportText();
    const std::string opening = "<td bgcolor=#F4F4F4>\r\n";
    const auto start = text.find(opening);
    const auto warning = text.find("WARNING - FILE NOT FULLY LOADED (maxLines = 200");
    ASSERT_NE(start, std::string::npos);
    ASSERT_NE(warning, std::string::npos);
    const auto embedded = static_cast<std::int64_t>(warning - start - opening.size());
    EXPECT_GE(embedded, kMiB);
    EXPECT_LE(embedded, kMiB + 16);
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

    runReport({folder.file("product")});

    ASSERT_TRUE(reportIsComplete()) << messagesShown();
    const std::string text = reportText();
    EXPECT_TRUE(contains(text, withoutLineEnds + "<BR>\r\n"));
    EXPECT_TRUE(contains(text, std::string(4096, '\0') + "<BR>\r\nlast line<BR>\r\n"));
    // Every byte other than the line ends comes through.
    EXPECT_TRUE(contains(text, bytes.substr(14, 256 - 14) + bytes.substr(0, 10)));
}

}  // namespace
