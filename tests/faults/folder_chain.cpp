#include "tests/faults/folder_chain.h"

#include <algorithm>
#include <fstream>
#include <numeric>

namespace stdfs = std::filesystem;

FolderChain::FolderChain(const std::string& root, const std::string& name, int depth,
                         const std::string& fileName, const std::string& bytes)
    : root_(stdfs::u8path(root)), pieces_(stdfs::u8path(root + ".pieces")), name_(name) {
    // A piece of about 120 characters leaves room below 260 for the temporary folder.
    const int perPiece = std::max(1, 120 / static_cast<int>(name.size() + 1));
    for (int left = depth; left > 0; left -= perPiece)
        levels_.push_back(std::min(left, perPiece));
    // From the innermost piece out, each piece takes in the chain built so far.
    for (auto i = levels_.size(); i-- > 0;) {
        const stdfs::path innermost = below(pieces_ / std::to_string(i), levels_[i]);
        stdfs::create_directories(innermost);
        if (i + 1 == levels_.size())
            std::ofstream(innermost / stdfs::u8path(fileName), std::ios::binary) << bytes;
        else
            stdfs::rename(below(pieces_ / std::to_string(i + 1), 1), below(innermost, 1));
    }
    stdfs::rename(below(pieces_ / "0", 1), below(root_, 1));
}

FolderChain::~FolderChain() {
    std::error_code ignored;
    // From the outermost piece in: the rest of the chain hangs below each piece moved out.
    stdfs::path top = below(root_, 1);
    for (std::size_t i = 0; i < levels_.size(); ++i) {
        stdfs::create_directories(pieces_ / std::to_string(i), ignored);
        stdfs::rename(top, below(pieces_ / std::to_string(i), 1), ignored);
        top = below(pieces_ / std::to_string(i), levels_[i] + 1);
    }
    stdfs::remove_all(pieces_, ignored);
}

std::string FolderChain::deepest() const {
    return below(root_, std::accumulate(levels_.begin(), levels_.end(), 0)).u8string();
}

stdfs::path FolderChain::below(stdfs::path top, int levels) const {
    for (int level = 0; level < levels; ++level)
        top /= stdfs::u8path(name_);
    return top;
}
