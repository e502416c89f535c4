#pragma once

#include <string_view>

// False when `line` cannot hold a secret: no part of a secret word, no "@" of URL credentials
// and no dashes of a key block. Most lines are ruled out here, sixteen characters at a time.
bool mayHoldSecret(std::string_view line);
