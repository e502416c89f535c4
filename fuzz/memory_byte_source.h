#pragma once

#include <cstring>

#include "sysinfo/pe_version_reader.h"

// Bytes in memory as a program image, for the fuzz target and the reader's tests: a read
// outside them fails.
class MemoryByteSource : public ByteSource {
public:
    MemoryByteSource(const unsigned char* data, std::size_t size) : data_(data), size_(size) {}
    std::uint64_t size() const override { return size_; }
    bool read(std::uint64_t offset, std::size_t count, unsigned char* out) const override {
        if (count > size_ || offset > size_ - count)
            return false;
        if (count > 0)
            std::memcpy(out, data_ + offset, count);
        return true;
    }

private:
    const unsigned char* data_;
    std::size_t size_;
};
