#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "inspect/byte_scan.h"

// The scan for runs of plain text lines, a block of 64 bytes at a time, whatever the width the
// processor compares them at (inspect/text_line_blocks.h).
namespace runblocks {

constexpr std::size_t kBlock = 64;

// The scans ask for the bytes this far ahead of the block in hand: a mapped report's bytes
// come from memory, not from a cache that a copy has just filled, and the comparisons of each
// block would otherwise leave too few of the next bytes on their way at once. Never past
// `end`.
constexpr std::ptrdiff_t kFetchAhead = 4096;
inline void fetchAhead(const char* at, const char* end) {
    __builtin_prefetch(at + std::min(kFetchAhead, end - at));
}

// A block's bytes that bytescan::needsCare, and the starts of the text line ends in it.
struct BlockMasks {
    std::uint64_t care = 0;
    std::uint64_t lineEnds = 0;
};

// A block belongs to the run when the only bytes in it that need care are those of whole line
// ends: each "<" begins one, and the CR and LF of each are where it puts them, the block's
// first two perhaps for a line end that began in the block before. The count of lines is
// that of line ends; where a block does not belong, or a line could be longer than
// `longestLine`, the rest is scanned a line at a time, which finds exactly where the run ends.
// `masksOf` gives the masks of the block at a place, reading the five bytes after it too,
// where a line end that begins in the block ends.
template <typename MasksOf>
[[gnu::always_inline]] inline std::size_t plainTextLines(std::string_view text,
                                                         std::size_t longestLine,
                                                         std::size_t& lines, MasksOf masksOf) {
    const char* data = text.data();
    std::size_t runEnd = 0;
    std::size_t count = 0;
    std::uint64_t endsFromBefore = 0;  // the CR and LF of line ends begun in the block before
    for (std::size_t at = 0;
         at + kBlock + 5 <= text.size() && at + kBlock + 4 - runEnd <= longestLine; at += kBlock) {
        fetchAhead(data + at, data + text.size());
        const BlockMasks masks = masksOf(data + at);
        const std::uint64_t lineEnds = masks.lineEnds;
        if (masks.care != (lineEnds | lineEnds << 4 | lineEnds << 5 | endsFromBefore))
            break;
        endsFromBefore = lineEnds >> 60 | lineEnds >> 59;
        if (lineEnds != 0) {
            count += static_cast<std::size_t>(__builtin_popcountll(lineEnds));
            runEnd = at + 63 - static_cast<std::size_t>(__builtin_clzll(lineEnds)) +
                     bytescan::kTextLineEnd.size();
        }
    }
    std::size_t rest = 0;
    runEnd += bytescan::plainTextLinesByLine(text.substr(runEnd), longestLine, rest);
    lines = count + rest;
    return runEnd;
}

}  // namespace runblocks
