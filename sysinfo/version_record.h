#pragma once

#include <string>

#include "sysinfo/version_source.h"

// What the version reader keeps of the last file it loaded.
struct VersionRecord {
    VersionBlock block;
    std::string translationCode;  // eight upper-case hexadecimal digits; empty when none
    std::string fileVersion;
    std::string productVersion;
};

// Replaces `record` with the version block of `path` read from `source`: the translation code
// of its first translation entry and the FileVersion and ProductVersion under that code. True
// when the ProductVersion is not blank.
bool loadVersionRecord(VersionSource& source, const std::string& path, VersionRecord& record);

// The text stored under `key` for the record's translation code, or the empty text.
std::string versionRecordString(VersionSource& source, const VersionRecord& record,
                                const std::string& key);

// The translation code of a translation entry: the language id then the code page, both
// 16-bit little-endian, as eight upper-case hexadecimal digits; empty when fewer than four
// bytes are given.
std::string translationCode(const std::string& entry);
