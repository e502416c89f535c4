#pragma once

#include <string>
#include <vector>

// A file's version block (the VS_VERSIONINFO resource as the system's version query hands it
// back) and the lookup of one value in it.
using VersionBlock = std::vector<unsigned char>;

class VersionSource {
public:
    virtual ~VersionSource() = default;
    // The file's version block; false when the file has none or it cannot be read.
    virtual bool versionBlock(const std::string& path, VersionBlock& block) = 0;
    // The value at subBlock ("\VarFileInfo\Translation", "\StringFileInfo\040904B0\FileVersion")
    // of a block that versionBlock gave: values under StringFileInfo as UTF-8 text up to their
    // first zero, any other value as its bytes. False when the block holds no such value.
    virtual bool queryVersionValue(const VersionBlock& block, const std::string& subBlock,
                                   std::string& value) = 0;
};

// Answers from the file itself through the portable PE reader: Linux reads every version this
// way, and the Windows tests compare it with the system's own reader.
class PeVersionSource : public VersionSource {
public:
    bool versionBlock(const std::string& path, VersionBlock& block) override;
    bool queryVersionValue(const VersionBlock& block, const std::string& subBlock,
                           std::string& value) override;
};
