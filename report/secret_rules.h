#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "report/secret_mask.h"

// Where the secrets of one line stand: the rules behind SecretMasker, for every form but the
// private-key block, which spans lines and is the masker's own. A setting of two lines is found
// here too, with the name the line above handed on (findSecrets' `named`).

// A value to mask: line[begin, end).
struct SecretSpan {
    std::size_t begin;
    std::size_t end;
    SecretKind kind;
};

// The secrets of one line without a line feed, in no particular order; they may overlap, and
// an empty or already masked value is not among them. `named`: on the way in, the secret that
// the line above named for this line to give ("- name: DB_PASSWORD" above "value: x"); on the
// way out, the one this line names for the line below.
std::vector<SecretSpan> findSecrets(std::string_view line, std::optional<SecretKind>& named);
