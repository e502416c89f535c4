#pragma once

#include <bitset>
#include <cstddef>
#include <string>
#include <string_view>

// The encoding of the text files the tool reads and writes. Inside, text is UTF-8; on Windows
// the files are in the system's ANSI code page (the one GetACP names), as a Windows tool of
// this kind writes them, so that a report is one encoding whatever it holds. On Linux the
// system's encoding is UTF-8 and nothing is converted (code_page_linux.cpp,
// code_page_win32.cpp).
namespace os {

// A code page by its Windows number: 1252 Western European, 932 Japanese, 65001 UTF-8.
using CodePage = unsigned int;

// The code page of the system's text files: the ANSI code page on Windows, UTF-8 on Linux.
// On Linux text files are UTF-8 whatever code page is named below.
CodePage systemCodePage();

// How a code page makes its characters of bytes, so that a text in it can be cut between two.
struct CharacterBytes {
    // A character is a lead byte and the continuation bytes (10xxxxxx) that it calls for.
    bool utf8 = false;
    // Otherwise these bytes begin a character of two bytes, and every other byte is one
    // character; none do in a single-byte code page.
    std::bitset<256> leadBytes;
};
CharacterBytes characterBytesOf(CodePage codePage);

// Appends `utf8` to `out` in the code page. A character the code page cannot represent becomes
// "?", as the system's ANSI functions give it.
void appendInCodePage(std::string& out, std::string_view utf8);

// Turns the first `count` bytes of `buffer`, text in `codePage`, into UTF-8 where they lie,
// and returns the length of the UTF-8 text. The buffer grows when the text does; bytes after
// the first `count` may be overwritten. Saves a reader the copy of every piece it reads. For a
// single-byte code page every byte stands for one character, so appendInCodePage gives the
// same bytes back.
std::size_t fromCodePageInPlace(std::string& buffer, std::size_t count, CodePage codePage);

}  // namespace os
