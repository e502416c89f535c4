#include "sysinfo/file_version.h"

#include <gtest/gtest.h>

#include "bench/pe_image.h"
#include "sysinfo/version_record.h"
#include "tests/sysinfo/fake_sys_platform.h"
#include "toolkit/ui/headless/headless_ui.h"

namespace {

TEST(TranslationCode, IsLanguageThenCodePageInUpperCaseHex) {
    const struct {
        std::string entry;
        const char* code;
    } cases[] = {
        {std::string("\x07\x04\xE4\x04", 4), "040704E4"},
        {std::string("\x00\x00\xB0\x04", 4), "000004B0"},
        {std::string("\x09\x04\xE9\xFD", 4), "0409FDE9"},  // code page 65001
        {std::string("\x09\x04\xB0\x04\x07\x04\xE4\x04", 8), "040904B0"},
        {std::string("\x09\x04\xB0", 3), ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(translationCode(c.entry), c.code);
}

class FileVersionTest : public ::testing::Test {
protected:
    void addFile(const std::string& path, const VersionInfoLayout& layout) {
        fake.versionBlocks[path] = buildVersionBlock(layout);
    }
    FakeSysPlatform& fake = installFakeSysPlatform();
    HeadlessUi& headless = installHeadlessUi();
};

TEST_F(FileVersionTest, ReadsValuesUnderTheFirstTranslationAndEachLoadReplacesThem) {
    const std::u16string longVersion(300, u'7');  // kept whole
    addFile("a.exe",
            {{{0x0407, 0x04E4}, {0x0409, 0x04B0}},
             {{"040904B0", {{"FileVersion", u"1.0"}, {"ProductVersion", u"1.0"}}},
              {"040704E4",
               {{"FileVersion", longVersion}, {"ProductVersion", u"2"}, {"CompanyName", u"M"}}}}});
    EXPECT_EQ(getFileVersion("a.exe"), std::string(300, '7'));
    EXPECT_EQ(getVersionString("ProductVersion"), "2");
    EXPECT_EQ(getVersionString("CompanyName"), "M");
    EXPECT_EQ(getVersionString("Comments"), "");
    EXPECT_FALSE(loadVersionInfo("missing.exe"));
    EXPECT_EQ(getVersionString("CompanyName"), "");
    EXPECT_TRUE(headless.shown.empty());
}

TEST_F(FileVersionTest, NeedsANonBlankProductVersion) {
    addFile("blank.exe", {{{0x0409, 0x04B0}},
                          {{"040904B0", {{"FileVersion", u"1.0"}, {"ProductVersion", u"  "}}}}});
    addFile("none.exe", {{{0x0409, 0x04B0}}, {{"040904B0", {{"FileVersion", u"1.0"}}}}});
    addFile("untranslated.exe", {{}, {{"040904B0", {{"FileVersion", u"1.0"}}}}});
    fake.versionBlocks["bare.exe"] = versionNode("VS_VERSION_INFO", 0, 0, {}, {});  // no Var
    for (const char* file :
         {"blank.exe", "none.exe", "untranslated.exe", "bare.exe", "missing.exe"}) {
        EXPECT_FALSE(loadVersionInfo(file)) << file;
        EXPECT_EQ(getFileVersion(file), "") << file;
    }
}

}  // namespace
