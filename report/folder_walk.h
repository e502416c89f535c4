#pragma once

#include <string>
#include <vector>

#include "toolkit/os/file_system.h"

class ListView;

// The questions the folder walk asks of the file system, so that tests can walk trees that
// are hard to build on disk (loops, unreadable folders, great depth).
class FolderTree {
public:
    virtual ~FolderTree() = default;
    // The folder's full path without a trailing separator; false when it cannot be opened.
    virtual bool fullPath(const std::string& folder, std::string& path) = 0;
    // Opens the folder for its identity (where it lives on its volume, or its path with every
    // link resolved where the volume's id does not tell: the same folder reached through a link
    // answers the same identity) and the names of its direct subfolders (hidden ones and links
    // to folders included), in the order the file system lists them. False when the folder
    // cannot be opened; a folder that cannot be read has no subfolders.
    virtual bool open(const std::string& folder, osfs::FolderIdentity& id,
                      std::vector<std::string>& subfolders) = 0;
    // How many threads may open folders ahead of the walk, calling open() at the same time; 0
    // where opening is cheap.
    virtual int openersAhead() const { return 0; }
};

// The machine's own file system.
FolderTree& fileSystemFolderTree();

// Empties the list view, adds every product folder candidate that exists with every folder
// beneath it, and ticks every item.
void FillFolderList(ListView& listView, FolderTree& tree = fileSystemFolderTree());

// Adds `folder` and every folder beneath it, each before the folders beneath it, with the
// hourglass pointer while it runs.
void AddFolderTree(ListView& listView, const std::string& folder,
                   FolderTree& tree = fileSystemFolderTree());

// The walk of AddFolderTree. It yields before each subfolder. A folder that cannot be opened
// adds nothing; one that cannot be read adds itself alone; a folder reached again (through a
// link) is listed but not entered again, so the walk ends on every tree. A folder counts as
// reached again by its file-system id where the volume guarantees ids unique and the id is not
// 0, else by its final path; with neither it is always entered. It keeps its own stack, so
// depth costs no call stack.
void WalkFolderTree(ListView& listView, const std::string& folder, FolderTree& tree);
