#include "report/folder_prefetch.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace {

// Openings made ahead and not yet taken hold their subfolders' names; beyond this many the
// openers wait for the walk to catch up.
constexpr std::size_t kMostAhead = 64;

}  // namespace

FolderPrefetch::FolderPrefetch(FolderTree& tree, int openers)
    : tree_(tree), openerCount_(openers) {}

FolderPrefetch::~FolderPrefetch() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    for (std::thread& opener : openers_)
        opener.join();
}

void FolderPrefetch::expect(const std::vector<std::string>& paths) {
    if (openerCount_ == 0 || paths.empty())
        return;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        expected_.insert(expected_.end(), paths.rbegin(), paths.rend());
    }
    // The openers start with the first folders to open, so that a walk of a folder without
    // subfolders, or of none, starts no thread.
    while (openers_.size() < static_cast<std::size_t>(openerCount_))
        openers_.emplace_back(&FolderPrefetch::openAhead, this);
    changed_.notify_all();
}

bool FolderPrefetch::open(const std::string& path, osfs::FolderIdentity& id,
                          std::vector<std::string>& subfolders) {
    {
        std::unique_lock<std::mutex> lock(mutex_);
        const auto begun = openings_.find(path);
        if (begun != openings_.end()) {
            changed_.wait(lock, [&] { return begun->second.done; });
            Opening& opening = begun->second;
            const bool opened = opening.opened;
            id = std::move(opening.id);
            subfolders = std::move(opening.subfolders);
            // The openers see the room this leaves when the walk next expects folders.
            openings_.erase(begun);
            return opened;
        }
        // Not begun: the walk opens it itself, and no opener will.
        const auto waiting = std::find(expected_.rbegin(), expected_.rend(), path);
        if (waiting != expected_.rend())
            expected_.erase(std::next(waiting).base());
    }
    return tree_.open(path, id, subfolders);
}

void FolderPrefetch::openAhead() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        changed_.wait(lock, [&] {
            return stopping_ || (!expected_.empty() && openings_.size() < kMostAhead);
        });
        if (stopping_)
            return;
        const std::string path = std::move(expected_.back());
        expected_.pop_back();
        Opening& opening = openings_[path];
        lock.unlock();
        osfs::FolderIdentity id;
        std::vector<std::string> subfolders;
        const bool opened = tree_.open(path, id, subfolders);
        lock.lock();
        opening.opened = opened;
        opening.id = std::move(id);
        opening.subfolders = std::move(subfolders);
        opening.done = true;
        changed_.notify_all();
    }
}
