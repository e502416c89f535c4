#include "report/folder_walk.h"

#include <cstdint>
#include <set>
#include <tuple>
#include <utility>

#include "report/candidate_folders.h"
#include "report/folder_prefetch.h"
#include "toolkit/list_file_helpers.h"
#include "toolkit/os/os_traits.h"
#include "toolkit/ui/controls.h"
#include "toolkit/ui/ui.h"

namespace {

class FileSystemFolderTree : public FolderTree {
public:
    bool fullPath(const std::string& folder, std::string& path) override {
        return osfs::folderFullPath(folder, path);
    }
    bool open(const std::string& folder, osfs::FolderIdentity& id,
              std::vector<std::string>& subfolders) override {
        return osfs::openFolder(folder, id, subfolders);
    }
    int openersAhead() const override { return os::kFolderOpenersAhead; }
};

// A folder being walked: the paths of its subfolders, and the next one to visit.
struct OpenFolder {
    std::vector<std::string> subfolders;
    std::size_t next = 0;
};

// The folders a walk has entered. An id the system does not vouch for (0, or on a volume whose
// ids may repeat) never counts: taking a folder wrongly for one already entered would drop its
// whole subtree from the report, so such a folder is known by its final path instead.
class VisitedFolders {
public:
    // True the first time the folder is met, and for a folder that cannot be told apart.
    bool firstVisit(const osfs::FolderIdentity& id) {
        if (id.vouched())
            return ids_.insert({id.volume, id.idHigh, id.idLow}).second;
        if (!id.finalPath.empty())
            return paths_.insert(id.finalPath).second;
        return true;
    }

private:
    std::set<std::tuple<std::uint64_t, std::uint64_t, std::uint64_t>> ids_;
    std::set<std::string> paths_;
};

// Appends the folder unless the last item already names it exactly.
void addFolderItem(ListView& listView, const std::string& path) {
    ListItemCollection& items = listView.ListItems();
    if (items.Count() == 0 || items.Item(items.Count()).Text() != path)
        items.Add(path);
}

}  // namespace

FolderTree& fileSystemFolderTree() {
    static FileSystemFolderTree tree;
    return tree;
}

void FillFolderList(ListView& listView, FolderTree& tree) {
    listView.ListItems().Clear();
    forEachProductFolder([&](const std::string& folder) { AddFolderTree(listView, folder, tree); });
    SetAllChecked(listView, 1);
}

void AddFolderTree(ListView& listView, const std::string& folder, FolderTree& tree) {
    ui().setMousePointer(kPointerHourglass);
    WalkFolderTree(listView, folder, tree);
    ui().setMousePointer(kPointerDefault);
}

void WalkFolderTree(ListView& listView, const std::string& folder, FolderTree& tree) {
    VisitedFolders visited;
    FolderPrefetch ahead(tree, tree.openersAhead());
    std::vector<OpenFolder> stack;
    // Lists the folder and, unless it was visited before, goes on into its subfolders.
    auto enter = [&](const std::string& path) {
        osfs::FolderIdentity id;
        std::vector<std::string> subfolders;
        if (!ahead.open(path, id, subfolders))
            return;
        addFolderItem(listView, path);
        if (!visited.firstVisit(id))
            return;
        for (std::string& name : subfolders)
            name = CombinePath(path, name);
        ahead.expect(subfolders);
        stack.push_back({std::move(subfolders)});
    };

    std::string root;
    if (tree.fullPath(folder, root))
        enter(root);
    while (!stack.empty()) {
        OpenFolder& current = stack.back();
        if (current.next == current.subfolders.size()) {
            stack.pop_back();
            continue;
        }
        const std::string child = current.subfolders[current.next++];
        ui().DoEvents();
        enter(child);
    }
}
