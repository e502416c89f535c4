// Files whose contents are not what a text reader expects: one line of 2 GB, binary bytes. On
// Windows the text goes through the code page on its way in and out, and must come back byte
// for byte.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/faults/fault_fixture.h"

namespace {

constexpr std::size_t kMiB = 1024 * 1024;

using FileContents = FaultTest;

TEST_F(FileContents, HugeLineIsCutAtOneMebibyteAndBinaryBytesAreEmbeddedAsTheyAre) {
    // A sparse file: 2 GB of NUL bytes and not a single line end, at no cost on disk.
    const std::string log = folder.write("product/huge.log", "");
    std::filesystem::resize_file(std::filesystem::u8path(log), 2048 * kMiB);
    std::string everyOtherByte;  // every byte but the line ends, NUL and 0xFF among them
    for (int byte = 0; byte < 256; ++byte) {
        if (byte != '\r' && byte != '\n')
            everyOtherByte += static_cast<char>(byte);
    }
    folder.write("product/binary.ini", everyOtherByte);
    const std::string zeros(4096, '\0');
    folder.write("product/program.log", zeros + "\r\nlast line\r\n");

    const std::size_t peakBefore = peakResidentBytes();
    expectReport(folder.file("product"), 1,
                 {"<td bgcolor=#F4F4F4>\r\n" + std::string(kMiB, '\0') +
                      "<BR>\r\nWARNING - FILE NOT FULLY LOADED (maxLines = 200",
                  everyOtherByte + "<BR>\r\n", zeros + "<BR>\r\nlast line<BR>\r\n"});
    // Reading the 2 GB file whole would raise the peak by gigabytes; an earlier peak can hide
    // only a rise smaller than itself.
    EXPECT_LT(peakResidentBytes() - peakBefore, 64 * kMiB);
}

}  // namespace
