#pragma once

#include <cstdint>

namespace osfs {

class File;

// The bytes of a file open to read, mapped read-only into the process's memory (on Linux): a
// reader of a large file scans them where the system keeps them instead of first copying them,
// piece by piece, into buffers of its own (the copy alone takes as long as `cat` of the file).
class FileMapping {
public:
    // Maps the bytes the file held when it was opened. Nothing is mapped for an empty file, for
    // one the system does not map (some network and user-space file systems), nor on Windows:
    // mapped() is then false, and the file is to be read.
    explicit FileMapping(const File& file);
    ~FileMapping();
    FileMapping(const FileMapping&) = delete;
    FileMapping& operator=(const FileMapping&) = delete;

    bool mapped() const { return data_ != nullptr; }
    const char* data() const { return data_; }
    std::uint64_t size() const { return size_; }
    // Hands back, a few mebibytes at a time, the memory that holds the bytes before `offset`,
    // which the reader is done with: a reading of a large file keeps little memory. The bytes
    // stay mapped; reading them again takes them anew from the system.
    void release(std::uint64_t offset);

private:
    const char* data_ = nullptr;
    std::uint64_t size_ = 0;
    std::uint64_t released_ = 0;  // the memory of the bytes before this is handed back
};

// Makes the loss of a mapped file's bytes end the process with `message` on standard error and
// exit status `status`, where the system would end it as a crash: the file was shortened by
// another program after it was mapped, or its disk failed. For the whole process; `message`
// must stay valid. Nothing to do where nothing is mapped.
void endProcessOnLostMappedBytes(const char* message, int status);

}  // namespace osfs
