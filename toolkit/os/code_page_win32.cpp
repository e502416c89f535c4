#include <windows.h>

#include <algorithm>

#include "toolkit/os/code_page.h"

namespace os {

namespace {

// ASCII is the same in every ANSI code page and in UTF-8; most of what the tool writes is
// ASCII, and it goes through without the two conversions.
bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::wstring toWide(UINT codePage, std::string_view text) {
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length);
    return wide;
}

// Writes `wide` into `out` in the code page, from `at` on, and returns the length written; `out`
// grows when it is too short for it. WC_NO_BEST_FIT_CHARS keeps a character the code page lacks
// from turning into a look-alike ("L" for "Ł"): it becomes the default character "?", which
// tells the reader that something stood there. A UTF-8 code page takes neither the flag nor a
// default character.
// https://learn.microsoft.com/en-us/windows/win32/api/stringapiset/nf-stringapiset-widechartomultibyte
std::size_t writeFromWide(std::string& out, std::size_t at, UINT codePage,
                          const std::wstring& wide) {
    const bool utf8 = codePage == CP_UTF8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const char* defaultChar = utf8 ? nullptr : "?";
    const int size = static_cast<int>(wide.size());
    const int length =
        WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, defaultChar, nullptr);
    if (out.size() < at + static_cast<std::size_t>(length))
        out.resize(at + static_cast<std::size_t>(length));
    WideCharToMultiByte(codePage, flags, wide.data(), size, out.data() + at, length, defaultChar,
                        nullptr);
    return static_cast<std::size_t>(length);
}

}  // namespace

CodePage systemCodePage() {
    return GetACP();
}

// The lead bytes come as ranges of first and last byte, ended by a pair of zeros.
// https://learn.microsoft.com/en-us/windows/win32/api/winnls/ns-winnls-cpinfo
CharacterBytes characterBytesOf(CodePage codePage) {
    CharacterBytes bytes;
    bytes.utf8 = codePage == CP_UTF8;
    CPINFO info;
    if (bytes.utf8 || !GetCPInfo(codePage, &info))
        return bytes;
    for (int i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i] != 0; i += 2) {
        for (unsigned int lead = info.LeadByte[i]; lead <= info.LeadByte[i + 1]; ++lead)
            bytes.leadBytes.set(lead);
    }
    return bytes;
}

void appendInCodePage(std::string& out, std::string_view utf8) {
    if (isAscii(utf8) || GetACP() == CP_UTF8) {
        out.append(utf8);
        return;
    }
    writeFromWide(out, out.size(), GetACP(), toWide(CP_UTF8, utf8));
}

std::size_t fromCodePageInPlace(std::string& buffer, std::size_t count, CodePage codePage) {
    const std::string_view bytes(buffer.data(), count);
    if (isAscii(bytes) || codePage == CP_UTF8)
        return count;
    // The wide copy is taken before any byte is overwritten.
    return writeFromWide(buffer, 0, CP_UTF8, toWide(codePage, bytes));
}

}  // namespace os
