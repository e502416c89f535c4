#pragma once

#include <string>

// Throws std::runtime_error, with the file layer's description, when the drive or root that
// holds `path` cannot be read at all (a drive letter with no disk behind it). A missing folder
// on a readable drive, and a relative path, pass: the callers treat those as empty.
void requireReadableVolume(const std::string& path);

// The root of the volume that holds `path` ("C:\" for "C:\a\b", "/" for "/a/b", empty for a
// relative path) on a system whose separator is `separator`. With `sharePaths`, a path that
// begins with two separators names a network share, whose root is the share ("\\server\share\").
std::string volumeRootOf(const std::string& path, char separator, bool sharePaths);
