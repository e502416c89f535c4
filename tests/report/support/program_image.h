#pragma once

#include <string>

// A small Windows program file whose version resource gives `fileVersion` as FileVersion.
std::string programWithVersion(const std::string& fileVersion);
