#pragma once

#include <string>

// Throws std::runtime_error, with the file layer's description, when the drive or root that
// holds `path` cannot be read at all (a drive letter with no disk behind it). A missing folder
// on a readable drive, and a relative path, pass: the callers treat those as empty.
void requireReadableVolume(const std::string& path);
