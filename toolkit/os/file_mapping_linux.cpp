#include "toolkit/os/file_mapping.h"

#include <sys/mman.h>
#include <unistd.h>

#include "toolkit/os/file_system.h"

namespace osfs {

FileMapping::FileMapping(const File& file) {
    if (!file.isOpen() || file.size() <= 0)
        return;
    const std::size_t size = static_cast<std::size_t>(file.size());
    void* data = ::mmap(nullptr, size, PROT_READ, MAP_SHARED, static_cast<int>(file.handle_), 0);
    if (data == MAP_FAILED)
        return;
    // Read front to back: the system reads ahead further and drops what is behind sooner.
    ::madvise(data, size, MADV_SEQUENTIAL);
    data_ = static_cast<const char*>(data);
    size_ = size;
}

FileMapping::~FileMapping() {
    if (data_ != nullptr)
        ::munmap(const_cast<char*>(data_), size_);
}

void FileMapping::release(std::size_t begin, std::size_t end) {
    // Whole pages only: the page of `begin` may hold bytes still in use before it.
    const std::size_t page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    begin = (begin + page - 1) / page * page;
    end = end / page * page;
    if (data_ != nullptr && begin < end && end <= size_)
        ::madvise(const_cast<char*>(data_) + begin, end - begin, MADV_DONTNEED);
}

}  // namespace osfs
