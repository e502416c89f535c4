#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

#include "inspect/report_records.h"

// The list of folders to examine, which the report writes before the machine's facts, held
// until the folder blocks come: a receiver that gives each folder once, in the list's order,
// takes each ticked folder's entry with its block and the cleared ones between them.
class ListedFolders {
public:
    void add(const ListedFolder& folder) { folders_.push_back(folder); }

    // Hands `each` the entries before the folder numbered `number` not handed out yet, and
    // answers that folder's own entry when the list has it.
    std::optional<ListedFolder> takeUpTo(int number,
                                         const std::function<void(const ListedFolder&)>& each) {
        std::optional<ListedFolder> own;
        while (next_ < folders_.size() && folders_[next_].number <= number) {
            if (folders_[next_].number == number)
                own = folders_[next_];
            else
                each(folders_[next_]);
            ++next_;
        }
        return own;
    }
    void takeRest(const std::function<void(const ListedFolder&)>& each) {
        for (; next_ < folders_.size(); ++next_)
            each(folders_[next_]);
    }

private:
    std::vector<ListedFolder> folders_;
    std::size_t next_ = 0;
};
