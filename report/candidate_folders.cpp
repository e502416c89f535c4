#include "report/candidate_folders.h"

#include <utility>

#include "sysinfo/system_facts.h"
#include "toolkit/os/os_traits.h"

namespace {

std::optional<std::vector<std::string>>& foldersForTesting() {
    static std::optional<std::vector<std::string>> folders;
    return folders;
}

}  // namespace

std::vector<std::string> productFolderCandidates() {
    if (foldersForTesting())
        return *foldersForTesting();
    std::vector<std::string> folders = fixedProductFolders();
    // Without a documents folder this names "morvasoftware" at the root of the current drive.
    folders.push_back(getMyDocumentsFolder() + os::kPathSeparator + "morvasoftware");
    return folders;
}

void setProductFoldersForTesting(std::optional<std::vector<std::string>> folders) {
    foldersForTesting() = std::move(folders);
}
