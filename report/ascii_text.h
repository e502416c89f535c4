#pragma once

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
