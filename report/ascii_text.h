#pragma once

#include <string>
#include <string_view>

// Tests of ASCII characters that ignore the locale, as names and keys in files are compared.

inline bool isUpper(char c) {
    return c >= 'A' && c <= 'Z';
}
inline bool isLower(char c) {
    return c >= 'a' && c <= 'z';
}
inline bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
inline bool isAlnum(char c) {
    return isUpper(c) || isLower(c) || isDigit(c);
}
inline char lower(char c) {
    return isUpper(c) ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether `text` equals `word`, given in lower case, in any case.
inline bool equalsNoCase(std::string_view text, std::string_view word) {
    if (text.size() != word.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (lower(text[i]) != word[i])
            return false;
    }
    return true;
}

// ASCII text as UTF-16LE writes it: each character followed by a zero byte.
inline std::string asUtf16(std::string_view ascii) {
    std::string wide;
    for (const char c : ascii)
        wide += {c, '\0'};
    return wide;
}
