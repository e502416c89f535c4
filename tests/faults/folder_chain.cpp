#include "tests/faults/folder_chain.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "toolkit/os/os_traits.h"

namespace stdfs = std::filesystem;

namespace {

// `levels` folders named `name` below `top`.
stdfs::path below(stdfs::path top, const std::string& name, int levels) {
    for (int level = 0; level < levels; ++level)
        top /= stdfs::u8path(name);
    return top;
}

}  // namespace

FolderChain::FolderChain(const std::string& root, const std::string& name, int depth,
                         const std::string& fileName, const std::string& bytes)
    : root_(root), name_(name), pieces_(root + ".pieces"), deepest_(root) {
    // A piece of about 120 characters leaves room below 260 for the temporary folder.
    const int perPiece = std::max(1, 120 / static_cast<int>(name.size() + 1));
    for (int left = depth; left > 0; left -= perPiece)
        levels_.push_back(std::min(left, perPiece));
    // From the innermost piece out: each piece takes in the chain built so far.
    for (auto i = levels_.size(); i-- > 0;) {
        const stdfs::path piece = stdfs::u8path(pieces_) / std::to_string(i);
        const stdfs::path innermost = below(piece, name, levels_[i]);
        stdfs::create_directories(innermost);
        if (i + 1 == levels_.size())
            std::ofstream(innermost / stdfs::u8path(fileName), std::ios::binary) << bytes;
        else
            stdfs::rename(below(stdfs::u8path(pieces_) / std::to_string(i + 1), name, 1),
                          below(innermost, name, 1));
    }
    stdfs::rename(below(stdfs::u8path(pieces_) / "0", name, 1),
                  below(stdfs::u8path(root), name, 1));
    for (int level = 0; level < depth; ++level)
        deepest_ += os::kPathSeparator + name;
}

FolderChain::~FolderChain() {
    std::error_code ignored;
    // From the outermost piece in: each piece is moved out, and the rest of the chain hangs
    // below its innermost folder.
    stdfs::path top = below(stdfs::u8path(root_), name_, 1);
    for (std::size_t i = 0; i < levels_.size(); ++i) {
        const stdfs::path piece = stdfs::u8path(pieces_) / std::to_string(i);
        stdfs::create_directories(piece, ignored);
        stdfs::rename(top, below(piece, name_, 1), ignored);
        top = below(piece, name_, levels_[i] + 1);
    }
    stdfs::remove_all(stdfs::u8path(pieces_), ignored);
}
