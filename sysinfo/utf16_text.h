#pragma once

#include <cstddef>
#include <string>

// UTF-8 of `units` little-endian UTF-16 code units at `bytes`. A surrogate without its partner
// becomes U+FFFD, as the system's own conversion writes it.
std::string utf16LeToUtf8(const unsigned char* bytes, std::size_t units);
