#include "sysinfo/file_properties.h"

#include <gtest/gtest.h>

#include "tests/sysinfo/fake_sys_platform.h"
#include "toolkit/os/file_system.h"
#include "toolkit/os/os_traits.h"
#include "toolkit/ui/headless/headless_ui.h"

namespace {

// A version block as 16-bit Windows stored it: one byte per character, each key and value
// with its zero, padded to 4 bytes. The last value lacks its zero.
VersionBlock byteCharacterBlock(const std::vector<std::pair<std::string, std::string>>& strings) {
    std::string text(8, '\x01');
    for (const auto& [key, value] : strings) {
        for (const std::string& part : {key, value}) {
            text += part + '\0';
            text.resize((text.size() + 3) / 4 * 4, '\0');
        }
    }
    text += "ProductName";
    text.resize(text.size() + 1, '\0');
    text += "unterminated";
    return VersionBlock(text.begin(), text.end());
}

class FilePropertiesTest : public ::testing::Test {
protected:
    FakeSysPlatform& fake = installFakeSysPlatform();
    HeadlessUi& headless = installHeadlessUi();
    clsFileProp props;
};

TEST_F(FilePropertiesTest, SummaryBlockVersionStringsAndByteSizeOfAFile) {
    const std::string file = "c:\\donn\u00e9es\\tool.exe";
    fake.findRecords[file] = {osfs::kAttrArchive | osfs::kAttrHidden, 5000000000ull};
    fake.times[file] = {{2005, 5, 22, 14, 5, 9}, {2006, 1, 2, 0, 0, 1}, {2007, 12, 31, 23, 59, 58}};
    const struct {
        const char* key;
        const std::string& (clsFileProp::*field)() const;
    } keys[] = {
        {"CompanyName", &clsFileProp::CompanyName},
        {"FileDescription", &clsFileProp::FileDescription},
        {"FileVersion", &clsFileProp::FileVersion},
        {"InternalName", &clsFileProp::InternalName},
        {"LegalCopyright", &clsFileProp::LegalCopyright},
        {"OriginalFilename", &clsFileProp::OriginalFileName},
        {"ProductVersion", &clsFileProp::ProductVersion},
    };
    std::vector<std::pair<std::string, std::string>> strings;
    for (const auto& k : keys)
        strings.emplace_back(k.key, std::string("v-") + k.key);
    fake.versionBlocks[file] = byteCharacterBlock(strings);

    EXPECT_EQ(props.FindFileInfo(file, false), 0);
    for (const auto& k : keys)
        EXPECT_EQ((props.*k.field)(), std::string("v-") + k.key);
    EXPECT_EQ(props.GetAllFileInfo(),
              "File Created on = 22-May-2005 (Sun) at 14:05:09  "
              "Last Written on = 31-Dec-2007 (Mon) at 23:59:58  "
              "Last Accessed on= 02-Jan-2006 (Mon)\r\n"
              "OriginalFileName= v-OriginalFilename\r\n"
              "ProductName     = \r\n"  // a value without its zero is not taken
              "FileVersion     = v-FileVersion\r\n"
              "Temporary       = False\r\n"
              "IconIndex       = 7\r\n"
              "\r\n"
              "Normal          = False\r\n"
              "Archive         = True\r\n"
              "ReadOnly        = False\r\n"
              "System          = False\r\n"
              "Hidden          = True\r\n"
              "Compress        = False\r\n");
    EXPECT_EQ(props.CreationTime(), "2005-5-22 at 14:5:9");
    EXPECT_EQ(props.GetDateCreated(), "2005-05-22 14:05:09");
    EXPECT_EQ(props.FileType(), "Text Document");
    EXPECT_EQ(props.ByteSize(), "5,000,000,000 bytes");  // beyond 4 GB: the high part is kept
    EXPECT_EQ(props.FileName(), "C:\\DONN\u00c9ES\\TOOL.EXE");  // accented letters too
    EXPECT_TRUE(headless.shown.empty());
    fake.findRecords[file].size = 0;
    props.FindFileInfo(file, false);
    EXPECT_EQ(props.ByteSize(), " bytes");
}

TEST_F(FilePropertiesTest, EmptyNameChangesNothingAndNetHoodFilesGetNoType) {
    EXPECT_EQ(props.FindFileInfo("", false), 0);
    EXPECT_EQ(props.ByteSize(), "");
    const std::string sep(1, os::kPathSeparator);
    const std::string link = "c:" + sep + "NetHood" + sep + "share";
    fake.times[link] = {};
    props.FindFileInfo(link, false);
    EXPECT_EQ(props.FileType(), "");
    EXPECT_EQ(props.IconIndex(), 0);
    EXPECT_TRUE(headless.shown.empty());
}

}  // namespace
