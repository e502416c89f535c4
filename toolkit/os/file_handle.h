#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "toolkit/os/file_system.h"

// The raw file layer under osfs::File, answered by each platform (file_system_linux.cpp,
// file_system_win32.cpp). Buffering and failure words stay portable, in file_system.cpp.
namespace osfs::detail {

constexpr std::intptr_t kNoHandle = -1;

// The kinds of failure the tool tells apart, each with one short description.
enum class Failure {
    FileNotFound,
    PathNotFound,
    PermissionDenied,
    DiskFull,
    FileAlreadyOpen,
    BadFileName,
    TooManyFiles,
    DeviceUnavailable,
    DeviceIoError,
    FileAlreadyExists,
    AccessError,
};

// Records `failure` as the one lastErrorDescription() answers.
void noteFailure(Failure failure);
const char* describe(Failure failure);

// kNoHandle, with the failure noted, when the file cannot be opened; `size` receives the file's
// size in bytes.
std::intptr_t openHandle(const std::string& path, OpenMode mode, FinalLink link,
                         NonRegular nonRegular, std::int64_t& size);
// File::openOrdinary's question for the entry `name` of a held folder; `handle` receives the
// open file's handle (kNoHandle unless Opened) and `size` its size in bytes.
OrdinaryOpen openOrdinaryIn(const HeldFolder::Impl& folder, const std::string& name,
                            std::intptr_t& handle, std::int64_t& size);
// The count read, 0 at the end, -1 (failure noted) on failure.
long long readHandle(std::intptr_t handle, char* buffer, std::size_t size);
// The same from `offset` on.
long long readHandleAt(std::intptr_t handle, std::int64_t offset, char* buffer, std::size_t size);
// Writes every byte or notes the failure and answers false.
bool writeHandle(std::intptr_t handle, const char* data, std::size_t size);
bool closeHandle(std::intptr_t handle);

// The first `size` bytes of the file open to read at `handle`, mapped read-only; null where the
// system does not map them.
const char* mapHandle(std::intptr_t handle, std::uint64_t size);
void unmapBytes(const char* data, std::uint64_t size);
// Hands back the memory that holds the `size` mapped bytes at `data`, which stay mapped.
void releaseMappedBytes(const char* data, std::uint64_t size);

}  // namespace osfs::detail
