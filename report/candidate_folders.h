#pragma once

#include <optional>
#include <string>
#include <vector>

// The folders where the maker's products are installed, in the order they are offered: the
// platform's fixed places, then the user's documents folder + "morvasoftware". The documents
// folder is asked for at each call.
std::vector<std::string> productFolderCandidates();

// The platform's fixed places (defined per platform).
std::vector<std::string> fixedProductFolders();

// Replaces every candidate for tests; no value restores the real ones.
void setProductFoldersForTesting(std::optional<std::vector<std::string>> folders);
