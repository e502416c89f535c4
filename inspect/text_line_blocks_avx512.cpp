// The scans over runs of plain text lines with AVX-512's byte instructions: a block of 64 bytes
// is one register, each comparison gives its mask of one bit a byte at once, and the copy
// drops the bytes a line end loses in one compression instead of stopping at each line end.
#include <immintrin.h>

#include <cstdint>

#include "inspect/byte_scan.h"
#include "inspect/run_blocks.h"
#include "inspect/text_line_blocks.h"

#define CR_AVX512_BYTES __attribute__((target("avx512f,avx512bw,avx512vbmi2,bmi,bmi2,popcnt")))

namespace {

using runblocks::kBlock;

CR_AVX512_BYTES inline std::uint64_t bytesEqual(__m512i bytes, char c) {
    return _mm512_cmpeq_epi8_mask(bytes, _mm512_set1_epi8(c));
}

}  // namespace

namespace textblocks {

// A block is one register; the bytes one to five on from each "<" are held against the rest of
// a line end, one comparison of the whole block for each distance. The comparisons are made
// apart and their masks joined after: each comparison masked by the one before waited on it,
// which made the scan a third slower.
CR_AVX512_BYTES std::size_t plainTextLines64(std::string_view text, std::size_t longestLine,
                                             std::size_t& lines) {
    return runblocks::plainTextLines(text, longestLine, lines, [](const char* at) CR_AVX512_BYTES {
        const __m512i bytes = _mm512_loadu_si512(at);
        runblocks::BlockMasks masks;
        const std::uint64_t opens = bytesEqual(bytes, '<');
        // Read as signed, the control characters and the bytes beyond ASCII are those
        // below 0x20.
        masks.care = _mm512_cmplt_epi8_mask(bytes, _mm512_set1_epi8(0x20)) | opens;
        const auto endByteAt = [at](std::size_t k) CR_AVX512_BYTES {
            return bytesEqual(_mm512_loadu_si512(at + k), bytescan::kTextLineEnd[k]);
        };
        masks.lineEnds =
            (opens & endByteAt(1)) & (endByteAt(2) & endByteAt(3)) & (endByteAt(4) & endByteAt(5));
        return masks;
    });
}

// The blocks are taken one after another, 64 bytes on each time, so that the reading of each
// waits on nothing before it. In a block each line end's "<" becomes a backslash and its "B" an
// "n", and its last four bytes are dropped, by one compression; a line end begun in the block's
// last bytes is written whole there and its bytes in the next block dropped. A quote or
// backslash is written behind a backslash: the block is then written in pieces, one up to each.
CR_AVX512_BYTES std::size_t copyAsJson64(std::string_view run, char* out, std::size_t room,
                                         std::size_t& written) {
    const char* const start = run.data();
    const char* from = start;
    const char* const end = start + run.size();
    std::size_t used = 0;
    const __m512i backslashes = _mm512_set1_epi8('\\');
    const __m512i ns = _mm512_set1_epi8('n');
    std::uint64_t opensBefore = 0;  // the "<" of the block before
    // Writes the bytes of `text` that `kept` marks, in their order.
    const auto put = [&](__m512i text, std::uint64_t kept) CR_AVX512_BYTES {
        const auto count = static_cast<unsigned>(_mm_popcnt_u64(kept));
        _mm512_mask_storeu_epi8(out + used, _bzhi_u64(~std::uint64_t{0}, count),
                                _mm512_maskz_compress_epi8(kept, text));
        used += count;
    };
    while (end - from >= static_cast<std::ptrdiff_t>(kBlock) && room - used >= kCopyRoom) {
        runblocks::fetchAhead(from, end);
        const __m512i bytes = _mm512_loadu_si512(from);
        const std::uint64_t opens = bytesEqual(bytes, '<');
        std::uint64_t escapes = bytesEqual(bytes, '"') | bytesEqual(bytes, '\\');
        // Dropped: each line end's last four bytes, and those in this block of a line end that
        // the block before began (its "B" too where the "<" was that block's last byte: its "n"
        // was written with that block).
        std::uint64_t kept =
            ~(opens << 2 | opens << 3 | opens << 4 | opens << 5 | opensBefore >> 59 |
              opensBefore >> 60 | opensBefore >> 61 | opensBefore >> 62 | opensBefore >> 63);
        __m512i text = _mm512_mask_mov_epi8(bytes, opens, backslashes);
        text = _mm512_mask_mov_epi8(text, opens << 1, ns);
        for (; escapes != 0; escapes &= escapes - 1) {
            const auto escape = static_cast<unsigned>(_tzcnt_u64(escapes));
            put(text, _bzhi_u64(kept, escape));
            out[used++] = '\\';
            kept &= ~_bzhi_u64(~std::uint64_t{0}, escape);
        }
        put(text, kept);
        if ((opens >> 63) != 0)
            out[used++] = 'n';
        opensBefore = opens;
        from += kBlock;
    }
    // Past the rest of a line end that the last block began.
    if (opensBefore >> 59 != 0)
        from += 63 - static_cast<std::size_t>(__builtin_clzll(opensBefore)) +
                bytescan::kTextLineEnd.size() - kBlock;
    written = used;
    return static_cast<std::size_t>(from - start);
}

}  // namespace textblocks
