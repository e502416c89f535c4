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
// text stays as it is.
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
        const char* placeholder;
    };
    void addName(const std::string& text, bool ignoresCase, const char* placeholder);
    std::vector<Name> names_;
};
