#include "sysinfo/pe_version_reader.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "toolkit/os/file_system.h"

namespace {

constexpr std::uint16_t kDosMagic = 0x5A4D;         // "MZ"
constexpr std::uint32_t kPeSignature = 0x00004550;  // "PE\0\0"
constexpr std::uint64_t kNewHeaderOffsetField = 0x3C;
constexpr std::uint64_t kFileHeaderSize = 20;
constexpr std::uint16_t kPe32Magic = 0x10B;
constexpr std::uint16_t kPe32PlusMagic = 0x20B;
// Where the data directories start in each kind of optional header.
constexpr std::uint64_t kPe32DataDirectories = 96;
constexpr std::uint64_t kPe32PlusDataDirectories = 112;
constexpr std::uint32_t kResourceDirectoryIndex = 2;
constexpr std::uint64_t kDataDirectorySize = 8;
constexpr std::uint64_t kSectionHeaderSize = 40;
constexpr std::uint64_t kResourceDirectorySize = 16;
constexpr std::uint64_t kResourceEntrySize = 8;
constexpr std::uint64_t kResourceDataEntrySize = 16;
constexpr std::uint32_t kRtVersion = 16;
constexpr std::uint32_t kVersionInfoName = 1;  // VS_VERSION_INFO
constexpr std::uint32_t kLanguageNeutral = 0;
constexpr std::uint32_t kLanguageUsEnglish = 0x409;
constexpr std::uint32_t kHighBit = 0x80000000;
// A version block declares its length in 16 bits; anything far beyond that is not one.
constexpr std::uint32_t kMaxVersionResource = 1 << 20;

std::uint16_t u16At(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
std::uint32_t u32At(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

struct Section {
    std::uint32_t virtualAddress{};
    std::uint32_t rawSize{};
    std::uint32_t rawOffset{};
};

struct DirectoryEntry {
    std::uint32_t id{};
    bool named{};
    bool isDirectory{};
    std::uint32_t target{};  // from the start of the resource directory
};

class PeFile {
public:
    explicit PeFile(const ByteSource& source) : source_(source) {}

    bool readHeaders();
    VersionBlock versionResource() const;

private:
    bool readBytes(std::uint64_t offset, std::uint64_t count,
                   std::vector<unsigned char>& out) const;
    bool readU16(std::uint64_t offset, std::uint16_t& value) const;
    bool readU32(std::uint64_t offset, std::uint32_t& value) const;
    bool readSections(std::uint64_t tableOffset, std::uint16_t count);
    // The file offset of `size` bytes at `rva`, all inside one section's raw data.
    bool rvaToOffset(std::uint32_t rva, std::uint64_t size, std::uint64_t& offset) const;
    // Bytes at `relative` from the start of the resource directory, inside its section.
    bool readResource(std::uint64_t relative, std::uint64_t count,
                      std::vector<unsigned char>& out) const;
    bool readDirectory(std::uint32_t relative, std::vector<DirectoryEntry>& entries) const;

    const ByteSource& source_;
    std::vector<Section> sections_;
    std::uint64_t resourceStart_{};  // file offset of the resource directory
    std::uint64_t resourceSize_{};   // its section's raw data from there on
};

bool PeFile::readBytes(std::uint64_t offset, std::uint64_t count,
                       std::vector<unsigned char>& out) const {
    if (count > source_.size() || offset > source_.size() - count)
        return false;
    out.resize(static_cast<std::size_t>(count));
    return count == 0 || source_.read(offset, out.size(), out.data());
}

bool PeFile::readU16(std::uint64_t offset, std::uint16_t& value) const {
    std::vector<unsigned char> bytes;
    if (!readBytes(offset, 2, bytes))
        return false;
    value = u16At(bytes.data());
    return true;
}

bool PeFile::readU32(std::uint64_t offset, std::uint32_t& value) const {
    std::vector<unsigned char> bytes;
    if (!readBytes(offset, 4, bytes))
        return false;
    value = u32At(bytes.data());
    return true;
}

bool PeFile::readHeaders() {
    std::uint16_t dosMagic{};
    std::uint32_t peOffset{};
    std::uint32_t signature{};
    if (!readU16(0, dosMagic) || dosMagic != kDosMagic)
        return false;
    if (!readU32(kNewHeaderOffsetField, peOffset))
        return false;
    if (!readU32(peOffset, signature) || signature != kPeSignature)
        return false;

    const std::uint64_t fileHeader = std::uint64_t{peOffset} + 4;
    std::uint16_t sectionCount{};
    std::uint16_t optionalSize{};
    std::uint16_t magic{};
    const std::uint64_t optional = fileHeader + kFileHeaderSize;
    if (!readU16(fileHeader + 2, sectionCount) || !readU16(fileHeader + 16, optionalSize) ||
        !readU16(optional, magic)) {
        return false;
    }
    std::uint64_t directories{};
    if (magic == kPe32Magic) {
        directories = kPe32DataDirectories;
    } else if (magic == kPe32PlusMagic) {
        directories = kPe32PlusDataDirectories;
    } else {
        return false;
    }
    const std::uint64_t resourceEntry = directories + kResourceDirectoryIndex * kDataDirectorySize;
    std::uint32_t directoryCount{};
    std::uint32_t resourceRva{};
    if (resourceEntry + kDataDirectorySize > optionalSize ||
        !readU32(optional + directories - 4, directoryCount) ||
        directoryCount <= kResourceDirectoryIndex ||
        !readU32(optional + resourceEntry, resourceRva) || resourceRva == 0) {
        return false;
    }
    if (!readSections(optional + optionalSize, sectionCount))
        return false;
    for (const Section& section : sections_) {
        const std::uint64_t into = std::uint64_t{resourceRva} - section.virtualAddress;
        if (resourceRva >= section.virtualAddress && into < section.rawSize) {
            resourceStart_ = section.rawOffset + into;
            resourceSize_ = section.rawSize - into;
            return true;
        }
    }
    return false;
}

bool PeFile::readSections(std::uint64_t tableOffset, std::uint16_t count) {
    std::vector<unsigned char> table;
    if (!readBytes(tableOffset, count * kSectionHeaderSize, table))
        return false;
    for (std::uint16_t i = 0; i < count; ++i) {
        const unsigned char* header = table.data() + i * kSectionHeaderSize;
        sections_.push_back({u32At(header + 12), u32At(header + 16), u32At(header + 20)});
    }
    return true;
}

bool PeFile::rvaToOffset(std::uint32_t rva, std::uint64_t size, std::uint64_t& offset) const {
    for (const Section& section : sections_) {
        const std::uint64_t into = std::uint64_t{rva} - section.virtualAddress;
        if (rva >= section.virtualAddress && into <= section.rawSize &&
            size <= section.rawSize - into) {
            offset = section.rawOffset + into;
            return true;
        }
    }
    return false;
}

bool PeFile::readResource(std::uint64_t relative, std::uint64_t count,
                          std::vector<unsigned char>& out) const {
    if (count > resourceSize_ || relative > resourceSize_ - count)
        return false;
    return readBytes(resourceStart_ + relative, count, out);
}

bool PeFile::readDirectory(std::uint32_t relative, std::vector<DirectoryEntry>& entries) const {
    std::vector<unsigned char> header;
    if (!readResource(relative, kResourceDirectorySize, header))
        return false;
    const std::uint64_t count = std::uint64_t{u16At(&header[12])} + u16At(&header[14]);
    std::vector<unsigned char> table;
    if (!readResource(relative + kResourceDirectorySize, count * kResourceEntrySize, table)) {
        return false;
    }
    entries.clear();
    for (std::uint64_t i = 0; i < count; ++i) {
        const unsigned char* raw = table.data() + i * kResourceEntrySize;
        const std::uint32_t name = u32At(raw);
        const std::uint32_t data = u32At(raw + 4);
        entries.push_back(
            {name & ~kHighBit, (name & kHighBit) != 0, (data & kHighBit) != 0, data & ~kHighBit});
    }
    return true;
}

// The first entry that is a directory (or not) with one of the wanted ids, tried in order;
// else, when `anyAtLast` holds, the first entry of the right kind.
const DirectoryEntry* pickEntry(const std::vector<DirectoryEntry>& entries, bool directory,
                                std::initializer_list<std::uint32_t> wantedIds, bool anyAtLast) {
    for (std::uint32_t id : wantedIds) {
        for (const DirectoryEntry& entry : entries) {
            if (!entry.named && entry.id == id && entry.isDirectory == directory)
                return &entry;
        }
    }
    if (!anyAtLast)
        return nullptr;
    for (const DirectoryEntry& entry : entries) {
        if (entry.isDirectory == directory)
            return &entry;
    }
    return nullptr;
}

VersionBlock PeFile::versionResource() const {
    std::vector<DirectoryEntry> entries;
    if (!readDirectory(0, entries))
        return {};
    const DirectoryEntry* type = pickEntry(entries, true, {kRtVersion}, false);
    if (!type || !readDirectory(type->target, entries))
        return {};
    // The system's reader takes no other name: a program whose version resource is named
    // otherwise shows no version.
    const DirectoryEntry* name = pickEntry(entries, true, {kVersionInfoName}, false);
    if (!name || !readDirectory(name->target, entries))
        return {};
    const DirectoryEntry* language =
        pickEntry(entries, false, {kLanguageNeutral, kLanguageUsEnglish}, true);
    std::vector<unsigned char> dataEntry;
    if (!language || !readResource(language->target, kResourceDataEntrySize, dataEntry))
        return {};

    const std::uint32_t dataRva = u32At(dataEntry.data());
    const std::uint32_t dataSize = u32At(dataEntry.data() + 4);
    std::uint64_t offset{};
    VersionBlock block;
    if (dataSize == 0 || dataSize > kMaxVersionResource ||
        !rvaToOffset(dataRva, dataSize, offset) || !readBytes(offset, dataSize, block)) {
        return {};
    }
    return block;
}

class FileByteSource : public ByteSource {
public:
    FileByteSource(std::uint64_t size, const ReadFileAt& readAt) : size_(size), readAt_(readAt) {}
    std::uint64_t size() const override { return size_; }
    // The reader asks for many small pieces that lie close together (headers, section table,
    // resource directory); serving them from one window saves a read for each. The window is
    // small, as those pieces are: most of a program's bytes are never looked at, and copying
    // them cost more than the few extra reads a large program needs.
    bool read(std::uint64_t offset, std::size_t count, unsigned char* out) const override {
        if (count > size_ || offset > size_ - count)
            return false;
        if (offset < windowStart_ || offset + count > windowStart_ + window_.size()) {
            const std::uint64_t length = std::min<std::uint64_t>(
                std::max<std::uint64_t>(count, kWindowBytes), size_ - offset);
            if (!fillWindow(offset, static_cast<std::size_t>(length)))
                return false;
        }
        if (count > 0)
            std::memcpy(out, window_.data() + (offset - windowStart_), count);
        return true;
    }

private:
    // Some file systems (network ones among them) give a read fewer bytes than asked before
    // the end, so the window is read on where each read stopped. A read that gives nothing or
    // fails ends it: a file that shrank after it was opened has no more bytes.
    bool fillWindow(std::uint64_t offset, std::size_t length) const {
        window_.resize(length);
        windowStart_ = offset;
        for (std::size_t filled = 0; filled < length;) {
            const long long count =
                readAt_(static_cast<std::int64_t>(offset + filled),
                        reinterpret_cast<char*>(window_.data() + filled), length - filled);
            if (count <= 0) {
                window_.clear();
                return false;
            }
            filled += static_cast<std::size_t>(count);
        }
        return true;
    }

    static constexpr std::uint64_t kWindowBytes = 4 * 1024;
    std::uint64_t size_;
    const ReadFileAt& readAt_;
    mutable std::vector<unsigned char> window_;
    mutable std::uint64_t windowStart_ = 0;
};

}  // namespace

VersionBlock readPeVersionResource(const ByteSource& source) {
    PeFile file(source);
    return file.readHeaders() ? file.versionResource() : VersionBlock();
}

VersionBlock readPeVersionResourceFromFile(const std::string& path) {
    osfs::File file;
    if (!file.open(path, osfs::OpenMode::Read, osfs::FinalLink::Followed))
        return {};
    return readPeVersionResourceFromFile(file);
}

VersionBlock readPeVersionResource(std::uint64_t size, const ReadFileAt& readAt) {
    return readPeVersionResource(FileByteSource(size, readAt));
}

VersionBlock readPeVersionResourceFromFile(osfs::File& file) {
    return readPeVersionResource(static_cast<std::uint64_t>(std::max<std::int64_t>(file.size(), 0)),
                                 [&file](std::int64_t offset, char* buffer, std::size_t size) {
                                     return file.readAt(offset, buffer, size);
                                 });
}
