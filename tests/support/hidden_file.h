#pragma once

#include <string>

// Gives the file the platform's hidden mark. Linux hides names that begin with "."; tests
// name hidden files so, and there this changes nothing.
void hideFile(const std::string& path);
