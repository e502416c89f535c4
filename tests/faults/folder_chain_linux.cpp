#include "tests/faults/folder_chain.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <stdexcept>
#include <vector>

// Each step goes through the descriptor of the folder above (mkdirat, openat), so no call
// ever sees the whole path.
namespace {

int openFolder(int parent, const std::string& name) {
    const int fd = openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        throw std::runtime_error("cannot open folder " + name);
    return fd;
}

// The descriptors of the root and of every folder of the chain, outermost first.
std::vector<int> openChain(const std::string& root, const std::string& name, int depth) {
    std::vector<int> fds{openFolder(AT_FDCWD, root)};
    for (int level = 0; level < depth; ++level)
        fds.push_back(openFolder(fds.back(), name));
    return fds;
}

void closeAll(const std::vector<int>& fds) {
    for (int fd : fds)
        close(fd);
}

}  // namespace

FolderChain::FolderChain(const std::string& root, const std::string& name, int depth)
    : root_(root), name_(name), depth_(depth), deepest_(root) {
    int parent = openFolder(AT_FDCWD, root);
    for (int level = 0; level < depth; ++level) {
        mkdirat(parent, name.c_str(), 0755);
        const int child = openFolder(parent, name);
        close(parent);
        parent = child;
        deepest_ += "/" + name;
    }
    close(parent);
}

FolderChain::~FolderChain() {
    const std::vector<int> fds = openChain(root_, name_, depth_);
    for (int level = depth_; level > 0; --level) {
        // The innermost folder may hold files the test wrote; the chain holds nothing else.
        if (level == depth_) {
            std::vector<std::string> names;
            if (DIR* dir = fdopendir(dup(fds[level]))) {
                while (const dirent* entry = readdir(dir)) {
                    const std::string entryName = entry->d_name;
                    if (entryName != "." && entryName != "..")
                        names.push_back(entryName);
                }
                closedir(dir);
            }
            for (const std::string& file : names)
                unlinkat(fds[level], file.c_str(), 0);
        }
        unlinkat(fds[level - 1], name_.c_str(), AT_REMOVEDIR);
    }
    closeAll(fds);
}

void FolderChain::writeFile(const std::string& fileName, const std::string& bytes) const {
    const std::vector<int> fds = openChain(root_, name_, depth_);
    const int fd =
        openat(fds.back(), fileName.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const bool written =
        fd >= 0 && write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    if (fd >= 0)
        close(fd);
    closeAll(fds);
    if (!written)
        throw std::runtime_error("cannot write " + fileName);
}
