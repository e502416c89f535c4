#pragma once

#include <condition_variable>
#include <cstddef>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "report/folder_walk.h"

// Opens the folders that a walk will enter next on threads of its own, ahead of the walk, so
// that the waits of many openings overlap each other and the walk's own work. The walk still
// asks for every folder itself, in its own order, and is answered what the tree answered.
class FolderPrefetch {
public:
    // `openers` threads open folders of `tree` ahead, started when the walk first expects
    // folders; with none, each folder is opened when the walk asks for it. With any, the tree
    // must answer from several threads at once.
    FolderPrefetch(FolderTree& tree, int openers);
    // Waits for the openings under way.
    ~FolderPrefetch();
    FolderPrefetch(const FolderPrefetch&) = delete;
    FolderPrefetch& operator=(const FolderPrefetch&) = delete;

    // Folders the walk will ask for next, in this order, before those it expected earlier.
    void expect(const std::vector<std::string>& paths);
    // As FolderTree::open: the opening made ahead where there is one, waited for while under
    // way; otherwise the folder is opened now.
    bool open(const std::string& path, osfs::FolderIdentity& id,
              std::vector<std::string>& subfolders);

private:
    struct Opening {
        bool done = false;
        bool opened = false;
        osfs::FolderIdentity id;
        std::vector<std::string> subfolders;
    };
    void openAhead();

    FolderTree& tree_;
    const int openerCount_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::string> expected_;        // not begun; the next to begin last
    std::map<std::string, Opening> openings_;  // begun and not yet taken by the walk
    bool stopping_ = false;
    std::vector<std::thread> openers_;
};
