#pragma once

#include <string_view>

// False when `line` cannot hold a secret: no part of a secret word, no "@" of URL credentials
// and no dashes of a key block. Most lines are ruled out here, many characters at a time. What
// it rules out of a text it rules out of each of the text's lines.
bool mayHoldSecret(std::string_view line);

// The same look, sixteen characters at a time and thirty-two (only where the processor has
// AVX2: wideBlocksAvailable()); mayHoldSecret takes the widest the processor has.
namespace secretfilter {
bool holdsTrigger16(std::string_view line);
bool holdsTrigger32(std::string_view line);
bool wideBlocksAvailable();
}  // namespace secretfilter
