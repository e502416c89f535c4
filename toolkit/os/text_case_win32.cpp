#include <windows.h>

#include "toolkit/os/text_case.h"
#include "toolkit/os/wide_text_win32.h"

namespace os {

// The user's locale decides, as it does for the system's own upper-casing of text.
// https://learn.microsoft.com/windows/win32/api/winnls/nf-winnls-lcmapstringex
std::string upperCase(const std::string& text) {
    const std::wstring wide = widen(text);
    if (wide.empty())
        return text;
    const int size = static_cast<int>(wide.size());
    const int length = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, LCMAP_UPPERCASE, wide.data(), size,
                                     nullptr, 0, nullptr, nullptr, 0);
    std::wstring upper(static_cast<std::size_t>(length), L'\0');
    if (length == 0 || LCMapStringEx(LOCALE_NAME_USER_DEFAULT, LCMAP_UPPERCASE, wide.data(), size,
                                     upper.data(), length, nullptr, nullptr, 0) != length) {
        return text;
    }
    return narrow(upper);
}

}  // namespace os
