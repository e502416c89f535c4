// Where a piece of text may end without splitting a character: UTF-8 at each lead byte's
// range, double-byte code pages by their lead bytes.
#include <gtest/gtest.h>

#include <string>

#include "toolkit/whole_characters.h"

namespace {

struct Row {
    std::string bytes;
    std::size_t whole;
};

TEST(WholeCharactersTest, APieceThatEndsInsideACharacterGivesItsBytesBack) {
    os::CharacterBytes utf8;
    utf8.utf8 = true;
    // Each lead byte at the first and last of its range, the piece ending inside its character
    // and after it; stray continuation bytes and bytes that begin no character end nothing.
    const Row utf8Rows[] = {
        {"", 0},
        {"ab", 2},
        {"a\xC2", 1},
        {"a\xC2\x80", 3},
        {"a\xDF", 1},
        {"a\xDF\xBF", 3},
        {"a\xE0\xA0", 1},
        {"a\xE0\xA0\x80", 4},
        {"a\xEF\xBF", 1},
        {"a\xEF\xBF\xBF", 4},
        {"a\xF0\x90\x80", 1},
        {"a\xF4\x8F\xBF\xBF", 5},
        {"a\xF7\xBF\xBF", 1},
        {"a\x80\x80\x80", 4},
        {"a\xF8", 2},
        {"a\xC2\x80\xE0", 3},
    };
    for (const Row& row : utf8Rows)
        EXPECT_EQ(wholeCharacterBytes(row.bytes, utf8), row.whole)
            << testing::PrintToString(row.bytes);

    // A code page of two-byte characters whose lead bytes are 0x81 to 0xFE: the lead bytes
    // at the end pair up, and one left over begins a character the piece ends inside.
    os::CharacterBytes doubleByte;
    for (int lead = 0x81; lead <= 0xFE; ++lead)
        doubleByte.leadBytes.set(static_cast<std::size_t>(lead));
    const Row doubleByteRows[] = {
        {"ab", 2}, {"a\x81", 1}, {"a\x81\x40", 3}, {"\x81\x81\x81", 2}, {"\x81\x81", 2},
    };
    for (const Row& row : doubleByteRows)
        EXPECT_EQ(wholeCharacterBytes(row.bytes, doubleByte), row.whole)
            << testing::PrintToString(row.bytes);
    // A code page of one byte a character ends every piece between characters.
    EXPECT_EQ(wholeCharacterBytes("a\x81", os::CharacterBytes()), 2u);
}

}  // namespace
