#include "toolkit/os/file_handle.h"
#include "toolkit/os/file_mapping.h"

// Windows reads files instead of mapping them. Under Wine, where the Windows build is tested, a
// view's pages stay with the process until the whole view is unmapped (reading the largest
// benchmark report held 500 MB); and a file on a network share whose connection fails would
// raise an in-page error where a read fails with the reader's message and keeps what it read.
namespace osfs {

namespace detail {

const char* mapHandle(std::intptr_t, std::uint64_t) {
    return nullptr;
}

void unmapBytes(const char*, std::uint64_t) {}

void releaseMappedBytes(const char*, std::uint64_t) {}

}  // namespace detail

void endProcessOnLostMappedBytes(const char*, int) {}

}  // namespace osfs
