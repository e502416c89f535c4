#include <windows.h>

#include <cstring>

#include "toolkit/os/file_handle.h"
#include "toolkit/os/file_mapping.h"

namespace osfs {

namespace detail {

const char* mapHandle(std::intptr_t handle, std::uint64_t size) {
    // A size beyond the file's (it was shortened since it was opened) is refused, and the file
    // is then read.
    HANDLE mapping =
        CreateFileMappingW(reinterpret_cast<HANDLE>(handle), nullptr, PAGE_READONLY,
                           static_cast<DWORD>(size >> 32), static_cast<DWORD>(size), nullptr);
    if (mapping == nullptr)
        return nullptr;
    void* data = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, static_cast<SIZE_T>(size));
    // The view keeps the mapping for as long as it is mapped.
    CloseHandle(mapping);
    return static_cast<const char*>(data);
}

void unmapBytes(const char* data, std::uint64_t) {
    UnmapViewOfFile(data);
}

void releaseMappedBytes(const char* data, std::uint64_t size) {
    // Unlocking pages that were never locked takes them out of the process's working set; the
    // call then answers that they were not locked, which is expected.
    VirtualUnlock(const_cast<char*>(data), static_cast<SIZE_T>(size));
}

}  // namespace detail

namespace {

const char* lostBytesMessage = "";
int lostBytesStatus = 1;

// A touch of a mapped page that its disk cannot give raises an in-page error (Windows keeps a
// mapped file from being shortened).
LONG CALLBACK onLostBytes(EXCEPTION_POINTERS* exception) {
    if (exception->ExceptionRecord->ExceptionCode != EXCEPTION_IN_PAGE_ERROR)
        return EXCEPTION_CONTINUE_SEARCH;
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), lostBytesMessage,
              static_cast<DWORD>(std::strlen(lostBytesMessage)), &written, nullptr);
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(lostBytesStatus));
    return EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

void endProcessOnLostMappedBytes(const char* message, int status) {
    lostBytesMessage = message;
    lostBytesStatus = status;
    AddVectoredExceptionHandler(1, onLostBytes);
}

}  // namespace osfs
