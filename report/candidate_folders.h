#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

// Calls `visit` with each folder where the maker's products are installed, in the order they
// are offered: the platform's fixed places, then the user's documents folder + "morvasoftware".
// The documents folder is asked for only when its turn comes, after the fixed places were
// visited, so that a message it shows follows their walks.
void forEachProductFolder(const std::function<void(const std::string&)>& visit);

// The platform's fixed places (defined per platform).
std::vector<std::string> fixedProductFolders();

// Replaces every candidate for tests; no value restores the real ones.
void setProductFoldersForTesting(std::optional<std::vector<std::string>> folders);
