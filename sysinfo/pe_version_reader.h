#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "sysinfo/version_source.h"

namespace osfs {
class File;
}

// Random access to the bytes of a file or of a buffer.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t size() const = 0;
    // Copies `count` bytes from `offset` into `out`; false when they are not all there.
    virtual bool read(std::uint64_t offset, std::size_t count, unsigned char* out) const = 0;
};

// The version resource of a Windows program file, PE32 or PE32+: the resource directory's
// RT_VERSION entry, its VS_VERSION_INFO name (1, and no other) and its language-neutral
// language (else US English, else its first language), read as raw bytes for
// queryVersionBlock. The empty block when the file is no such program, has no version
// resource, or is damaged anywhere on the way: every offset and size is checked before use.
VersionBlock readPeVersionResource(const ByteSource& source);

// Reads up to `size` bytes of a file from `offset` on, as osfs::File::readAt does: the count
// read, 0 at the end, -1 on failure.
using ReadFileAt = std::function<long long(std::int64_t offset, char* buffer, std::size_t size)>;

// The same for a file of `size` bytes, its size when it was opened, read through `readAt`. A
// read that gives fewer bytes than asked goes on where it stopped; a file whose bytes end
// before its size (it shrank after it was opened) or cannot be read gives nothing.
VersionBlock readPeVersionResource(std::uint64_t size, const ReadFileAt& readAt);

// The same for a file on disk; only ordinary files are opened.
VersionBlock readPeVersionResourceFromFile(const std::string& path);
// The same for a file open for reading.
VersionBlock readPeVersionResourceFromFile(osfs::File& file);
