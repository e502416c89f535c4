#include "sysinfo/version_source.h"

#include "sysinfo/pe_version_reader.h"
#include "sysinfo/version_block.h"

bool PeVersionSource::versionBlock(const std::string& path, VersionBlock& block) {
    block = readPeVersionResourceFromFile(path);
    return !block.empty();
}

bool PeVersionSource::queryVersionValue(const VersionBlock& block, const std::string& subBlock,
                                        std::string& value) {
    return queryVersionBlock(block, subBlock, value);
}
