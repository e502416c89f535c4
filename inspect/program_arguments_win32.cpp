#include <windows.h>
// After windows.h, which the others need.
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>

#include "inspect/program_arguments.h"
#include "toolkit/os/wide_text_win32.h"

std::vector<std::string> programArguments(int, char**) {
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; wide != nullptr && i < count; ++i)
        arguments.push_back(narrow(wide[i]));
    LocalFree(wide);
    return arguments;
}

void useBinaryStandardOutput() {
    _setmode(_fileno(stdout), _O_BINARY);
}
