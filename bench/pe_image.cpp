#include "bench/pe_image.h"

namespace {

constexpr std::uint32_t kFileAlignment = 0x200;
constexpr std::uint32_t kSectionAlignment = 0x1000;
constexpr std::uint32_t kHeadersSize = kFileAlignment;
constexpr std::uint32_t kPeOffset = 0x40;

// Little-endian bytes with the alignment rules of PE files and version blocks.
class Bytes {
public:
    void u16(std::uint32_t v) { put(v, 2); }
    void u32(std::uint32_t v) { put(v, 4); }
    void u64(std::uint64_t v) { put(v, 8); }
    // A 32-bit or a 64-bit field, as the image kind has it.
    void word(bool wide, std::uint64_t v) { put(v, wide ? 8 : 4); }
    void raw(const VersionBlock& bytes) { data_.insert(data_.end(), bytes.begin(), bytes.end()); }
    void raw(const std::string& s) { data_.insert(data_.end(), s.begin(), s.end()); }
    void wide(const std::u16string& s) {
        for (char16_t c : s)
            u16(c);
        u16(0);
    }
    void padTo(std::size_t alignment) {
        data_.resize((size() + alignment - 1) / alignment * alignment);
    }
    void set16(std::size_t at, std::uint32_t v) {
        data_[at] = static_cast<unsigned char>(v);
        data_[at + 1] = static_cast<unsigned char>(v >> 8);
    }
    void set32(std::size_t at, std::uint32_t v) {
        set16(at, v & 0xFFFF);
        set16(at + 2, v >> 16);
    }
    std::uint32_t size() const { return static_cast<std::uint32_t>(data_.size()); }
    VersionBlock& bytes() { return data_; }

private:
    void put(std::uint64_t v, int count) {
        for (int i = 0; i < count; ++i)
            data_.push_back(static_cast<unsigned char>(v >> (8 * i)));
    }
    VersionBlock data_;
};

VersionBlock fixedFileInfo(const std::array<unsigned, 4>& v) {
    Bytes b;
    b.u32(0xFEEF04BD);                         // signature
    b.u32(0x00010000);                         // structure version
    for (int twice = 0; twice < 2; ++twice) {  // file version, then the same product version
        b.u32((v[0] << 16) | v[1]);
        b.u32((v[2] << 16) | v[3]);
    }
    b.u32(0x3F);     // flags mask
    b.u32(0);        // flags
    b.u32(0x40004);  // VOS_NT_WINDOWS32
    b.u32(1);        // VFT_APP
    b.u32(0);        // subtype
    b.u32(0);        // date, high
    b.u32(0);        // date, low
    return b.bytes();
}

// The resource tree: type, name, one entry per language, the data entries and the data.
VersionBlock resourceSection(const ProgramImageLayout& layout) {
    constexpr std::uint32_t kSubdirectory = 0x80000000;
    const auto languages = static_cast<std::uint32_t>(layout.languages.size());
    Bytes b;
    const auto directory = [&b](std::uint32_t entries) {
        b.u32(0);  // characteristics
        b.u32(0);  // time stamp
        b.u32(0);  // version
        b.u16(0);  // named entries
        b.u16(entries);
    };
    constexpr std::uint32_t kNameDirectory = 24;
    constexpr std::uint32_t kLanguageDirectory = 48;
    const std::uint32_t dataEntries = kLanguageDirectory + 16 + 8 * languages;
    directory(1);
    b.u32(layout.resourceType);
    b.u32(kSubdirectory | kNameDirectory);
    directory(1);
    b.u32(layout.resourceName);
    b.u32(kSubdirectory | kLanguageDirectory);
    directory(languages);
    for (std::uint32_t i = 0; i < languages; ++i) {
        b.u32(layout.languages[i].language);
        b.u32(dataEntries + 16 * i);
    }
    b.bytes().resize(dataEntries + 16 * languages);
    for (std::uint32_t i = 0; i < languages; ++i) {
        const VersionBlock& data = layout.languages[i].data;
        b.set32(dataEntries + 16 * i, layout.sectionRva + b.size());
        b.set32(dataEntries + 16 * i + 4, static_cast<std::uint32_t>(data.size()));
        b.raw(data);
        b.padTo(4);
    }
    return b.bytes();
}

std::uint32_t alignUp(std::uint32_t v, std::uint32_t alignment) {
    return (v + alignment - 1) / alignment * alignment;
}

}  // namespace

// wLength covers the node up to the end of its last child; each part is aligned to 32 bits.
VersionBlock versionNode(const std::string& key, std::uint16_t type, std::uint16_t valueLength,
                         const VersionBlock& value, const std::vector<VersionBlock>& children) {
    Bytes node;
    node.u16(0);
    node.u16(valueLength);
    node.u16(type);
    node.wide(std::u16string(key.begin(), key.end()));
    node.padTo(4);
    node.raw(value);
    node.padTo(4);
    for (const VersionBlock& child : children) {
        node.raw(child);
        node.padTo(4);
    }
    node.set16(0, node.size());
    return node.bytes();
}

VersionBlock buildVersionBlock(const VersionInfoLayout& layout) {
    std::vector<VersionBlock> tables;
    for (const StringTableLayout& table : layout.tables) {
        std::vector<VersionBlock> strings;
        for (const auto& [key, value] : table.strings) {
            Bytes text;
            text.wide(value);
            strings.push_back(versionNode(key, 1, static_cast<std::uint16_t>(value.size() + 1),
                                          text.bytes(), {}));
        }
        tables.push_back(versionNode(table.code, 1, 0, {}, strings));
    }
    Bytes translations;
    for (const auto& [language, codePage] : layout.translations) {
        translations.u16(language);
        translations.u16(codePage);
    }
    const VersionBlock var =
        versionNode("Translation", 0, static_cast<std::uint16_t>(translations.size()),
                    translations.bytes(), {});
    const VersionBlock fixed = fixedFileInfo(layout.fileVersion);
    return versionNode("VS_VERSION_INFO", 0, static_cast<std::uint16_t>(fixed.size()), fixed,
                       {versionNode("StringFileInfo", 1, 0, {}, tables),
                        versionNode("VarFileInfo", 1, 0, {}, {var})});
}

std::string buildProgramImage(const ProgramImageLayout& layout) {
    const bool plus = layout.pe32Plus;
    const VersionBlock resources = resourceSection(layout);
    const auto resourceSize = static_cast<std::uint32_t>(resources.size());
    const std::uint32_t rawSize = alignUp(resourceSize, kFileAlignment);

    Bytes b;
    // DOS header: only the signature and the offset of the PE header matter.
    b.raw(std::string("MZ"));
    b.bytes().resize(0x3C);
    b.u32(kPeOffset);
    // PE signature and file header.
    b.raw(std::string("PE\0\0", 4));
    b.u16(plus ? 0x8664 : 0x14C);   // x86-64 or x86
    b.u16(1);                       // one section
    b.u32(0);                       // time stamp
    b.u32(0);                       // symbol table
    b.u32(0);                       // symbols
    b.u16(plus ? 240 : 224);        // size of the optional header
    b.u16(plus ? 0x0022 : 0x0102);  // executable image; large-address aware or 32-bit machine
    // Optional header.
    b.u16(plus ? 0x20B : 0x10B);
    b.u16(0);  // linker version
    b.u32(0);  // size of code
    b.u32(rawSize);
    b.u32(0);  // uninitialised data
    b.u32(0);  // entry point: none, the image is only read for its resources
    b.u32(0);  // base of code
    if (!plus)
        b.u32(0);  // base of data
    b.word(plus, plus ? 0x140000000ull : 0x400000);
    b.u32(kSectionAlignment);
    b.u32(kFileAlignment);
    b.u32(6);  // operating system version 6.0
    b.u32(0);  // image version
    b.u32(6);  // subsystem version 6.0
    b.u32(0);  // Win32 version value
    b.u32(layout.sectionRva + alignUp(resourceSize, kSectionAlignment));
    b.u32(kHeadersSize);
    b.u32(0);                // checksum
    b.u16(2);                // Windows GUI subsystem
    b.u16(0);                // DLL characteristics
    b.word(plus, 0x100000);  // stack reserve, commit; heap reserve, commit
    b.word(plus, 0x1000);
    b.word(plus, 0x100000);
    b.word(plus, 0x1000);
    b.u32(0);   // loader flags
    b.u32(16);  // data directories
    for (int i = 0; i < 16; ++i) {
        const bool isResources = i == 2 && layout.hasResources;
        b.u32(isResources ? layout.sectionRva : 0);
        b.u32(isResources ? resourceSize : 0);
    }
    // The one section.
    b.raw(std::string(".rsrc\0\0\0", 8));
    b.u32(resourceSize);
    b.u32(layout.sectionRva);
    b.u32(rawSize);
    b.u32(kHeadersSize);
    b.u32(0);  // relocations
    b.u32(0);  // line numbers
    b.u16(0);
    b.u16(0);
    b.u32(0x40000040);  // initialised data, readable
    b.padTo(kHeadersSize);
    b.raw(resources);
    b.padTo(kFileAlignment);
    return std::string(b.bytes().begin(), b.bytes().end());
}

std::string programWithVersion(const std::string& fileVersion,
                               const std::vector<std::pair<std::string, std::u16string>>& strings,
                               const std::array<unsigned, 4>& numbers) {
    const std::u16string version(fileVersion.begin(), fileVersion.end());
    VersionInfoLayout info;
    info.translations = {{0x0409, 0x04B0}};
    info.tables = {{"040904B0", strings}};
    info.tables[0].strings.insert(info.tables[0].strings.end(),
                                  {{"FileVersion", version}, {"ProductVersion", version}});
    info.fileVersion = numbers;
    ProgramImageLayout image;
    image.languages = {{0x409, buildVersionBlock(info)}};
    return buildProgramImage(image);
}
