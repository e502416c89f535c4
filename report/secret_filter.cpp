#include "report/secret_filter.h"

#include <cstdint>
#include <cstring>

#include "report/ascii_text.h"
#include "toolkit/byte_vectors.h"
#include "toolkit/processor.h"

namespace {

// Whether one of the triggers begins at one of the Width characters from `at` on (it reads
// Width + 2): three letters of each secret word ("pas", "sec", "tok", "key", "cre", "aut", "psk")
// and of a signature ("sig"), the "pw" of "pw" and "pwd", the password switch "/p:", a client's
// password option " -p", the "@" of URL credentials and the "--" of a key block's marker, in any
// case. Setting bit 0x20 puts a letter
// in lower case (and "@" on "`", which only costs a closer look).
template <std::size_t Width>
[[gnu::always_inline]] inline bool blockHoldsTrigger(const char* at) {
    const ByteVector<Width> a = bytesAt<Width>(at) | 0x20;
    const ByteVector<Width> b = bytesAt<Width>(at + 1) | 0x20;
    const ByteVector<Width> c = bytesAt<Width>(at + 2) | 0x20;
    const ByteVector<Width> found =
        ((a == 'p') & (((b == 'a') & (c == 's')) | (b == 'w') | ((b == 's') & (c == 'k')))) |
        ((a == 's') & (((b == 'e') & (c == 'c')) | ((b == 'i') & (c == 'g')))) |
        ((a == 't') & (b == 'o') & (c == 'k')) | ((a == 'k') & (b == 'e') & (c == 'y')) |
        ((a == 'c') & (b == 'r') & (c == 'e')) | ((a == 'a') & (b == 'u') & (c == 't')) |
        ((a == '/') & (b == 'p') & (c == ':')) | ((a == ' ') & (b == '-') & (c == 'p')) |
        (a == '`') | ((a == '-') & (b == '-'));
    std::uint64_t parts[Width / 8];
    std::memcpy(parts, &found, sizeof parts);
    std::uint64_t any = 0;
    for (const std::uint64_t part : parts)
        any |= part;
    return any != 0;
}

template <std::size_t Width>
[[gnu::always_inline]] inline bool holdsTrigger(std::string_view line) {
    constexpr std::size_t kReach = Width + 2;  // the characters one block reads
    if (line.size() < kReach) {
        char padded[kReach + Width] = {};
        line.copy(padded, line.size());
        return blockHoldsTrigger<Width>(padded) || blockHoldsTrigger<Width>(padded + Width);
    }
    for (std::size_t at = 0; at + kReach < line.size(); at += Width) {
        if (blockHoldsTrigger<Width>(line.data() + at))
            return true;
    }
    // The last block ends with the line, overlapping the one before; it looks for triggers
    // beginning up to two characters before the end, so the triggers shorter than three
    // characters are looked for in those two as well.
    const std::string_view lastTwo = line.substr(line.size() - 2);
    return blockHoldsTrigger<Width>(line.data() + line.size() - kReach) || lastTwo == "--" ||
           equalsNoCase(lastTwo, "pw") || lastTwo.find('@') != std::string_view::npos;
}

// The look runs over every embedded byte of a masked report: where the processor has AVX2, it
// takes 32 characters at once, which halves its cost.
const bool kWideBlocks = processorHasAvx2();

}  // namespace

namespace secretfilter {

bool holdsTrigger16(std::string_view line) {
    return holdsTrigger<16>(line);
}

__attribute__((target("avx2"))) bool holdsTrigger32(std::string_view line) {
    return holdsTrigger<32>(line);
}

bool wideBlocksAvailable() {
    return kWideBlocks;
}

}  // namespace secretfilter

bool mayHoldSecret(std::string_view line) {
    return kWideBlocks ? secretfilter::holdsTrigger32(line) : secretfilter::holdsTrigger16(line);
}
