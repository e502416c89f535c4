#include "toolkit/readable_volume.h"

#include <stdexcept>

#include "toolkit/os/file_system.h"
#include "toolkit/os/os_traits.h"

namespace {

// The root of the share in "\\server\share\a" ("\\server\share\"); the whole path and a
// separator when it names no share.
std::string shareRootOf(const std::string& path, char separator) {
    const std::string::size_type server = path.find(separator, 2);
    const std::string::size_type share =
        server == std::string::npos ? server : path.find(separator, server + 1);
    return share == std::string::npos ? path + separator : path.substr(0, share + 1);
}

}  // namespace

std::string volumeRootOf(const std::string& path, char separator, bool sharePaths) {
    const std::string twoSeparators(2, separator);
    if (sharePaths && path.compare(0, 2, twoSeparators) == 0)
        return shareRootOf(path, separator);
    const std::string::size_type first = path.find(separator);
    if (first == std::string::npos)
        return std::string();
    const std::string prefix = path.substr(0, first);
    if (!prefix.empty() && prefix.back() != ':')
        return std::string();
    return path.substr(0, first + 1);
}

void requireReadableVolume(const std::string& path) {
    const std::string root =
        volumeRootOf(path, os::kPathSeparator, os::kSharePathsStartWithTwoSeparators);
    std::string ignored;
    if (root.empty() || osfs::folderFullPath(root, ignored))
        return;
    const std::string description = osfs::lastErrorDescription();
    throw std::runtime_error(description.empty() ? "Device unavailable" : description);
}
