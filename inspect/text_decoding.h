#pragma once

#include <bitset>
#include <string>
#include <string_view>

// How the bytes of a report become text. A report is in the code page of the Windows that
// wrote it, or in UTF-8 when Linux wrote it; which one is not written in it.
struct TextDecoding {
    // 0: each line as UTF-8 where it is valid UTF-8, else in Windows-1252, as browsers guess a
    // page; otherwise the Windows code page that every line is read in.
    unsigned codePage = 0;
};

bool isAscii(std::string_view bytes);
bool isValidUtf8(std::string_view bytes);

// The text of one line's bytes, as UTF-8: `bytes` itself where they need no conversion,
// otherwise their conversion, kept in `scratch`.
std::string_view decodeLine(const TextDecoding& decoding, std::string_view bytes,
                            std::string& scratch);

// The bytes that begin a character of two bytes in the code page: those of Windows' double-byte
// code pages (932 Japanese, 936 and 950 Chinese, 949 and 1361 Korean); none in any other.
std::bitset<256> doubleByteLeads(unsigned codePage);
