#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The encoding of the text files the tool reads and writes. Inside, text is UTF-8; on Windows
// the files are in the system's ANSI code page (the one GetACP names), as a Windows tool of
// this kind writes them, so that a report is one encoding whatever it holds. On Linux the
// system's encoding is UTF-8 and nothing is converted (code_page_linux.cpp,
// code_page_win32.cpp).
namespace os {

// Appends `utf8` to `out` in the code page. A character the code page cannot represent becomes
// "?", as the system's ANSI functions give it.
void appendInCodePage(std::string& out, std::string_view utf8);

// Appends `bytes`, text in the code page, to `out` as UTF-8. For a single-byte code page every
// byte stands for one character, so appendInCodePage gives the same bytes back.
void appendFromCodePage(std::string& out, std::string_view bytes);

// Turns the first `count` bytes of `buffer`, text in the code page, into UTF-8 where they lie,
// and returns the length of the UTF-8 text. The buffer grows when the text does; bytes after
// the first `count` may be overwritten. Saves a reader the copy of every piece it reads.
std::size_t fromCodePageInPlace(std::string& buffer, std::size_t count);

}  // namespace os
