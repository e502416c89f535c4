#include "sysinfo/file_properties.h"

#include <gtest/gtest.h>

#include "tests/sysinfo/fake_sys_platform.h"
#include "toolkit/os/file_system.h"
#include "toolkit/ui/headless/headless_ui.h"

namespace {

// A version block as 16-bit Windows stored it: one byte per character, keys and values padded
// to 4 bytes.
VersionBlock byteCharacterBlock() {
    const std::string text =
        std::string(8, '\x01') + "CompanyName" + std::string(1, '\0') + "Maker Ltd" +
        std::string(3, '\0') + "FileVersion" + std::string(1, '\0') + "3.1" + std::string(1, '\0') +
        "OriginalFilename" + std::string(4, '\0') + "TOOL.EXE" + std::string(4, '\0') +
        "ProductName" + std::string(1, '\0') + "unterminated";
    return VersionBlock(text.begin(), text.end());
}

TEST(FilePropertiesTest, SummaryBlockAndByteSizeOfAFile) {
    FakeSysPlatform& fake = installFakeSysPlatform();
    HeadlessUi& headless = installHeadlessUi();
    const std::string file =
        "c:\\donn\xC3\xA9"
        "es\\tool.exe";  // "données"
    fake.findRecords[file] = {osfs::kAttrArchive | osfs::kAttrHidden, 5000000000ull};
    fake.times[file] = {{2005, 5, 22, 14, 5, 9}, {2006, 1, 2, 0, 0, 1}, {2007, 12, 31, 23, 59, 58}};
    fake.versionBlocks[file] = byteCharacterBlock();

    clsFileProp props;
    EXPECT_EQ(props.FindFileInfo(file, false), 0);
    EXPECT_EQ(props.GetAllFileInfo(),
              "File Created on = 22-May-2005 (Sun) at 14:05:09  "
              "Last Written on = 31-Dec-2007 (Mon) at 23:59:58  "
              "Last Accessed on= 02-Jan-2006 (Mon)\r\n"
              "OriginalFileName= TOOL.EXE\r\n"
              "ProductName     = \r\n"  // a value without its zero is not taken
              "FileVersion     = 3.1\r\n"
              "Temporary       = False\r\n"
              "IconIndex       = 7\r\n"
              "\r\n"
              "Normal          = False\r\n"
              "Archive         = True\r\n"
              "ReadOnly        = False\r\n"
              "System          = False\r\n"
              "Hidden          = True\r\n"
              "Compress        = False\r\n");
    EXPECT_EQ(props.ByteSize(), "5,000,000,000 bytes");  // beyond 4 GB: the high part is kept
    EXPECT_EQ(props.FileName(),
              "C:\\DONN\xC3\x89"
              "ES\\TOOL.EXE");  // accented letters too
    EXPECT_TRUE(headless.shown.empty());

    fake.findRecords[file].size = 0;
    props.FindFileInfo(file, false);
    EXPECT_EQ(props.ByteSize(), " bytes");
}

}  // namespace
