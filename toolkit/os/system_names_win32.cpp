#include <windows.h>

#include "toolkit/os/system_names.h"
#include "toolkit/os/wide_text_win32.h"

namespace os {

std::string userName() {
    // 256 characters is the longest user name Windows allows (UNLEN), plus the terminator.
    wchar_t name[257];
    DWORD length = 257;
    if (!GetUserNameW(name, &length) || length == 0)
        return std::string();
    // The length reported counts the terminating zero.
    return narrow(std::wstring(name, length - 1));
}

std::string computerName() {
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD length = MAX_COMPUTERNAME_LENGTH + 1;
    if (!GetComputerNameW(name, &length))
        return std::string();
    return narrow(std::wstring(name, length));
}

std::string executablePath() {
    // A path can be longer than MAX_PATH; grow the buffer until the whole name fits.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return std::string();
        if (length < path.size()) {
            path.resize(length);
            return narrow(path);
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace os
