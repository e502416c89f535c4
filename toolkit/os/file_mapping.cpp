#include "toolkit/os/file_mapping.h"

#include <algorithm>

#include "toolkit/os/file_handle.h"
#include "toolkit/os/file_system.h"

namespace osfs {

namespace {

// Memory goes back in steps of this size, from places a whole number of pages into the mapping
// on both systems: few calls to the system, and the memory held stays small.
constexpr std::uint64_t kReleaseAlignment = 64 * 1024;
constexpr std::uint64_t kReleaseStep = 8 * 1024 * 1024;

}  // namespace

FileMapping::FileMapping(const File& file) {
    if (!file.isOpen() || file.size() <= 0)
        return;
    data_ = detail::mapHandle(file.handle_, static_cast<std::uint64_t>(file.size()));
    if (data_ != nullptr)
        size_ = static_cast<std::uint64_t>(file.size());
}

FileMapping::~FileMapping() {
    if (data_ != nullptr)
        detail::unmapBytes(data_, size_);
}

void FileMapping::release(std::uint64_t offset) {
    const std::uint64_t until = std::min(offset, size_) / kReleaseAlignment * kReleaseAlignment;
    if (data_ == nullptr || until < released_ + kReleaseStep)
        return;
    detail::releaseMappedBytes(data_ + released_, until - released_);
    released_ = until;
}

}  // namespace osfs
