#pragma once

#include <cstddef>
#include <string_view>

// Where in `text` the first trigger of a secret begins: a part of a secret word, the "@" of URL
// credentials, the dashes of a key block, a password option. npos where there is none: the
// text, and each of its lines, cannot hold a secret. Most texts are ruled out here, many
// characters at a time; a trigger never spans a line end, so one look over many lines tells
// the first line that needs a closer one.
std::size_t firstTrigger(std::string_view text);

inline bool mayHoldSecret(std::string_view line) {
    return firstTrigger(line) != std::string_view::npos;
}

// The same look, sixteen characters at a time and thirty-two (only where the processor has
// AVX2: wideBlocksAvailable()); firstTrigger takes the widest the processor has.
namespace secretfilter {
std::size_t firstTrigger16(std::string_view text);
std::size_t firstTrigger32(std::string_view text);
bool wideBlocksAvailable();
}  // namespace secretfilter
