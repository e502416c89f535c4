#include <windows.h>

#include <string>

#include "toolkit/os/code_page_decode.h"

namespace os {

bool codePageKnown(unsigned codePage) {
    return IsValidCodePage(codePage) != 0;
}

// https://learn.microsoft.com/en-us/windows/win32/api/stringapiset/nf-stringapiset-multibytetowidechar
// Without MB_ERR_INVALID_CHARS a sequence the code page does not define becomes U+FFFD, or, in
// the single-byte code pages, the character of the same number.
bool appendFromCodePage(unsigned codePage, std::string_view bytes, std::string& utf8) {
    if (!codePageKnown(codePage))
        return false;
    if (bytes.empty())
        return true;
    const int size = static_cast<int>(bytes.size());
    const int wideLength = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), size, wide.data(), wideLength);
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    const std::size_t start = utf8.size();
    utf8.resize(start + static_cast<std::size_t>(length));
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, utf8.data() + start, length, nullptr,
                        nullptr);
    return true;
}

}  // namespace os
