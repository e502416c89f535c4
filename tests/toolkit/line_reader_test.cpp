#include "toolkit/line_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/support/temp_folder.h"
#include "toolkit/os/code_page.h"
#include "toolkit/os/os_traits.h"

namespace {

using Piece = std::pair<std::string, bool>;  // the text read, and whether the line was cut
using Pieces = std::vector<Piece>;

// Reads through `buffer` when one is given, else through the reader's own.
Pieces readAll(const std::string& bytes, std::size_t maxBytes = 1 << 30,
               std::string* buffer = nullptr) {
    TempFolder folder;
    osfs::File file;
    EXPECT_TRUE(file.open(folder.write("lines.txt", bytes), osfs::OpenMode::Read));
    std::string own;
    LineReader reader(file, buffer ? *buffer : own);
    Pieces pieces;
    while (!reader.atEnd()) {
        Piece piece;
        EXPECT_TRUE(reader.readLine(piece.first, maxBytes, &piece.second));
        pieces.push_back(piece);
    }
    return pieces;
}

std::string inCodePage(const std::string& utf8) {
    std::string bytes;
    os::appendInCodePage(bytes, utf8);
    return bytes;
}

TEST(LineReaderTest, LineEndsFollowTheOneRule) {
    // The reader takes 64 KiB at a time; some cases put the line end across that boundary.
    const std::string justShort(64 * 1024 - 1, 'x');
    const std::string full(64 * 1024, 'x');
    const std::string manyE(70000, '\xE9');
    std::string manyEInUtf8;
    for (std::size_t i = 0; i < manyE.size(); ++i)
        manyEInUtf8 += "\xC3\xA9";
    const struct {
        std::string bytes;
        std::vector<std::string> onLinux;    // a lone LF ends a line
        std::vector<std::string> onWindows;  // a lone LF stays in the line
    } cases[] = {
        {"", {}, {}},
        {"no end", {"no end"}, {"no end"}},
        {"a\r\r\nb", {"a", "", "b"}, {"a", "", "b"}},
        {"a\n\rb", {"a", "", "b"}, {"a\n", "b"}},
        {"a\n", {"a"}, {"a\n"}},
        {"1234567\r12345678\n123456789\r\n",
         {"1234567", "12345678", "123456789"},
         {"1234567", "12345678\n123456789"}},
        {justShort + "\r\ny", {justShort, "y"}, {justShort, "y"}},
        {justShort + "\rz", {justShort, "z"}, {justShort, "z"}},
        {full + "\r\ny", {full, "y"}, {full, "y"}},
        // Windows reads the code page, 1252 under Wine: each such byte takes two in UTF-8, so a
        // whole read of them outgrows the room it was read into.
        {"caf\xE9\r\n", {"caf\xE9"}, {"caf\xC3\xA9"}},
        {manyE + "\rz", {manyE, "z"}, {manyEInUtf8, "z"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> lines;
        for (const Piece& piece : readAll(c.bytes))
            lines.push_back(piece.first);
        EXPECT_EQ(lines, os::kLoneLineFeedEndsLine ? c.onLinux : c.onWindows)
            << testing::PrintToString(c.bytes.substr(0, 20));
    }
}

TEST(LineReaderTest, LongLinesAreCutAtTheCapAndContinueInTheNextRead) {
    EXPECT_EQ(readAll("abcdefg\r\nhi", 3),
              (Pieces{{"abc", true}, {"def", true}, {"g", false}, {"hi", false}}));
    EXPECT_EQ(readAll("abc\r\n", 3), (Pieces{{"abc", false}}));
    // A file without line ends is handed out piece by piece, never as one huge line.
    const std::string half(100 * 1024, 'q');
    EXPECT_EQ(readAll(half + half, half.size()), (Pieces{{half, true}, {half, false}}));
    // A piece never ends inside a character, which would be written back as "?".
    EXPECT_EQ(readAll(inCodePage("a\u20ac"), 3), (Pieces{{"a", true}, {"\u20ac", false}}));
    EXPECT_EQ(readAll(inCodePage("a\u00e9\u20acb"), 4),
              (Pieces{{"a\u00e9", true}, {"\u20acb", false}}));
    // Where text files are UTF-8, four-byte characters too; a piece backs off at most three
    // bytes, however many stray continuation bytes there are.
    if (inCodePage("\U0001F600").size() == 4) {
        EXPECT_EQ(readAll("a\U0001F600b", 4),
                  (Pieces{{"a", true}, {"\U0001F600", true}, {"b", false}}));
        EXPECT_EQ(readAll("ab\x80\x80\x80\x80", 5),
                  (Pieces{{"ab", true}, {"\x80\x80\x80\x80", false}}));
    }
}

// A buffer kept from file to file holds the last file's bytes, and more room than was read.
TEST(LineReaderTest, ABufferKeptFromAnotherFileGivesNothingOfIt) {
    std::string buffer;
    EXPECT_EQ(readAll(std::string(70000, 'x') + "\r\nlast", 1 << 30, &buffer).size(), 2u);
    EXPECT_EQ(readAll("a\r", 1 << 30, &buffer), (Pieces{{"a", false}}));
    EXPECT_EQ(readAll("", 1 << 30, &buffer), Pieces{});
}

TEST(LineReaderTest, UnreadableFileIsNeitherAtItsEndNorReadable) {
    osfs::File closed;
    LineReader reader(closed);
    std::string line;
    EXPECT_FALSE(reader.atEnd());
    EXPECT_FALSE(reader.readLine(line));
    EXPECT_TRUE(reader.failed());
}

}  // namespace
