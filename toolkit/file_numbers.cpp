#include "toolkit/file_numbers.h"

#include "toolkit/os/file_handle.h"

using osfs::detail::describe;
using osfs::detail::Failure;

int FileNumberTable::FreeFile() const {
    int number = 1;
    // The map is ordered, so the first gap in its keys is the lowest free number.
    for (const auto& entry : files_) {
        if (entry.first != number)
            break;
        ++number;
    }
    return number;
}

bool FileNumberTable::open(int number, const std::string& path, osfs::OpenMode mode,
                           std::string& error) {
    if (number < 1) {
        error = describe(Failure::BadFileName);
        return false;
    }
    if (files_.count(number) != 0) {
        error = describe(Failure::FileAlreadyOpen);
        return false;
    }
    auto opened = std::make_unique<OpenTextFile>();
    if (!opened->file.open(path, mode)) {
        error = opened->file.errorDescription();
        return false;
    }
    files_[number] = std::move(opened);
    return true;
}

OpenTextFile* FileNumberTable::get(int number) {
    const auto found = files_.find(number);
    return found == files_.end() ? nullptr : found->second.get();
}

bool FileNumberTable::close(int number) {
    const auto found = files_.find(number);
    if (found == files_.end())
        return true;
    const bool closed = found->second->file.close();
    files_.erase(found);
    return closed;
}

void FileNumberTable::closeAll() {
    for (auto& entry : files_)
        entry.second->file.close();
    files_.clear();
}
