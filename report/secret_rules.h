#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "report/secret_mask.h"

// Where the secrets of one line stand: the rules behind SecretMasker, for every form but the
// private-key block, which spans lines and is the masker's own.

// A value to mask: line[begin, end).
struct SecretSpan {
    std::size_t begin;
    std::size_t end;
    SecretKind kind;
};

// The secrets of one line without a line feed, in no particular order; they may overlap, and
// an empty or already masked value is not among them.
std::vector<SecretSpan> findSecrets(std::string_view line);
