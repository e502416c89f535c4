#pragma once

#include <string>
#include <vector>

#include "bench/pe_image.h"

// Version blocks whose declared value lengths lie, as a damaged or crafted program file holds
// them, with the value each query must give: never a byte past the block. Shared by the tests
// of our reader and of the system's.
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
