// The store of a comparison's row texts: every text kept reads back as it was, across blocks
// and beside texts larger than a block, for as long as the store lives, moved or not.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "inspect/text_store.h"

namespace {

TEST(TextStore, KeptTextsStayAsTheyWereAcrossBlocks) {
    TextStore store;
    std::vector<std::string> texts;
    std::vector<std::string_view> kept;
    for (int i = 0; i < 60000; ++i) {
        // Names of every length up to 40, now and then one larger than a block, and empty ones.
        texts.push_back(i % 9973 == 0 ? std::string(300 * 1024, static_cast<char>('a' + i % 26))
                                      : std::string(static_cast<std::size_t>(i % 41), 'x') +
                                            std::to_string(i));
        if (i % 5000 == 0)
            texts.back().clear();
        kept.push_back(store.keep(texts.back()));
    }
    const TextStore moved = std::move(store);
    for (std::size_t i = 0; i < texts.size(); ++i)
        ASSERT_EQ(kept[i], texts[i]) << i;
}

}  // namespace
