#include "sysinfo/version_block.h"

#include <gtest/gtest.h>

#include "bench/pe_image.h"
#include "sysinfo/file_version.h"
#include "sysinfo/utf16_text.h"
#include "sysinfo/version_record.h"
#include "tests/sysinfo/fake_sys_platform.h"
#include "toolkit/ui/headless/headless_ui.h"

namespace {

// Version blocks whose declared value lengths lie, as a damaged or crafted program file holds
// them, with the value each query must give: never a byte past the block.
struct DamagedVersionBlock {
    const char* damage;
    VersionBlock block;
    std::string query;
    std::string expected;
};

inline std::vector<DamagedVersionBlock> damagedVersionBlocks() {
    const auto utf16 = [](const std::string& ascii) {
        VersionBlock bytes;
        for (const char c : ascii)
            bytes.insert(bytes.end(), {static_cast<unsigned char>(c), 0});
        return bytes;
    };
    const auto text = [&](const char* key, std::uint16_t declared, const std::string& value) {
        return versionNode(key, 1, declared, utf16(value), {});
    };
    const VersionBlock english = {0x09, 0x04, 0xB0, 0x04};
    const auto block = [&](std::uint16_t translationLength, std::vector<VersionBlock> strings) {
        VersionBlock fixedInfo(52, 0);
        fixedInfo[0] = 0xBD, fixedInfo[1] = 0x04, fixedInfo[2] = 0xEF, fixedInfo[3] = 0xFE;
        const VersionBlock var = versionNode("Translation", 0, translationLength, english, {});
        // The last value ends where the block ends: the last string, else the translation.
        std::vector<VersionBlock> children = {versionNode("VarFileInfo", 1, 0, {}, {var})};
        if (!strings.empty()) {
            children.push_back(versionNode("StringFileInfo", 1, 0, {},
                                           {versionNode("040904B0", 1, 0, {}, strings)}));
        }
        return versionNode("VS_VERSION_INFO", 0, 52, fixedInfo, children);
    };
    const std::string product = "\\StringFileInfo\\040904B0\\ProductVersion";
    const std::string translation = "\\VarFileInfo\\Translation";

    // A last value of four characters fills its node: no padding, so no zero, follows it.
    const VersionBlock unterminated = block(4, {text("ProductVersion", 0xFFFF, "9.99")});
    VersionBlock oddEnd = unterminated;
    const std::size_t oddLength = oddEnd.size() - 1;  // the block ends inside the last character
    oddEnd[0] = static_cast<unsigned char>(oddLength), oddEnd[1] = oddLength >> 8;
    return {
        {"a length past the block, then a zero",
         block(4, {text("ProductVersion", 0xFFFF, std::string("1.0\0", 4)),
                   text("FileVersion", 4, std::string("2.0\0", 4))}),
         product, "1.0"},
        {"a length past the block, no zero before its end", unterminated, product, "9.99"},
        {"an odd number of bytes left in the block", oddEnd, product, "9.9"},
        {"a translation longer than the block", block(0xFFFF, {}), translation,
         std::string(english.begin(), english.end())},
        {"a translation of an odd length", block(3, {}), translation,
         std::string(english.begin(), english.begin() + 3)},
        {"a translation of one byte", block(1, {}), translation, std::string(1, '\x09')},
    };
}

VersionBlock sampleBlock() {
    return buildVersionBlock(
        {{{0x0409, 0x04B0}, {0x0407, 0x04E4}},
         {{"040904B0",
           {{"FileVersion", u"1.2.3.4"},
            {"ProductVersion", u"5.6"},
            {"LegalCopyright",
             u"\x7F\u0080\u00A9 M\u00FCller \U0001F600 \u07FF\u0800\uFFFF\U00010000\U0010FFFF"},
            {"Comments", std::u16string(u"before\0after", 12)},
            {"Broken", std::u16string(1, char16_t{0xD800})}}},
          {"040704E4", {{"FileVersion", u"9.9"}}}}});
}

std::string query(const VersionBlock& block, const std::string& path) {
    std::string value;
    return queryVersionBlock(block, path, value) ? value : "<none>";
}

// Paths match without regard to case; text comes back as UTF-8, up to its zero.
TEST(VersionBlockQuery, FindsValuesByPathAsUtf8Text) {
    const VersionBlock block = sampleBlock();
    const std::pair<const char*, std::string> cases[] = {
        {"\\StringFileInfo\\040904B0\\ProductVersion", "5.6"},
        {"\\stringfileinfo\\040904b0\\fileversion", "1.2.3.4"},
        {"\\StringFileInfo\\040704E4\\FileVersion", "9.9"},
        {"\\VarFileInfo\\Translation", std::string("\x09\x04\xB0\x04\x07\x04\xE4\x04", 8)},
        {"\\StringFileInfo\\040904B0\\LegalCopyright",
         "\x7F\xC2\x80\xC2\xA9 M\xC3\xBCller \xF0\x9F\x98\x80 "
         "\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF\xF0\x90\x80\x80\xF4\x8F\xBF\xBF"},
        {"\\StringFileInfo\\040904B0\\Comments", "before"},
        {"\\StringFileInfo\\040904B0\\Broken", "\xEF\xBF\xBD"},  // a lone surrogate
        {"\\StringFileInfo\\040704E4\\ProductVersion", "<none>"},
        {"\\StringFileInfo\\041104B0\\FileVersion", "<none>"},
        {"\\NoSuchBlock", "<none>"},
        {"StringFileInfo\\040904B0\\ProductVersion", "5.6"},  // no leading separator
    };
    for (const auto& [path, expected] : cases)
        EXPECT_EQ(query(block, path), expected) << path;
    EXPECT_EQ(query(block, "\\").size(), 52u) << "the root's own value, VS_FIXEDFILEINFO";
    const unsigned char cutPair[] = {0x3D, 0xD8, 0x00, 0xDE};  // the text is its first unit
    EXPECT_EQ(utf16LeToUtf8(cutPair, 1), "\xEF\xBF\xBD") << "a high surrogate at the end";
    EXPECT_EQ(utf16LeToUtf8(cutPair, 2), "\xF0\x9F\x98\x80") << "a pair at the end";
    // A translation code is the language, then the code page, in upper-case hex.
    EXPECT_EQ(translationCode(std::string("\x07\x04\xE4\x04", 4)), "040704E4");
    EXPECT_EQ(translationCode(std::string("\x09\x04\xB0", 3)), "");
}

// Every cut of a block is read without a step outside it, and a node that declares a length
// below its own header ends the walk instead of holding it on one offset.
TEST(VersionBlockQuery, DamagedBlocksGiveNoValueAndNeverReadOutside) {
    const VersionBlock whole = sampleBlock();
    for (std::size_t size = 0; size < whole.size(); ++size) {
        const VersionBlock cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
        std::string value;
        queryVersionBlock(cut, "\\StringFileInfo\\040904B0\\ProductVersion", value);
        queryVersionBlock(cut, "\\VarFileInfo\\Translation", value);
    }
    VersionBlock zeroLengthChild = whole;
    zeroLengthChild[92] = 0;  // the StringFileInfo node's length
    zeroLengthChild[93] = 0;
    EXPECT_EQ(query(zeroLengthChild, "\\StringFileInfo\\040904B0\\FileVersion"), "<none>");
    // A key that runs to its node's end without its zero makes the node unreadable too.
    VersionBlock cutKey = versionNode("Cut", 1, 0, {}, {});
    cutKey.resize(12);  // the header and "Cut", without the zero
    cutKey[0] = 12;
    const VersionBlock after = versionNode("FileVersion", 1, 2, {'1', 0, 0, 0}, {});
    cutKey.insert(cutKey.end(), after.begin(), after.end());
    const auto fileVersionOf = [](const VersionBlock& table) {
        const VersionBlock block =
            versionNode("VS_VERSION_INFO", 0, 0, {},
                        {versionNode("StringFileInfo", 1, 0, {},
                                     {versionNode("040904B0", 1, 0, {}, {table})})});
        return query(block, "\\StringFileInfo\\040904B0\\FileVersion");
    };
    EXPECT_EQ(fileVersionOf(cutKey), "<none>");
    // A node's length may leave out its padding: its sibling starts at the next four bytes.
    VersionBlock odd = versionNode("Odd", 0, 1, {'x'}, {});
    odd[0] = 17;
    odd.insert(odd.end(), after.begin(), after.end());
    EXPECT_EQ(fileVersionOf(odd), "1");
    // A value of one character without its zero is still read.
    EXPECT_EQ(fileVersionOf(versionNode("FileVersion", 1, 1, {'7', 0}, {})), "7");

    // A value that claims more than its node holds is cut at the node's end.
    for (const DamagedVersionBlock& row : damagedVersionBlocks())
        EXPECT_EQ(query(row.block, row.query), row.expected) << row.damage;
}

// Values come from the first translation's table, and only a block with a non-blank
// ProductVersion loads; each load replaces what the one before it read.
TEST(FileVersionTest, ReadsTheFirstTranslationOfABlockWithANonBlankProductVersion) {
    FakeSysPlatform& fake = installFakeSysPlatform();
    HeadlessUi& headless = installHeadlessUi();
    const std::u16string longVersion(300, u'7');  // kept whole
    fake.versionBlocks["a.exe"] = buildVersionBlock(
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

    fake.versionBlocks["blank.exe"] = buildVersionBlock(
        {{{0x0409, 0x04B0}}, {{"040904B0", {{"FileVersion", u"1.0"}, {"ProductVersion", u"  "}}}}});
    fake.versionBlocks["none.exe"] =
        buildVersionBlock({{{0x0409, 0x04B0}}, {{"040904B0", {{"FileVersion", u"1.0"}}}}});
    fake.versionBlocks["untranslated.exe"] =
        buildVersionBlock({{}, {{"040904B0", {{"FileVersion", u"1.0"}}}}});
    fake.versionBlocks["bare.exe"] = versionNode("VS_VERSION_INFO", 0, 0, {}, {});  // no Var
    for (const char* file : {"blank.exe", "none.exe", "untranslated.exe", "bare.exe"}) {
        EXPECT_FALSE(loadVersionInfo(file)) << file;
        EXPECT_EQ(getFileVersion(file), "") << file;
    }
    EXPECT_TRUE(headless.shown.empty());
}

}  // namespace
