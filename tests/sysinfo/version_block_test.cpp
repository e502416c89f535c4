#include "sysinfo/version_block.h"

#include <gtest/gtest.h>

#include "bench/pe_image.h"
#include "tests/sysinfo/damaged_version_blocks.h"

namespace {

VersionBlock sampleBlock() {
    return buildVersionBlock(
        {{{0x0409, 0x04B0}, {0x0407, 0x04E4}},
         {{"040904B0", {{"FileVersion", u"1.2.3.4"}, {"ProductVersion", u"5.6"}}},
          {"040704E4", {{"FileVersion", u"9.9"}}}}});
}

std::string query(const VersionBlock& block, const std::string& path) {
    std::string value;
    return queryVersionBlock(block, path, value) ? value : "<none>";
}

TEST(VersionBlockQuery, FindsValuesByPathWithoutRegardToCase) {
    const VersionBlock block = sampleBlock();
    const struct {
        const char* path;
        std::string expected;
    } cases[] = {
        {"\\StringFileInfo\\040904B0\\FileVersion", "1.2.3.4"},
        {"\\StringFileInfo\\040904B0\\ProductVersion", "5.6"},
        {"\\stringfileinfo\\040904b0\\fileversion", "1.2.3.4"},
        {"\\StringFileInfo\\040704E4\\FileVersion", "9.9"},
        {"\\VarFileInfo\\Translation", std::string("\x09\x04\xB0\x04\x07\x04\xE4\x04", 8)},
        {"\\StringFileInfo\\040704E4\\ProductVersion", "<none>"},
        {"\\StringFileInfo\\041104B0\\FileVersion", "<none>"},
        {"\\NoSuchBlock", "<none>"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(query(block, c.path), c.expected) << c.path;
    EXPECT_EQ(query(block, "\\").size(), 52u) << "the root's own value, VS_FIXEDFILEINFO";
}

TEST(VersionBlockQuery, ConvertsTextToUtf8AndStopsAtItsZero) {
    const VersionBlock block =
        buildVersionBlock({{{0x0409, 0x04B0}},
                           {{"040904B0",
                             {{"LegalCopyright", u"\u00A9 M\u00FCller \U0001F600"},
                              {"Comments", std::u16string(u"before\0after", 12)},
                              {"Broken", std::u16string(1, char16_t{0xD800})}}}}});
    EXPECT_EQ(query(block, "\\StringFileInfo\\040904B0\\LegalCopyright"),
              "\xC2\xA9 M\xC3\xBCller \xF0\x9F\x98\x80");
    EXPECT_EQ(query(block, "\\StringFileInfo\\040904B0\\Comments"), "before");
    EXPECT_EQ(query(block, "\\StringFileInfo\\040904B0\\Broken"), "\xEF\xBF\xBD")
        << "a lone surrogate becomes the replacement character";
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

    // A value that claims more than its node holds is cut at the node's end.
    for (const DamagedVersionBlock& row : damagedVersionBlocks())
        EXPECT_EQ(query(row.block, row.query), row.expected) << row.damage;
}

}  // namespace
