#pragma once

#include <string>
#include <string_view>

// UTF-16's little-endian byte order mark as a file holds it.
constexpr std::string_view kUtf16Mark = "\xff\xfe";

// UTF-16's little-endian byte order mark, FF FE, as the tool reads a file from the system's code
// page: each of its bytes a character, in UTF-8 ("ÿþ" in Windows-1252). Empty where the
// reading keeps the bytes as they are (UTF-8: the mark stays FF FE) or pairs bytes otherwise (a
// code page of two bytes to some characters). Worked out once.
const std::string& utf16MarkAsRead();
