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

void forEachProductFolder(const std::function<void(const std::string&)>& visit) {
    if (foldersForTesting()) {
        for (const std::string& folder : *foldersForTesting())
            visit(folder);
        return;
    }
    for (const std::string& folder : fixedProductFolders())
        visit(folder);
    // Without a documents folder this names "morvasoftware" at the root of the current drive.
    visit(getMyDocumentsFolder() + os::kPathSeparator + "morvasoftware");
}

void setProductFoldersForTesting(std::optional<std::vector<std::string>> folders) {
    foldersForTesting() = std::move(folders);
}
