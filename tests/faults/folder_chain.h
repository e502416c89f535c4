#pragma once

#include <string>

// A chain of nested folders, each named `name`, under `root`, built and removed with calls
// that reach beyond the platform's usual path limit (4,096 bytes on Linux, 260 characters on
// Windows), so that the tool meets paths it cannot open by their full name.
class FolderChain {
public:
    FolderChain(const std::string& root, const std::string& name, int depth);
    ~FolderChain();  // removes the chain with everything in it
    FolderChain(const FolderChain&) = delete;
    FolderChain& operator=(const FolderChain&) = delete;

    // The full path of the innermost folder.
    const std::string& deepest() const { return deepest_; }
    // Writes a file into the innermost folder.
    void writeFile(const std::string& fileName, const std::string& bytes) const;

private:
    std::string root_;
    std::string name_;
    int depth_;
    std::string deepest_;
};
