#pragma once

#include <filesystem>
#include <string>
#include <vector>

// A chain of `depth` nested folders, each named `name`, under `root`, with one file in the
// innermost folder, so that the tool meets paths beyond the platform's limit (4,096 bytes on
// Linux, 260 characters on Windows). No call that builds or removes the chain sees such a path:
// it is built in short pieces beside `root`, each moved into the innermost folder of the one
// above it, and taken apart the same way.
class FolderChain {
public:
    FolderChain(const std::string& root, const std::string& name, int depth,
                const std::string& fileName, const std::string& bytes);
    ~FolderChain();
    FolderChain(const FolderChain&) = delete;
    FolderChain& operator=(const FolderChain&) = delete;

    // The full path of the innermost folder.
    std::string deepest() const;

private:
    // `levels` folders named `name_` below `top`.
    std::filesystem::path below(std::filesystem::path top, int levels) const;

    std::filesystem::path root_;
    std::filesystem::path pieces_;  // piece i is built in pieces_ / i
    std::string name_;
    std::vector<int> levels_;  // the levels of each piece, outermost first
};
