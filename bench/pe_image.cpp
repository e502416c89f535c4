#include "bench/pe_image.h"

#include <cstdint>

namespace {

constexpr std::uint32_t kFileAlignment = 0x200;
constexpr std::uint32_t kSectionAlignment = 0x1000;
constexpr std::uint32_t kResourceRva = kSectionAlignment;  // the one section follows the headers
constexpr std::uint32_t kHeadersSize = kFileAlignment;
constexpr std::uint16_t kRtVersion = 16;

// Little-endian byte buffer with the alignment rules of PE files and version blocks.
class Bytes {
public:
    void u16(std::uint32_t v) { put(v, 2); }
    void u32(std::uint32_t v) { put(v, 4); }
    void u64(std::uint64_t v) { put(v, 8); }
    void raw(const std::string& s) { data_ += s; }
    // A key or value as UTF-16 with its terminating zero; the texts here are ASCII.
    void wide(const std::string& s) {
        for (unsigned char c : s)
            u16(c);
        u16(0);
    }
    void padTo(std::size_t alignment) {
        while (data_.size() % alignment != 0)
            data_ += '\0';
    }
    void setU16(std::size_t at, std::uint32_t v) {
        data_[at] = static_cast<char>(v & 0xFF);
        data_[at + 1] = static_cast<char>((v >> 8) & 0xFF);
    }
    std::size_t size() const { return data_.size(); }
    const std::string& str() const { return data_; }

private:
    void put(std::uint64_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            data_ += static_cast<char>((v >> (8 * i)) & 0xFF);
    }
    std::string data_;
};

// One node of a version block: wLength, wValueLength, wType, key, padding, value, children,
// each child aligned to 32 bits. wLength covers the node up to the end of its last child.
std::string versionNode(const std::string& key, const std::string& value, std::uint32_t valueLength,
                        bool textValue, const std::vector<std::string>& children) {
    Bytes node;
    node.u16(0);
    node.u16(valueLength);
    node.u16(textValue ? 1 : 0);
    node.wide(key);
    node.padTo(4);
    node.raw(value);
    for (const std::string& child : children) {
        node.padTo(4);
        node.raw(child);
    }
    node.setU16(0, static_cast<std::uint32_t>(node.size()));
    return node.str();
}

std::string wideValue(const std::string& text) {
    Bytes b;
    b.wide(text);
    return b.str();
}

std::string fixedFileInfo(const unsigned (&v)[4]) {
    Bytes b;
    b.u32(0xFEEF04BD);  // signature
    b.u32(0x00010000);  // structure version
    b.u32((v[0] << 16) | v[1]);
    b.u32((v[2] << 16) | v[3]);
    b.u32((v[0] << 16) | v[1]);  // product version: the same numbers
    b.u32((v[2] << 16) | v[3]);
    b.u32(0x3F);     // flags mask
    b.u32(0);        // flags
    b.u32(0x40004);  // VOS_NT_WINDOWS32
    b.u32(1);        // VFT_APP
    b.u32(0);        // subtype
    b.u32(0);        // date, high
    b.u32(0);        // date, low
    return b.str();
}

std::string hex4(unsigned v) {
    static const char kDigits[] = "0123456789abcdef";
    std::string s(4, '0');
    for (int i = 3; i >= 0; --i, v >>= 4)
        s[i] = kDigits[v & 0xF];
    return s;
}

std::string versionBlock(const VersionStrings& strings, const unsigned (&fileVersion)[4]) {
    std::vector<std::string> texts;
    for (const auto& [key, value] : strings.entries) {
        const auto chars = static_cast<std::uint32_t>(value.size() + 1);
        texts.push_back(versionNode(key, wideValue(value), chars, true, {}));
    }
    const std::string table =
        versionNode(hex4(strings.language) + hex4(strings.codePage), "", 0, true, texts);
    const std::string stringInfo = versionNode("StringFileInfo", "", 0, true, {table});

    Bytes translation;
    translation.u16(strings.language);
    translation.u16(strings.codePage);
    const std::string var = versionNode("Translation", translation.str(), 4, false, {});
    const std::string varInfo = versionNode("VarFileInfo", "", 0, true, {var});

    const std::string fixed = fixedFileInfo(fileVersion);
    return versionNode("VS_VERSION_INFO", fixed, static_cast<std::uint32_t>(fixed.size()), false,
                       {stringInfo, varInfo});
}

// The resource tree of one entry: type RT_VERSION, name 1, language, then the data.
std::string resourceSection(const std::string& block, unsigned language) {
    constexpr std::uint32_t kSubdirectory = 0x80000000;
    constexpr std::uint32_t kDirSize = 16 + 8;  // header and one entry
    constexpr std::uint32_t kDataEntryAt = 3 * kDirSize;
    constexpr std::uint32_t kBlockAt = kDataEntryAt + 16;
    Bytes b;
    const auto directory = [&b](std::uint32_t id, std::uint32_t target) {
        b.u32(0);  // characteristics
        b.u32(0);  // time stamp
        b.u32(0);  // version
        b.u16(0);  // named entries
        b.u16(1);  // id entries
        b.u32(id);
        b.u32(target);
    };
    directory(kRtVersion, kSubdirectory | kDirSize);
    directory(1, kSubdirectory | (2 * kDirSize));
    directory(language, kDataEntryAt);
    b.u32(kResourceRva + kBlockAt);
    b.u32(static_cast<std::uint32_t>(block.size()));
    b.u32(0);  // code page
    b.u32(0);  // reserved
    b.raw(block);
    return b.str();
}

std::uint32_t alignUp(std::uint32_t v, std::uint32_t alignment) {
    return (v + alignment - 1) / alignment * alignment;
}

}  // namespace

std::string buildProgramImage(const VersionStrings& strings, const unsigned (&fileVersion)[4]) {
    const std::string resources =
        resourceSection(versionBlock(strings, fileVersion), strings.language);
    const auto resourceSize = static_cast<std::uint32_t>(resources.size());
    const std::uint32_t rawSize = alignUp(resourceSize, kFileAlignment);

    Bytes b;
    // DOS header: only the signature and the offset of the PE header matter.
    b.raw("MZ");
    while (b.size() < 0x3C)
        b.u16(0);
    b.u32(0x40);
    // PE signature and file header.
    b.raw(std::string("PE\0\0", 4));
    b.u16(0x8664);  // x86-64
    b.u16(1);       // one section
    b.u32(0);       // time stamp
    b.u32(0);       // symbol table
    b.u32(0);       // symbols
    b.u16(240);     // size of the PE32+ optional header
    b.u16(0x0022);  // executable image, large-address aware
    // Optional header, PE32+.
    b.u16(0x20B);
    b.u16(0);  // linker version
    b.u32(0);  // size of code
    b.u32(rawSize);
    b.u32(0);  // uninitialised data
    b.u32(0);  // entry point: none, the image is only read for its resources
    b.u32(0);  // base of code
    b.u64(0x140000000ull);
    b.u32(kSectionAlignment);
    b.u32(kFileAlignment);
    b.u16(6);  // operating system version 6.0
    b.u16(0);
    b.u32(0);  // image version
    b.u16(6);  // subsystem version 6.0
    b.u16(0);
    b.u32(0);  // Win32 version value
    b.u32(kResourceRva + alignUp(resourceSize, kSectionAlignment));
    b.u32(kHeadersSize);
    b.u32(0);  // checksum
    b.u16(2);  // Windows GUI subsystem
    b.u16(0);  // DLL characteristics
    b.u64(0x100000);
    b.u64(0x1000);
    b.u64(0x100000);
    b.u64(0x1000);
    b.u32(0);   // loader flags
    b.u32(16);  // data directories
    for (int i = 0; i < 16; ++i) {
        const bool isResources = i == 2;
        b.u32(isResources ? kResourceRva : 0);
        b.u32(isResources ? resourceSize : 0);
    }
    // The one section.
    b.raw(std::string(".rsrc\0\0\0", 8));
    b.u32(resourceSize);
    b.u32(kResourceRva);
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
    return b.str();
}
