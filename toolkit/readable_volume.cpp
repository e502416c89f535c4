#include "toolkit/readable_volume.h"

#include <stdexcept>

#include "toolkit/os/file_system.h"
#include "toolkit/os/os_traits.h"

namespace {

// "C:\" for "C:\a\b", "/" for "/a/b"; empty for a relative path.
std::string rootOf(const std::string& path) {
    const std::string::size_type first = path.find(os::kPathSeparator);
    if (first == std::string::npos)
        return std::string();
    const std::string prefix = path.substr(0, first);
    if (!prefix.empty() && prefix.back() != ':')
        return std::string();
    return path.substr(0, first + 1);
}

}  // namespace

void requireReadableVolume(const std::string& path) {
    const std::string root = rootOf(path);
    std::string ignored;
    if (root.empty() || osfs::folderFullPath(root, ignored))
        return;
    const std::string description = osfs::lastErrorDescription();
    throw std::runtime_error(description.empty() ? "Device unavailable" : description);
}
