#pragma once

#include <string>
#include <string_view>

// ASCII text as UTF-16LE writes it: each character followed by a zero byte.
inline std::string utf16(std::string_view ascii) {
    std::string wide;
    for (const char c : ascii)
        wide += {c, '\0'};
    return wide;
}
