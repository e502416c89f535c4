#pragma once

#include <string>
#include <vector>

// The program's arguments after its name, as UTF-8: on Windows from the wide command line,
// since argv holds them in the code page, which may not hold a file's name; on Linux argv as
// it is.
std::vector<std::string> programArguments(int argc, char** argv);

// Makes standard output take bytes as they are: Windows would write each LF as CR LF.
void useBinaryStandardOutput();
