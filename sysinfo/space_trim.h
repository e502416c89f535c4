#pragma once

#include <string>
#include <string_view>

// The text without its leading and trailing spaces (only spaces: tabs and line ends stay).
inline std::string trimSpaces(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return std::string();
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}
