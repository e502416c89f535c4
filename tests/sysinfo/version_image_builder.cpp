#include "tests/sysinfo/version_image_builder.h"

namespace {

void put16(VersionBlock& out, std::size_t at, std::uint32_t value) {
    out[at] = static_cast<unsigned char>(value);
    out[at + 1] = static_cast<unsigned char>(value >> 8);
}

void put32(VersionBlock& out, std::size_t at, std::uint32_t value) {
    put16(out, at, value & 0xFFFF);
    put16(out, at + 2, value >> 16);
}

void append16(VersionBlock& out, std::uint32_t value) {
    out.resize(out.size() + 2);
    put16(out, out.size() - 2, value);
}

void padTo4(VersionBlock& out) {
    out.resize((out.size() + 3) & ~std::size_t{3}, 0);
}

// The text's UTF-16 bytes with a terminating zero.
VersionBlock utf16Bytes(const std::u16string& text) {
    VersionBlock bytes;
    for (char16_t c : text + u'\0')
        append16(bytes, c);
    return bytes;
}

constexpr std::uint32_t kSectionRva = 0x1000;
constexpr std::uint32_t kSectionFileOffset = 0x200;
constexpr std::uint32_t kPeOffset = 0x40;

// A resource directory with one entry, `id`, pointing at the subdirectory at `target`.
void appendDirectory(VersionBlock& out, std::uint32_t id, std::uint32_t target) {
    const std::size_t at = out.size();
    out.resize(at + 16 + 8, 0);
    put16(out, at + 14, 1);  // one entry with an id
    put32(out, at + 16, id);
    put32(out, at + 20, target | 0x80000000u);
}

VersionBlock resourceSection(const ProgramImageLayout& layout) {
    VersionBlock out;
    // Type and name directories of one entry each, then the language directory with one entry
    // per language, their data entries and their data.
    constexpr std::size_t kNameDirectory = 24;
    constexpr std::size_t kLanguageDirectory = 48;
    appendDirectory(out, layout.resourceType, kNameDirectory);
    appendDirectory(out, 1, kLanguageDirectory);  // VS_VERSION_INFO
    const std::size_t languages = layout.languages.size();
    const std::size_t dataEntries = kLanguageDirectory + 16 + 8 * languages;
    out.resize(dataEntries + 16 * languages, 0);
    put16(out, kLanguageDirectory + 14, static_cast<std::uint32_t>(languages));
    for (std::size_t i = 0; i < languages; ++i) {
        const std::size_t entry = kLanguageDirectory + 16 + 8 * i;
        const std::size_t data = dataEntries + 16 * i;
        const VersionBlock& payload = layout.languages[i].data;
        put32(out, entry, layout.languages[i].language);
        put32(out, entry + 4, static_cast<std::uint32_t>(data));
        put32(out, data, static_cast<std::uint32_t>(kSectionRva + out.size()));
        put32(out, data + 4, static_cast<std::uint32_t>(payload.size()));
        out.insert(out.end(), payload.begin(), payload.end());
        padTo4(out);
    }
    return out;
}

}  // namespace

VersionBlock versionNode(const std::string& key, std::uint16_t type, std::uint16_t valueLength,
                         const VersionBlock& value, const std::vector<VersionBlock>& children) {
    VersionBlock out(6, 0);
    const VersionBlock keyBytes = utf16Bytes(std::u16string(key.begin(), key.end()));
    out.insert(out.end(), keyBytes.begin(), keyBytes.end());
    padTo4(out);
    out.insert(out.end(), value.begin(), value.end());
    padTo4(out);
    for (const VersionBlock& child : children) {
        out.insert(out.end(), child.begin(), child.end());
        padTo4(out);
    }
    put16(out, 0, static_cast<std::uint32_t>(out.size()));
    put16(out, 2, valueLength);
    put16(out, 4, type);
    return out;
}

VersionBlock buildVersionBlock(const VersionInfoLayout& layout) {
    VersionBlock fixedInfo(52, 0);
    put32(fixedInfo, 0, 0xFEEF04BD);  // VS_FIXEDFILEINFO's signature
    put32(fixedInfo, 4, 0x00010000);
    std::vector<VersionBlock> tables;
    for (const StringTableLayout& table : layout.tables) {
        std::vector<VersionBlock> strings;
        for (const auto& [key, value] : table.strings) {
            strings.push_back(versionNode(key, 1, static_cast<std::uint16_t>(value.size() + 1),
                                          utf16Bytes(value), {}));
        }
        tables.push_back(versionNode(table.code, 1, 0, {}, strings));
    }
    VersionBlock translations;
    for (const auto& [language, codePage] : layout.translations) {
        append16(translations, language);
        append16(translations, codePage);
    }
    const VersionBlock var = versionNode(
        "Translation", 0, static_cast<std::uint16_t>(translations.size()), translations, {});
    return versionNode("VS_VERSION_INFO", 0, 52, fixedInfo,
                       {versionNode("StringFileInfo", 1, 0, {}, tables),
                        versionNode("VarFileInfo", 1, 0, {}, {var})});
}

std::string buildProgramImage(const ProgramImageLayout& layout) {
    const VersionBlock section = resourceSection(layout);
    const std::uint32_t optionalSize = layout.pe32Plus ? 240 : 224;
    const std::uint32_t directories = layout.pe32Plus ? 112 : 96;
    const std::uint32_t optional = kPeOffset + 24;
    const std::uint32_t sectionTable = optional + optionalSize;
    VersionBlock image(kSectionFileOffset, 0);
    put16(image, 0, 0x5A4D);  // "MZ"
    put32(image, 0x3C, kPeOffset);
    put32(image, kPeOffset, 0x4550);  // "PE\0\0"
    put16(image, kPeOffset + 4, layout.pe32Plus ? 0x8664 : 0x14C);
    put16(image, kPeOffset + 6, 1);  // one section
    put16(image, kPeOffset + 20, optionalSize);
    put16(image, optional, layout.pe32Plus ? 0x20B : 0x10B);
    put32(image, optional + directories - 4, 16);  // every data directory present
    if (layout.hasResources) {
        put32(image, optional + directories + 16, kSectionRva);
        put32(image, optional + directories + 20, static_cast<std::uint32_t>(section.size()));
    }
    image[sectionTable] = '.';
    image[sectionTable + 1] = 'r';
    put32(image, sectionTable + 8, static_cast<std::uint32_t>(section.size()));
    put32(image, sectionTable + 12, kSectionRva);
    put32(image, sectionTable + 16, static_cast<std::uint32_t>(section.size()));
    put32(image, sectionTable + 20, kSectionFileOffset);
    image.insert(image.end(), section.begin(), section.end());
    return std::string(image.begin(), image.end());
}
