#include "report/secret_filter.h"

#include <cstdint>
#include <cstring>

#include "report/ascii_text.h"
#include "toolkit/byte_vectors.h"
#include "toolkit/processor.h"

namespace {

// Where the first of the triggers begins among the Width characters from `at` on, Width where
// none does (it reads Width + 2): three letters of each secret word ("pas", "sec", "tok", "key",
// "cre", "aut", "psk", the "alt" of "salt") and of a signature ("sig"), the "pw" of "pw" and "pwd",
// the password switch "/p:", a client's password option " -p", the "@" of URL credentials and the
// "--" of a key block's marker, in any case. Setting bit 0x20 puts a letter in lower case (and "@"
// on "`", which only costs a closer look).
template <std::size_t Width>
[[gnu::always_inline]] inline std::size_t firstTriggerInBlock(const char* at) {
    const ByteVector<Width> a = bytesAt<Width>(at) | 0x20;
    const ByteVector<Width> b = bytesAt<Width>(at + 1) | 0x20;
    const ByteVector<Width> c = bytesAt<Width>(at + 2) | 0x20;
    const ByteVector<Width> found =
        ((a == 'p') & (((b == 'a') & (c == 's')) | (b == 'w') | ((b == 's') & (c == 'k')))) |
        ((a == 's') & (((b == 'e') & (c == 'c')) | ((b == 'i') & (c == 'g')))) |
        ((a == 't') & (b == 'o') & (c == 'k')) | ((a == 'k') & (b == 'e') & (c == 'y')) |
        ((a == 'c') & (b == 'r') & (c == 'e')) |
        ((a == 'a') & ((b == 'u') | (b == 'l')) & (c == 't')) |
        ((a == '/') & (b == 'p') & (c == ':')) | ((a == ' ') & (b == '-') & (c == 'p')) |
        (a == '`') | ((a == '-') & (b == '-'));
    // Lanes of 0 or -1, eight to a word: the first lane set is the first set byte of the first
    // word that has one.
    std::uint64_t parts[Width / 8];
    std::memcpy(parts, &found, sizeof parts);
    for (std::size_t part = 0; part < Width / 8; ++part) {
        if (parts[part] != 0)
            return part * 8 + static_cast<std::size_t>(__builtin_ctzll(parts[part])) / 8;
    }
    return Width;
}

// With AVX2 a quicker look comes first, which few blocks of text pass: the triggers in eight
// groups, and for each of a trigger's three places a table of the groups whose letters a byte
// may be there, split by the byte's two halves (the processor looks up sixteen entries at once).
// The table of one half allows the letters of a group that share it with its letters, and so a
// few more; a block that passes is looked at again, exactly. "`" ("@") and "--" are compared.

// Each table twice over, once for each half of the processor's 32-byte look-up.
struct PlaceTables {
    char low[32] = {};
    char high[32] = {};
};

constexpr std::string_view kAnyLetter = "";
// By group: the letters each place may hold, in lower case.
constexpr std::string_view kGroups[8][3] = {
    {"p", "as", "sk"}, {"p", "w", kAnyLetter}, {"s", "ei", "cg"}, {"tk", "oe", "ky"},
    {"c", "r", "e"},   {"a", "ul", "t"},       {"/", "p", ":"},   {" ", "-", "p"},
};

constexpr PlaceTables placeTables(std::size_t place) {
    PlaceTables tables;
    for (unsigned group = 0; group < 8; ++group) {
        const std::string_view letters = kGroups[group][place];
        for (unsigned entry = 0; entry < 32; ++entry) {
            bool low = letters.empty();
            bool high = letters.empty();
            for (const char letter : letters) {
                low = low || (static_cast<unsigned char>(letter) & 15) == entry % 16;
                high = high || (static_cast<unsigned char>(letter) >> 4) == entry % 16;
            }
            tables.low[entry] = static_cast<char>(tables.low[entry] | (low ? 1 << group : 0));
            tables.high[entry] = static_cast<char>(tables.high[entry] | (high ? 1 << group : 0));
        }
    }
    return tables;
}

constexpr PlaceTables kPlaceTables[3] = {placeTables(0), placeTables(1), placeTables(2)};

using Chars32 = char __attribute__((vector_size(32)));
using Unsigned32 = unsigned char __attribute__((vector_size(32)));

[[gnu::target("avx2")]] inline Chars32 tableAt(const char (&table)[32]) {
    Chars32 entries;
    std::memcpy(&entries, table, sizeof entries);
    return entries;
}

// The groups that each of the 32 bytes may stand for at `place`.
[[gnu::target("avx2")]] inline ByteVector<32> groupsAt(const ByteVector<32>& bytes,
                                                       std::size_t place) {
    const Unsigned32 unsignedBytes = __builtin_bit_cast(Unsigned32, bytes);
    const Chars32 low = __builtin_bit_cast(Chars32, unsignedBytes & 15);
    const Chars32 high = __builtin_bit_cast(Chars32, unsignedBytes >> 4);
    return __builtin_bit_cast(
        ByteVector<32>, __builtin_ia32_pshufb256(tableAt(kPlaceTables[place].low), low) &
                            __builtin_ia32_pshufb256(tableAt(kPlaceTables[place].high), high));
}

// Whether a trigger may begin among the 32 characters from `at` on (it reads 34).
[[gnu::target("avx2")]] inline bool mayHoldTriggerInBlock32(const char* at) {
    const ByteVector<32> a = bytesAt<32>(at) | 0x20;
    const ByteVector<32> b = bytesAt<32>(at + 1) | 0x20;
    const ByteVector<32> c = bytesAt<32>(at + 2) | 0x20;
    const ByteVector<32> found =
        (groupsAt(a, 0) & groupsAt(b, 1) & groupsAt(c, 2)) | (a == '`') | ((a == '-') & (b == '-'));
    std::uint64_t parts[4];
    std::memcpy(parts, &found, sizeof parts);
    return (parts[0] | parts[1] | parts[2] | parts[3]) != 0;
}

// firstTriggerInBlock, after the quicker look where there is one.
template <std::size_t Width>
[[gnu::always_inline]] inline std::size_t firstTriggerAfterLook(const char* at) {
    if constexpr (Width == 32) {
        if (!mayHoldTriggerInBlock32(at))
            return Width;
    }
    return firstTriggerInBlock<Width>(at);
}

template <std::size_t Width>
[[gnu::always_inline]] inline std::size_t firstTriggerIn(std::string_view text) {
    constexpr std::size_t kReach = Width + 2;  // the characters one block reads
    constexpr std::size_t npos = std::string_view::npos;
    if (text.size() < kReach) {
        // Padded with zeros, which no trigger holds.
        char padded[kReach + Width] = {};
        text.copy(padded, text.size());
        for (std::size_t at = 0; at < text.size(); at += Width) {
            const std::size_t found = firstTriggerInBlock<Width>(padded + at);
            if (found < Width)
                return at + found < text.size() ? at + found : npos;
        }
        return npos;
    }
    std::size_t at = 0;
    for (; at + kReach < text.size(); at += Width) {
        if (const std::size_t found = firstTriggerAfterLook<Width>(text.data() + at); found < Width)
            return at + found;
    }
    // The last block ends with the text, overlapping the one before; it looks for triggers
    // beginning up to two characters before the end, so the triggers shorter than three
    // characters are looked for in those two as well.
    const std::size_t last = text.size() - kReach;
    if (const std::size_t found = firstTriggerInBlock<Width>(text.data() + last); found < Width)
        return last + found;
    const std::string_view lastTwo = text.substr(text.size() - 2);
    if (lastTwo == "--" || equalsNoCase(lastTwo, "pw"))
        return text.size() - 2;
    const std::size_t mark = lastTwo.find('@');
    return mark == npos ? npos : text.size() - 2 + mark;
}

// The look runs over every embedded byte of a masked report: where the processor has AVX2, it
// takes 32 characters at once, which halves its cost.
const bool kWideBlocks = processorHasAvx2();

}  // namespace

namespace secretfilter {

std::size_t firstTrigger16(std::string_view text) {
    return firstTriggerIn<16>(text);
}

__attribute__((target("avx2"))) std::size_t firstTrigger32(std::string_view text) {
    return firstTriggerIn<32>(text);
}

bool wideBlocksAvailable() {
    return kWideBlocks;
}

}  // namespace secretfilter

std::size_t firstTrigger(std::string_view text) {
    return kWideBlocks ? secretfilter::firstTrigger32(text) : secretfilter::firstTrigger16(text);
}
