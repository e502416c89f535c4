#include "report/secret_filter.h"

#include <cstdint>
#include <cstring>

namespace {

// Sixteen characters at once, in the compiler's vector extension: one instruction compares them
// all where the processor has vector registers (SSE2 on both targets), and the same code runs
// character by character where it has none.
using Block = unsigned char __attribute__((vector_size(16)));

Block loadBlock(const char* at) {
    Block block;
    std::memcpy(&block, at, sizeof block);
    return block;
}

// Whether one of the triggers begins at one of the 16 characters from `at` on (it reads 18):
// three letters of each secret word ("pas", "pwd", "sec", "tok", "key", "cre", "aut"), the
// password switch "/p:", the "@" of URL credentials and the "--" of a key block's marker, in
// any case. Setting bit 0x20
// puts a letter in lower case (and "@" on "`", which only costs a closer look).
bool blockHoldsTrigger(const char* at) {
    const Block a = loadBlock(at) | 0x20;
    const Block b = loadBlock(at + 1) | 0x20;
    const Block c = loadBlock(at + 2) | 0x20;
    const auto is = [](Block block, char letter) { return block == letter; };
    const auto found =
        (is(a, 'p') & ((is(b, 'a') & is(c, 's')) | (is(b, 'w') & is(c, 'd')))) |
        (is(a, 's') & is(b, 'e') & is(c, 'c')) | (is(a, 't') & is(b, 'o') & is(c, 'k')) |
        (is(a, 'k') & is(b, 'e') & is(c, 'y')) | (is(a, 'c') & is(b, 'r') & is(c, 'e')) |
        (is(a, 'a') & is(b, 'u') & is(c, 't')) | (is(a, '/') & is(b, 'p') & is(c, ':')) |
        is(a, '`') | (is(a, '-') & is(b, '-'));
    std::uint64_t halves[2];
    std::memcpy(halves, &found, sizeof halves);
    return (halves[0] | halves[1]) != 0;
}

}  // namespace

bool mayHoldSecret(std::string_view line) {
    constexpr std::size_t kReach = sizeof(Block) + 2;  // the characters one block reads
    if (line.size() < kReach) {
        char padded[kReach + sizeof(Block)] = {};
        line.copy(padded, line.size());
        return blockHoldsTrigger(padded) || blockHoldsTrigger(padded + sizeof(Block));
    }
    for (std::size_t at = 0; at + kReach < line.size(); at += sizeof(Block)) {
        if (blockHoldsTrigger(line.data() + at))
            return true;
    }
    // The last block ends with the line, overlapping the one before; it looks for triggers
    // beginning up to two characters before the end, so the triggers shorter than three
    // characters are looked for in those two as well.
    const std::string_view lastTwo = line.substr(line.size() - 2);
    return blockHoldsTrigger(line.data() + line.size() - kReach) || lastTwo == "--" ||
           lastTwo.find('@') != std::string_view::npos;
}
