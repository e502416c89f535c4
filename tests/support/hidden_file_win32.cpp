#include "tests/support/hidden_file.h"

#include <windows.h>

#include "toolkit/os/wide_text_win32.h"

void hideFile(const std::string& path) {
    const std::wstring name = widen(path);
    SetFileAttributesW(name.c_str(), GetFileAttributesW(name.c_str()) | FILE_ATTRIBUTE_HIDDEN);
}
