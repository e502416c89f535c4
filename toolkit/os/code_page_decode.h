#pragma once

#include <string>
#include <string_view>

// Text in a Windows code page named by its number (1252, 1251, 932, ...) turned into UTF-8,
// for reading files that another machine wrote in its own code page. Each platform converts
// with its own means (code_page_decode_linux.cpp: iconv; code_page_decode_win32.cpp:
// MultiByteToWideChar), so the results agree wherever the code page defines the bytes.
namespace os {

// The code page in which Windows writes text for Western Europe and the Americas, which a
// reader takes where it knows no better.
constexpr unsigned kWesternCodePage = 1252;

// True when this system can read text in the code page.
bool codePageKnown(unsigned codePage);

// Appends `bytes`, text in the code page, to `utf8`. A byte sequence that the code page does
// not define becomes U+FFFD where the system tells it apart. False, with nothing appended, when
// the code page is not known.
bool appendFromCodePage(unsigned codePage, std::string_view bytes, std::string& utf8);

}  // namespace os
