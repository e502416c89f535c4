#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

// Scans over the bytes of a report's text, which every byte of a report passes through, sixteen
// bytes at a time with the compilers' vector types (GCC and Clang build every target of this
// project). Most lines of a report are short, so a line's last bytes are looked at as sixteen
// too: the last sixteen of the line, or the line padded to sixteen.
namespace bytescan {

using Bytes16 = unsigned char __attribute__((vector_size(16)));

// Whether any lane of a comparison's result (sixteen lanes of one byte) is set.
template <typename Lanes>
bool any(Lanes lanes) {
    static_assert(sizeof(Lanes) == 16, "sixteen lanes of one byte");
    std::uint64_t halves[2];
    std::memcpy(halves, &lanes, sizeof halves);
    return (halves[0] | halves[1]) != 0;
}

// The length of the run at the start of `text` whose bytes each fail `stops`, a test of one
// byte; `stopsAny` is the same test of sixteen lanes, and `filler` a byte that fails it.
template <typename StopsAny, typename Stops>
std::size_t runUntil(std::string_view text, StopsAny stopsAny, Stops stops, char filler) {
    const std::size_t size = text.size();
    Bytes16 bytes;
    std::size_t at = 0;
    if (size < 16) {
        char padded[16];
        std::memset(padded, filler, sizeof padded);
        std::memcpy(padded, text.data(), size);
        std::memcpy(&bytes, padded, sizeof bytes);
        if (!any(stopsAny(bytes)))
            return size;
    } else {
        for (; at + 16 <= size; at += 16) {
            std::memcpy(&bytes, text.data() + at, sizeof bytes);
            if (any(stopsAny(bytes)))
                break;
        }
        if (at + 16 > size) {
            std::memcpy(&bytes, text.data() + size - 16, sizeof bytes);
            if (!any(stopsAny(bytes)))
                return size;
        }
    }
    while (at < size && !stops(static_cast<unsigned char>(text[at])))
        ++at;
    return at;
}

// The length of the ASCII run at the start of `text`.
inline std::size_t asciiRun(std::string_view text) {
    return runUntil(
        text, [](Bytes16 bytes) { return bytes >= 0x80; },
        [](unsigned char byte) { return byte >= 0x80; }, ' ');
}

// The length of the run at the start of `text` that a JSON string takes as it is: no quote, no
// backslash, no control character.
inline std::size_t jsonPlainRun(std::string_view text) {
    return runUntil(
        text, [](Bytes16 bytes) { return (bytes == '"') | (bytes == '\\') | (bytes < 0x20); },
        [](unsigned char byte) { return byte == '"' || byte == '\\' || byte < 0x20; }, ' ');
}

}  // namespace bytescan
