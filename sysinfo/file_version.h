#pragma once

#include <string>

// The version reader: the FileVersion of a program file's version resource under its first
// translation.

// FileVersion, or the empty text when the file has none or its ProductVersion is blank.
std::string getFileVersion(const std::string& path);
// Loads the file's version block; true when a non-blank ProductVersion was found.
bool loadVersionInfo(const std::string& path);
// The text under key for the loaded block's translation code, or the empty text.
std::string getVersionString(const std::string& key);
