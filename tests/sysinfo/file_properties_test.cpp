#include "sysinfo/file_properties.h"

#include <gtest/gtest.h>

#include "tests/sysinfo/fake_sys_platform.h"
#include "toolkit/os/file_system.h"
#include "toolkit/ui/headless/headless_ui.h"

namespace {

// A version block as 16-bit Windows stored it: one byte per character, each key and its value
// "v-key" with their zeros, padded to 4 bytes. The last value, ProductName's, lacks its zero.
VersionBlock byteCharacterBlock(const std::vector<std::string>& keys) {
    std::string text(8, '\x01');
    for (const std::string& key : keys) {
        for (const std::string& part : {key, "v-" + key}) {
            text += part + '\0';
            text.resize((text.size() + 3) / 4 * 4, '\0');
        }
    }
    text += std::string("ProductName\0", 12) + "unterminated";
    return VersionBlock(text.begin(), text.end());
}

TEST(FilePropertiesTest, OneCallFillsTheSummaryVersionStringsSizeAndType) {
    FakeSysPlatform& fake = installFakeSysPlatform();
    HeadlessUi& headless = installHeadlessUi();
    const std::string file = "c:\\donn\u00e9es\\tool.exe";
    fake.findRecords[file] = {
        osfs::kAttrArchive | osfs::kAttrHidden | osfs::kAttrReadOnly | osfs::kAttrTemporary,
        5000000000ull};
    fake.times[file] = {{2005, 5, 22, 14, 5, 9}, {2006, 1, 2, 0, 0, 1}, {2007, 12, 31, 23, 59, 58}};
    fake.versionBlocks[file] =
        byteCharacterBlock({"CompanyName", "FileDescription", "FileVersion", "InternalName",
                            "LegalCopyright", "OriginalFilename", "ProductVersion"});

    clsFileProp props;
    EXPECT_EQ(props.FindFileInfo(file, false), 0);
    EXPECT_EQ(
        (std::vector<std::string>{props.CompanyName(), props.FileDescription(), props.FileVersion(),
                                  props.InternalName(), props.LegalCopyright(),
                                  props.OriginalFileName(), props.ProductVersion()}),
        (std::vector<std::string>{"v-CompanyName", "v-FileDescription", "v-FileVersion",
                                  "v-InternalName", "v-LegalCopyright", "v-OriginalFilename",
                                  "v-ProductVersion"}));
    EXPECT_EQ(props.GetAllFileInfo(),
              "File Created on = 22-May-2005 (Sun) at 14:05:09  "
              "Last Written on = 31-Dec-2007 (Mon) at 23:59:58  "
              "Last Accessed on= 02-Jan-2006 (Mon)\r\n"
              "OriginalFileName= v-OriginalFilename\r\n"
              "ProductName     = \r\n"  // a value without its zero is not taken
              "FileVersion     = v-FileVersion\r\n"
              "Temporary       = True\r\n"
              "IconIndex       = 7\r\n"
              "\r\n"
              "Normal          = False\r\n"
              "Archive         = True\r\n"
              "ReadOnly        = True\r\n"
              "System          = False\r\n"
              "Hidden          = True\r\n"
              "Compress        = False\r\n");
    EXPECT_EQ(props.CreationTime(), "2005-5-22 at 14:5:9");
    EXPECT_EQ(props.GetDateCreated(), "2005-05-22 14:05:09");
    EXPECT_EQ(props.GetDateModified(), "2007-12-31 23:59:58");
    EXPECT_EQ(props.GetDateAccessed(), "2006-01-02");
    EXPECT_EQ(props.FileType(), "Text Document");
    EXPECT_EQ(props.ByteSize(), "5,000,000,000 bytes");  // beyond 4 GB: the high part is kept
    EXPECT_EQ(props.FileName(), "C:\\DONN\u00c9ES\\TOOL.EXE");  // accented letters too
    fake.findRecords[file] = {osfs::kAttrNormal, 0};
    fake.versionBlocks[file] = byteCharacterBlock({"ProductName"});
    props.FindFileInfo(file, false);
    EXPECT_EQ(std::make_pair(props.Normal(), props.Hidden()), std::make_pair(true, false));
    EXPECT_EQ(props.ByteSize(), " bytes");
    EXPECT_EQ(props.ProductName(), "v-ProductName");
    EXPECT_EQ(props.FindFileInfo("", false), 0);

    const std::string link = nativePath("c:|NetHood|share");  // a network link gets no type
    fake.times[link] = {};
    fake.findRecords[link] = {osfs::kAttrDirectory, 0};
    clsFileProp linkProps;
    linkProps.FindFileInfo(link, false);
    EXPECT_EQ(linkProps.FileType(), "");
    EXPECT_EQ(linkProps.IconIndex(), 0);
    EXPECT_TRUE(linkProps.Directory());
    EXPECT_TRUE(headless.shown.empty());
}

}  // namespace
