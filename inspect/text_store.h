#pragma once

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

// Keeps texts for as long as the store lives, in large blocks: the hundreds of thousands of
// short names of a large report's file rows, each in a string of its own, took an allocation
// apiece and a third more memory. A kept text's view stays valid while the store lives, moved
// or not.
class TextStore {
public:
    std::string_view keep(std::string_view text);

private:
    static constexpr std::size_t kBlockBytes = 256 * 1024;

    std::vector<std::unique_ptr<char[]>> blocks_;
    char* next_ = nullptr;  // where the last block's room begins
    std::size_t left_ = 0;  // the room left at the end of the last block
};
