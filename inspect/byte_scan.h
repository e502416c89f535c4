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

// One bit per lane of a comparison's result, lane i at bit i (what SSE2's pmovmskb gives, done
// with a multiplication that works on every target).
template <typename Lanes>
unsigned laneBits(Lanes lanes) {
    static_assert(sizeof(Lanes) == 16, "sixteen lanes of one byte");
    std::uint64_t halves[2];
    std::memcpy(halves, &lanes, sizeof halves);
    // Lane j keeps its bit j; the multiplication gathers the eight kept bits into the top byte.
    constexpr std::uint64_t kOneBitEach = 0x8040201008040201ull;
    constexpr std::uint64_t kGather = 0x0101010101010101ull;
    const auto gathered = [](std::uint64_t half) {
        return static_cast<unsigned>(((half & kOneBitEach) * kGather) >> 56);
    };
    return gathered(halves[0]) | gathered(halves[1]) << 8;
}

// The end of each line of a report's embedded text, as the report writes it.
constexpr std::string_view kTextLineEnd = "<BR>\r\n";

// Whether a byte needs a closer look in a plain text line: a control character (line ends
// among them), a byte beyond ASCII (which may need decoding), a "<" (which may open markup, or be
// the "<BR>" at the line's end).
inline bool needsCare(unsigned char byte) {
    return byte < 0x20 || byte >= 0x80 || byte == '<';
}

// The lanes of `bytes` that needCare().
inline Bytes16 careLanes(Bytes16 bytes) {
    // Read as signed, the control characters and the bytes beyond ASCII are those below 0x20.
    using SignedBytes16 = signed char __attribute__((vector_size(16)));
    const auto outside = reinterpret_cast<SignedBytes16&>(bytes) < 0x20;
    return reinterpret_cast<const Bytes16&>(outside) | (bytes == '<');
}

// The position of the first byte from `at` on that needsCare(), or the size of `text`. Most
// lines of a text are dozens of bytes long: the search goes thirty-two bytes at a time.
inline std::size_t nextCare(std::string_view text, std::size_t at) {
    const char* data = text.data();
    const std::size_t size = text.size();
    for (; at + 32 <= size; at += 32) {
        Bytes16 low, high;
        std::memcpy(&low, data + at, sizeof low);
        std::memcpy(&high, data + at + 16, sizeof high);
        const Bytes16 lowCare = careLanes(low);
        const Bytes16 highCare = careLanes(high);
        if (any(lowCare | highCare)) {
            const unsigned bits = laneBits(lowCare) | laneBits(highCare) << 16;
            return at + static_cast<std::size_t>(__builtin_ctz(bits));
        }
    }
    while (at < size && !needsCare(static_cast<unsigned char>(data[at])))
        ++at;
    return at;
}

// The length of the run at the start of `text` of whole plain text lines, each followed by
// kTextLineEnd and no byte of it before that needsCare(), none longer than `longestLine`
// (its "<BR>" counted); `lines` receives their count. Their bytes are ASCII, the same as UTF-8
// and as any code page. It looks a line at a time: textblocks::plainTextLines gives the same
// answer faster on long runs, and ends with this.
inline std::size_t plainTextLinesByLine(std::string_view text, std::size_t longestLine,
                                        std::size_t& lines) {
    std::size_t runEnd = 0;
    lines = 0;
    for (;;) {
        const std::size_t found = nextCare(text, runEnd);
        if (text.substr(found, kTextLineEnd.size()) != kTextLineEnd ||
            found + 4 - runEnd > longestLine)
            return runEnd;
        ++lines;
        runEnd = found + kTextLineEnd.size();
    }
}

}  // namespace bytescan
