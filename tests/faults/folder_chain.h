#pragma once

#include <string>
#include <vector>

// A chain of `depth` nested folders, each named `name`, under `root`, with one file in the
// innermost folder, so that the tool meets paths beyond the platform's limit (4,096 bytes on
// Linux, 260 characters on Windows). No call that builds or removes the chain sees such a path:
// it is built in short pieces beside `root`, each moved into the innermost folder of the next,
// and taken apart the same way.
class FolderChain {
public:
    FolderChain(const std::string& root, const std::string& name, int depth,
                const std::string& fileName, const std::string& bytes);
    ~FolderChain();
    FolderChain(const FolderChain&) = delete;
    FolderChain& operator=(const FolderChain&) = delete;

    // The full path of the innermost folder.
    const std::string& deepest() const { return deepest_; }

private:
    std::string root_;
    std::string name_;
    std::string pieces_;       // the folder the pieces are built in
    std::vector<int> levels_;  // the levels of each piece, outermost first
    std::string deepest_;
};
