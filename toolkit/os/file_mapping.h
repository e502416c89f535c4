#pragma once

#include <cstddef>
#include <cstdint>

namespace osfs {

class File;

// An open file's bytes seen in memory, read-only, as the file held them when it was opened: a
// reader of a large file uses them where they stand instead of copying them into buffers of its
// own. Each system maps in a file of its own (file_mapping_linux.cpp, file_mapping_win32.cpp).
// A file that cannot be mapped (an empty one, one the system will not map) gives no mapping,
// and its reader reads it as before.
class FileMapping {
public:
    explicit FileMapping(const File& file);
    ~FileMapping();  // unmaps
    FileMapping(const FileMapping&) = delete;
    FileMapping& operator=(const FileMapping&) = delete;

    // The file's first byte; null when there is no mapping.
    const char* data() const { return data_; }
    std::size_t size() const { return size_; }

    // Hands the pages of the bytes from `begin` up to `end` back to the system: a reader that
    // goes on through the file so keeps only a stretch of it in its memory. The bytes stay
    // readable; the system reads them again from the file where they are used once more.
    void release(std::size_t begin, std::size_t end);

private:
    const char* data_ = nullptr;
    std::size_t size_ = 0;
    std::intptr_t mapping_ = 0;  // the system's object behind the view, where it keeps one
};

}  // namespace osfs
