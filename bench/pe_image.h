#pragma once

#include <string>
#include <utility>
#include <vector>

// The strings of a version resource, stored under one translation (language and code page).
struct VersionStrings {
    unsigned language = 0x0409;
    unsigned codePage = 0x04B0;
    std::vector<std::pair<std::string, std::string>> entries;  // key, value (ASCII)
};

// A minimal, valid 64-bit Windows program image (PE32+) whose only content is a VERSIONINFO
// resource with `strings`: enough for the platform's version-resource query and for our own
// reader, without any code. The file version numbers of the fixed part are `fileVersion`'s
// four parts.
std::string buildProgramImage(const VersionStrings& strings, const unsigned (&fileVersion)[4]);
