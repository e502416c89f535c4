#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "tests/support/temp_folder.h"
#include "toolkit/os/file_mapping.h"
#include "toolkit/os/file_system.h"

namespace {

// A file's bytes mapped are the bytes read, also after the memory that held them was handed
// back; an empty file and a file that is not open map nothing.
TEST(FileMapping, MapsTheBytesTheFileHoldsAndReadsThemAgainAfterTheirMemoryWentBack) {
    TempFolder temp;
    std::string bytes(20 * 1024 * 1024 + 12345, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i * 7 / 3);
    osfs::File file;
    ASSERT_TRUE(file.open(temp.write("large.bin", bytes), osfs::OpenMode::Read));
    osfs::FileMapping mapping(file);
    ASSERT_TRUE(mapping.mapped());
    ASSERT_EQ(mapping.size(), bytes.size());
    EXPECT_TRUE(std::string_view(mapping.data(), mapping.size()) == bytes);
    for (const std::uint64_t done : {std::uint64_t{1}, std::uint64_t{9} << 20, bytes.size() + 1}) {
        mapping.release(done);
        EXPECT_TRUE(std::string_view(mapping.data(), mapping.size()) == bytes) << done;
    }

    osfs::File empty;
    ASSERT_TRUE(empty.open(temp.write("empty.bin", ""), osfs::OpenMode::Read));
    EXPECT_FALSE(osfs::FileMapping(empty).mapped());
    EXPECT_FALSE(osfs::FileMapping(osfs::File()).mapped());
}

}  // namespace
