#pragma once

#include <string>
#include <vector>

// Replaces the user's and the computer's names with fixed placeholders, the same in every
// report, so that two masked reports of one machine still compare.
constexpr const char* kUserPlaceholder = "[user]";
constexpr const char* kComputerPlaceholder = "[computer]";

// Finds a name only where it stands whole: the characters on either side of it are no letter,
// digit or '_' (a path's separators, spaces, dots, '-', '@' and the like), so that the user
// "al" is replaced in "/home/al/" and "al.log" but not in "value", and "root" not in "rootfs".
// The placeholders themselves and the masked report's notice are never replaced, so a masked
// text stays as it is. A name of ASCII characters is found in UTF-16 text too (a file that
// Windows wrote in UTF-16, embedded as its bytes), and replaced there in UTF-16.
class NameMasker {
public:
    // User names compare with their case or without it as the platform's do
    // (`userNameIgnoresCase`); computer names are host names and always compare without it.
    // An empty name is not looked for.
    NameMasker(const std::string& userName, const std::string& computerName,
               bool userNameIgnoresCase);

    // Replaces every whole occurrence of either name in `text`.
    void mask(std::string& text) const;

private:
    struct Name {
        std::string text;
        bool ignoresCase;
        std::string placeholder;
        bool utf16;  // the name's characters are two bytes each, the second zero
    };
    void addName(const std::string& text, bool ignoresCase, const char* placeholder);
    std::vector<Name> names_;
};
