#include <sys/mman.h>
#include <unistd.h>

#include <csignal>
#include <cstring>

#include "toolkit/os/file_handle.h"
#include "toolkit/os/file_mapping.h"

namespace osfs {

namespace detail {

const char* mapHandle(std::intptr_t handle, std::uint64_t size) {
    void* data = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, static_cast<int>(handle), 0);
    return data == MAP_FAILED ? nullptr : static_cast<const char*>(data);
}

void unmapBytes(const char* data, std::uint64_t size) {
    munmap(const_cast<char*>(data), size);
}

void releaseMappedBytes(const char* data, std::uint64_t size) {
    // The mapping is private and never written, so its pages are the file's own: dropping them
    // loses nothing, and a later touch maps them again.
    madvise(const_cast<char*>(data), size, MADV_DONTNEED);
}

}  // namespace detail

namespace {

const char* lostBytesMessage = "";
int lostBytesStatus = 1;

// A touch of a mapped page that the file no longer holds, or that its disk cannot give, raises
// SIGBUS. Only what a signal handler may call is called here.
void onLostBytes(int) {
    const ssize_t written = write(STDERR_FILENO, lostBytesMessage, std::strlen(lostBytesMessage));
    static_cast<void>(written);
    _exit(lostBytesStatus);
}

}  // namespace

void endProcessOnLostMappedBytes(const char* message, int status) {
    lostBytesMessage = message;
    lostBytesStatus = status;
    struct sigaction action = {};
    action.sa_handler = onLostBytes;
    sigemptyset(&action.sa_mask);
    sigaction(SIGBUS, &action, nullptr);
}

}  // namespace osfs
