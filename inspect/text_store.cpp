#include "inspect/text_store.h"

#include <algorithm>
#include <cstring>

std::string_view TextStore::keep(std::string_view text) {
    if (text.empty())
        return {};
    if (text.size() > left_) {
        // A new block, of the text's size where it is larger; the room left in the last one is
        // given up. Not cleared: every byte of it is written before it is read.
        left_ = std::max(kBlockBytes, text.size());
        next_ = blocks_.emplace_back(new char[left_]).get();
    }
    const std::string_view kept(next_, text.size());
    std::memcpy(next_, text.data(), text.size());
    next_ += text.size();
    left_ -= text.size();
    return kept;
}
