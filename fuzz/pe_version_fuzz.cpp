// Feeds arbitrary bytes to the version-resource reader as a program image, then queries the
// block it finds, and feeds the same bytes to the block reader directly. No input may make a
// read outside the bytes it was given, which the sanitizers and the container checks stop.
#include <string>

#include "fuzz/fuzz_targets.h"
#include "fuzz/memory_byte_source.h"
#include "sysinfo/pe_version_reader.h"
#include "sysinfo/version_block.h"

namespace {

void queryAll(const VersionBlock& block) {
    std::string value;
    queryVersionBlock(block, "\\", value);
    queryVersionBlock(block, "\\VarFileInfo\\Translation", value);
    queryVersionBlock(block, "\\StringFileInfo\\040904B0\\FileVersion", value);
    queryVersionBlock(block, "\\StringFileInfo\\040904E4\\ProductVersion", value);
}

}  // namespace

void fuzzPeVersion(const std::uint8_t* data, std::size_t size) {
    queryAll(readPeVersionResource(MemoryByteSource(data, size)));
    queryAll(VersionBlock(data, data + size));
}
