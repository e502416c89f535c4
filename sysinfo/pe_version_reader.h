#pragma once

#include <cstddef>
#include <cstdint>
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
// RT_VERSION entry, its VS_VERSION_INFO name (else its first name) and its language-neutral
// language (else US English, else its first language), read as raw bytes for
// queryVersionBlock. The empty block when the file is no such program, has no version
// resource, or is damaged anywhere on the way: every offset and size is checked before use.
VersionBlock readPeVersionResource(const ByteSource& source);

// The same for a file on disk; only ordinary files are opened.
VersionBlock readPeVersionResourceFromFile(const std::string& path);
// The same for a file open for reading; one that has shrunk since it was opened gives nothing.
VersionBlock readPeVersionResourceFromFile(osfs::File& file);
