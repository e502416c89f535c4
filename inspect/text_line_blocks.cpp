#include "inspect/text_line_blocks.h"

#include <cstdint>
#include <cstring>

#include "inspect/byte_scan.h"
#include "inspect/run_blocks.h"
#include "toolkit/byte_vectors.h"
#include "toolkit/processor.h"

namespace {

using runblocks::kBlock;

// One bit a lane of a comparison's result, lane i at bit i (the processor's movemask, which
// takes plain chars).
using Chars16 = char __attribute__((vector_size(16)));
using Chars32 = char __attribute__((vector_size(32)));
[[gnu::always_inline]] inline std::uint64_t laneBits(ByteVector<16> lanes) {
    return static_cast<std::uint16_t>(
        __builtin_ia32_pmovmskb128(__builtin_bit_cast(Chars16, lanes)));
}
// The AVX2 one takes its lanes by reference: passed by value from code built without AVX, a
// vector of 32 bytes would change the calling convention.
[[gnu::target("avx2")]] inline std::uint64_t laneBits(const ByteVector<32>& lanes) {
    return static_cast<std::uint32_t>(
        __builtin_ia32_pmovmskb256(__builtin_bit_cast(Chars32, lanes)));
}

// The masks of the kBlock bytes at `at`; reads the five bytes after them too, where a line
// end that begins in the block ends.
template <std::size_t Width>
[[gnu::always_inline]] inline runblocks::BlockMasks blockMasks(const char* at) {
    runblocks::BlockMasks masks;
    for (std::size_t part = 0; part < kBlock / Width; ++part) {
        // A line end that begins at a byte has its "BR>" and CR LF one to five bytes on.
        const char* bytes = at + part * Width;
        const ByteVector<Width> first = bytesAt<Width>(bytes);
        const auto opens = first == '<';
        const auto care = (first < 0x20) | opens;
        const auto ends = opens & (bytesAt<Width>(bytes + 1) == 'B') &
                          (bytesAt<Width>(bytes + 2) == 'R') & (bytesAt<Width>(bytes + 3) == '>') &
                          (bytesAt<Width>(bytes + 4) == '\r') & (bytesAt<Width>(bytes + 5) == '\n');
        masks.care |= laneBits(care) << (part * Width);
        masks.lineEnds |= laneBits(ends) << (part * Width);
    }
    return masks;
}

// Each block is copied whole; where it holds a byte that stops the copy ("<", quote, backslash),
// the copy goes on behind it, with the block that begins there.
template <std::size_t Width>
[[gnu::always_inline]] inline std::size_t copyAsJson(std::string_view run, char* out,
                                                     std::size_t room, std::size_t& written) {
    const char* const start = run.data();
    const char* from = start;
    const char* const end = start + run.size();
    std::size_t used = 0;
    while (end - from >= static_cast<std::ptrdiff_t>(kBlock) &&
           room - used >= textblocks::kCopyRoom) {
        runblocks::fetchAhead(from, end);
        std::uint64_t stops = 0;
        for (std::size_t part = 0; part < kBlock / Width; ++part) {
            const ByteVector<Width> bytes = bytesAt<Width>(from + part * Width);
            std::memcpy(out + used + part * Width, &bytes, sizeof bytes);
            stops |= laneBits((bytes == '<') | (bytes == '"') | (bytes == '\\')) << (part * Width);
        }
        if (stops == 0) {
            from += kBlock;
            used += kBlock;
            continue;
        }
        const auto at = static_cast<std::size_t>(__builtin_ctzll(stops));
        used += at;
        out[used++] = '\\';
        if (from[at] == '<') {
            out[used++] = 'n';
            from += at + bytescan::kTextLineEnd.size();
        } else {
            out[used++] = from[at];
            from += at + 1;
        }
    }
    written = used;
    return static_cast<std::size_t>(from - start);
}

}  // namespace

namespace textblocks {

std::size_t plainTextLines16(std::string_view text, std::size_t longestLine, std::size_t& lines) {
    return runblocks::plainTextLines(text, longestLine, lines, blockMasks<16>);
}

__attribute__((target("avx2"))) std::size_t plainTextLines32(std::string_view text,
                                                             std::size_t longestLine,
                                                             std::size_t& lines) {
    // The masks are made in a function built for AVX2 too, so that its comparisons inline.
    return runblocks::plainTextLines(
        text, longestLine, lines,
        [](const char* at) __attribute__((target("avx2"))) { return blockMasks<32>(at); });
}

std::size_t copyAsJson16(std::string_view run, char* out, std::size_t room, std::size_t& written) {
    return ::copyAsJson<16>(run, out, room, written);
}

__attribute__((target("avx2"))) std::size_t copyAsJson32(std::string_view run, char* out,
                                                         std::size_t room, std::size_t& written) {
    return ::copyAsJson<32>(run, out, room, written);
}

namespace {

// The widest scans the processor has, chosen once.
struct Scans {
    decltype(&plainTextLines16) runLength;
    decltype(&copyAsJson16) copy;
};
const Scans kScans = processorHasAvx512Bytes() ? Scans{plainTextLines64, copyAsJson64}
                     : processorHasAvx2()      ? Scans{plainTextLines32, copyAsJson32}
                                               : Scans{plainTextLines16, copyAsJson16};

}  // namespace

std::size_t plainTextLines(std::string_view text, std::size_t longestLine, std::size_t& lines) {
    return kScans.runLength(text, longestLine, lines);
}

std::size_t copyAsJson(std::string_view run, char* out, std::size_t room, std::size_t& written) {
    return kScans.copy(run, out, room, written);
}

}  // namespace textblocks
