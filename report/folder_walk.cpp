#include "report/folder_walk.h"

#include <set>

#include "report/candidate_folders.h"
#include "toolkit/list_file_helpers.h"
#include "toolkit/ui/controls.h"
#include "toolkit/ui/ui.h"

namespace {

class FileSystemFolderTree : public FolderTree {
public:
    bool fullPath(const std::string& folder, std::string& path) override {
        return osfs::folderFullPath(folder, path);
    }
    bool identity(const std::string& folder, osfs::FolderIdentity& id) override {
        return osfs::folderIdentity(folder, id);
    }
    std::vector<std::string> subfolders(const std::string& folder) override {
        return osfs::subfolderNames(folder);
    }
};

// A folder being walked: its path and the subfolders still to visit.
struct OpenFolder {
    std::string path;
    std::vector<std::string> subfolders;
    std::size_t next = 0;
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

void FillFolderList(ListView& listView) {
    listView.ListItems().Clear();
    for (const std::string& folder : productFolderCandidates())
        AddFolderTree(listView, folder);
    SetAllChecked(listView, 1);
}

void AddFolderTree(ListView& listView, const std::string& folder, FolderTree& tree) {
    ui().setMousePointer(kPointerHourglass);
    WalkFolderTree(listView, folder, tree);
    ui().setMousePointer(kPointerDefault);
}

void WalkFolderTree(ListView& listView, const std::string& folder, FolderTree& tree) {
    std::set<osfs::FolderIdentity> visited;
    std::vector<OpenFolder> stack;
    // Lists the folder and, unless it was visited before, opens it for its subfolders.
    auto enter = [&](const std::string& path) {
        osfs::FolderIdentity id;
        if (!tree.identity(path, id))
            return;
        addFolderItem(listView, path);
        if (visited.insert(id).second)
            stack.push_back({path, tree.subfolders(path)});
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
        const std::string child = CombinePath(current.path, current.subfolders[current.next++]);
        ui().DoEvents();
        enter(child);
    }
}
