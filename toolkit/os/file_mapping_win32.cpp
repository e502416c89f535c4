#include <windows.h>

#include <cstdint>

#include "toolkit/os/file_mapping.h"
#include "toolkit/os/file_system.h"

namespace osfs {

FileMapping::FileMapping(const File& file) {
    if (!file.isOpen() || file.size() <= 0 || static_cast<std::uint64_t>(file.size()) > SIZE_MAX)
        return;
    HANDLE mapping = ::CreateFileMappingW(reinterpret_cast<HANDLE>(file.handle_), nullptr,
                                          PAGE_READONLY, 0, 0, nullptr);
    if (mapping == nullptr)
        return;
    const void* data = ::MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
    if (data == nullptr) {
        ::CloseHandle(mapping);
        return;
    }
    data_ = static_cast<const char*>(data);
    size_ = static_cast<std::size_t>(file.size());
    mapping_ = reinterpret_cast<std::intptr_t>(mapping);
}

FileMapping::~FileMapping() {
    if (data_ == nullptr)
        return;
    ::UnmapViewOfFile(data_);
    ::CloseHandle(reinterpret_cast<HANDLE>(mapping_));
}

void FileMapping::release(std::size_t begin, std::size_t end) {
    // Unlocking pages that are not locked takes them out of the process's working set; the
    // call answers that they were not locked, which is what is expected here.
    if (data_ != nullptr && begin < end && end <= size_)
        ::VirtualUnlock(const_cast<char*>(data_) + begin, end - begin);
}

}  // namespace osfs
