#pragma once

#include <string>

// True when the name finds an ordinary file: not a folder, not hidden, not a system file.
bool isOrdinaryFileNamed(const std::string& fileName);
