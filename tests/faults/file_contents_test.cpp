// Files whose contents are not what a text reader expects: one line of 2 GB, binary bytes.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <string>

#include "tests/faults/fault_fixture.h"

namespace {

// The largest block asked for since the test cleared it: reading the 2 GB file whole would take
// one of gigabytes. Only new is replaced; the library's delete already calls free.
std::atomic<std::size_t> largestAllocation{0};

}  // namespace

void* operator new(std::size_t size) {
    std::size_t largest = largestAllocation.load();
    while (size > largest && !largestAllocation.compare_exchange_weak(largest, size)) {
    }
    if (void* block = std::malloc(size == 0 ? 1 : size))
        return block;
    throw std::bad_alloc();
}

namespace {

constexpr std::size_t kMiB = 1024 * 1024;

class FileContents : public FaultTest {};

TEST_F(FileContents, TwoGigabyteLogWithoutLineEndGivesOneMebibyteAndTheWarning) {
    // A sparse file: 2 GB of NUL bytes and not a single line end, at no cost on disk.
    const std::string log = folder.write("product/huge.log", "");
    std::filesystem::resize_file(std::filesystem::u8path(log), 2048 * kMiB);
    largestAllocation = 0;

    const std::string text = expectReport(folder.file("product"), 1, {});
    EXPECT_LT(largestAllocation, 64 * kMiB) << largestAllocation;
    const std::string opening = "<td bgcolor=#F4F4F4>\r\n";
    const auto start = text.find(opening) + opening.size();
    const auto warning = text.find("WARNING - FILE NOT FULLY LOADED (maxLines = 200");
    ASSERT_NE(warning, std::string::npos);
    EXPECT_EQ(text.substr(start, warning - start), std::string(kMiB, '\0') + "<BR>\r\n");
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
