#include "toolkit/os/file_system.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "tests/support/temp_folder.h"
#include "tests/toolkit/line_pieces.h"
#include "toolkit/line_reader.h"
#include "toolkit/os/code_page.h"
#include "toolkit/os/os_traits.h"

namespace {

TEST(FileSystemTest, WildcardsFollowTheWindowsRules) {
    const std::tuple<const char*, const char*, bool, bool> cases[] = {
        {"CHANGE", "*.*", false, true},  // "*.*" takes names without a dot
        {"CHANGE.log", "CHANGE.*", false, true},
        {"a.txtx", "*.txt", false, false},
        {"a.TXT", "*.txt", false, false},
        {"a.TXT", "*.txt", true, true},
        {"a.b.c", "*.c", false, true},
        {"ac", "a?c", false, false},
        {"\xC3\xA4.txt", "?.txt", false, true},  // "?" is one character, not one byte
        {"aXbXc", "a*b*c", false, true},
        {"abd", "a*c", false, false},
        {"", "*", false, true},
        {"abc", "", false, false},
    };
    for (const auto& [name, pattern, ignoreCase, matches] : cases) {
        EXPECT_EQ(osfs::matchesPattern(name, pattern, ignoreCase), matches)
            << name << " / " << pattern;
    }
}

// The inventory opens ordinary files only, and of those only the ones kept here: reading a file
// kept only in the cloud would download it.
TEST(FileSystemTest, AttributesTellOrdinaryFilesAndThoseKeptOnlyInTheCloud) {
    using namespace osfs;
    const std::tuple<unsigned, bool, bool> cases[] = {
        {kAttrArchive | kAttrReadOnly, true, true},
        {kAttrDirectory, false, false},
        {kAttrHidden, false, false},
        {kAttrSystem | kAttrArchive, false, false},
        {kAttrOffline, true, false},
        {kAttrRecallOnOpen, true, false},
        {kAttrRecallOnDataAccess, true, false},
    };
    for (const auto& [attributes, ordinary, ordinaryHere] : cases) {
        EXPECT_EQ(isOrdinaryFile(attributes), ordinary) << attributes;
        EXPECT_EQ(isOrdinaryHere(attributes), ordinaryHere) << attributes;
    }
}

// Failures are described in the same words on every platform.
TEST(FileSystemTest, FailuresSayWhyInTheSameWordsEverywhere) {
    TempFolder folder;
    osfs::File file;
    ASSERT_TRUE(file.open(folder.file("written.txt"), osfs::OpenMode::Write));
    char byte = 0;
    EXPECT_EQ(file.read(&byte, 1), -1) << "a read that the system refuses fails at once";
    EXPECT_EQ(file.errorDescription(), "Permission denied");
    ASSERT_TRUE(file.close());
    EXPECT_FALSE(file.write("x", 1));
    EXPECT_EQ(file.errorDescription(), "Bad file name or number");
    EXPECT_TRUE(file.close()) << "closing a closed file is no failure";
    EXPECT_FALSE(file.open(folder.makeFolder("sub"), osfs::OpenMode::Read));
    EXPECT_EQ(file.errorDescription(), "Path/File access error");
    osfs::removeFile(folder.file("missing.txt"));
    EXPECT_EQ(osfs::lastErrorDescription(), "File not found");
    EXPECT_EQ(file.read(&byte, 1), -1);
    EXPECT_EQ(file.errorDescription(), "Bad file name or number");
}

// Small writes wait in the buffer, large ones go to the disk at once: the file keeps the order.
TEST(FileSystemTest, WritesOfEverySizeReachTheFileInTheirOrder) {
    TempFolder folder;
    osfs::File file;
    ASSERT_TRUE(file.open(folder.file("pieces.bin"), osfs::OpenMode::Write));
    std::string expected;
    char fill = 'a';
    for (const std::size_t size : {3, 70000, 5, 65536, 65535, 1, 200000}) {
        const std::string piece(size, fill++);
        EXPECT_TRUE(file.write(piece.data(), piece.size())) << size;
        expected += piece;
    }
    ASSERT_TRUE(file.close());
    EXPECT_EQ(folder.read("pieces.bin"), expected);
    // A file of one byte reaches the disk in a write of one byte.
    ASSERT_TRUE(file.open(folder.file("one.bin"), osfs::OpenMode::Write));
    EXPECT_TRUE(file.write("x", 1));
    ASSERT_TRUE(file.close());
    EXPECT_EQ(folder.read("one.bin"), "x");
}

// A held folder answers as the full paths do; one that cannot be held finds nothing.
TEST(FileSystemTest, LookUpsSearchesAndReadsFindWhatIsThereAndSayWhyNot) {
    TempFolder folder;
    folder.write("product/a.txt", "0123456789");
    osfs::HeldFolder held(folder.file("product"));
    osfs::FileFacts viaHeld, viaPath;
    ASSERT_TRUE(held.lookUp("a.txt", viaHeld));
    ASSERT_TRUE(osfs::lookUp(folder.file("product/a.txt"), viaPath));
    EXPECT_EQ(std::tie(viaHeld.name, viaHeld.size, viaHeld.attributes),
              std::tie(viaPath.name, viaPath.size, viaPath.attributes));
    ASSERT_TRUE(osfs::lookUp(folder.file("product"), viaPath));
    EXPECT_EQ(viaPath.size, 0) << "a folder has no size, as on Windows";
    EXPECT_FALSE(held.lookUp("missing.txt", viaHeld));
    EXPECT_EQ(osfs::lastErrorDescription(), "File not found");
    EXPECT_FALSE(osfs::DirectorySearch(folder.file("missing/*.*")).next(viaHeld));
    EXPECT_EQ(osfs::lastErrorDescription(), "Path not found");
    EXPECT_FALSE(osfs::lookUp(folder.file("missing.txt"), viaPath));
    EXPECT_EQ(osfs::lastErrorDescription(), "File not found");
    EXPECT_FALSE(osfs::DirectorySearch(folder.file("")).next(viaHeld)) << "no name, nothing";
    for (const char* dots : {".", ".."})  // never found, also when asked for by name
        EXPECT_FALSE(osfs::DirectorySearch(folder.file(dots)).next(viaHeld)) << dots;

    osfs::File file;
    ASSERT_EQ(file.openOrdinary(held, "a.txt"), osfs::OrdinaryOpen::Opened);
    EXPECT_EQ(file.size(), 10);
    char bytes[8] = {};
    EXPECT_EQ(file.readAt(6, bytes, sizeof bytes), 4) << "a short read at the end";
    EXPECT_EQ(std::string(bytes, 4), "6789");
    EXPECT_EQ(file.readAt(10, bytes, sizeof bytes), 0);
    EXPECT_EQ(file.openOrdinary(held, "missing.txt"), osfs::OrdinaryOpen::NotOrdinary);
    EXPECT_EQ(file.size(), -1);
    EXPECT_EQ(file.readAt(0, bytes, 1), -1);

    osfs::HeldFolder gone(folder.file("gone"));
    EXPECT_FALSE(gone.lookUp("a.txt", viaHeld));
    EXPECT_EQ(file.openOrdinary(gone, "a.txt"), osfs::OrdinaryOpen::NotOrdinary);
}

TEST(FileSystemTest, FolderPathIdentityAndSubfolders) {
    TempFolder folder;
    const std::string sub = folder.makeFolder("sub");
    const std::string sep(1, os::kPathSeparator);
    const std::string viaParent = sub + sep + ".." + sep + "sub";
    std::string full;
    ASSERT_TRUE(osfs::folderFullPath(viaParent + sep, full));
    EXPECT_EQ(full, sub);
    EXPECT_FALSE(osfs::folderFullPath(folder.write("f.txt", ""), full));

    // What an identity and a listing used before may still hold.
    std::vector<std::string> subfolders{"stale"};
    const auto idOf = [&subfolders](const std::string& path, std::uint64_t leftOver = 0) {
        osfs::FolderIdentity id;
        id.idHigh = leftOver;
        EXPECT_TRUE(osfs::openFolder(path, id, subfolders)) << path;
        EXPECT_TRUE(id.vouched() || !id.finalPath.empty()) << path;
        EXPECT_TRUE(!id.vouched() || id.volume != 0) << path << ": vouched for on no volume";
        return std::make_tuple(id.volume, id.idHigh, id.idLow, id.finalPath);
    };
    const std::string other = folder.makeFolder("other");
    folder.makeFolder("\xce\xa9mega" + sep + "inner");
    EXPECT_EQ(idOf(sub), idOf(viaParent, 77));
    EXPECT_TRUE(subfolders.empty());
    EXPECT_NE(idOf(sub), idOf(other));
    // Subfolders only, by their own names, whatever the script.
    idOf(folder.path());
    std::sort(subfolders.begin(), subfolders.end());
    EXPECT_EQ(subfolders, (std::vector<std::string>{"other", "sub", "\xce\xa9mega"}));

    osfs::FolderIdentity id;
    EXPECT_FALSE(osfs::openFolder(folder.file("gone"), id, subfolders));
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
    // The bytes, their lines on Linux, where a lone LF ends a line, and on Windows, where it stays.
    const std::tuple<std::string, std::vector<std::string>, std::vector<std::string>> cases[] = {
        {"", {}, {}},
        {"no end", {"no end"}, {"no end"}},
        {"x", {"x"}, {"x"}},
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
        {"a\r", {"a"}, {"a"}},  // after the long file above, whose bytes stay in the buffer
    };
    for (const auto& [bytes, onLinux, onWindows] : cases) {
        std::vector<std::string> lines;
        for (const Piece& piece : readAll(bytes))
            lines.push_back(piece.first);
        EXPECT_EQ(lines, os::kLoneLineFeedEndsLine ? onLinux : onWindows)
            << testing::PrintToString(bytes.substr(0, 20));
    }
}

TEST(LineReaderTest, LongLinesAreCutAtTheCapAndContinueInTheNextRead) {
    EXPECT_EQ(readAll("abcdefg\r\nhi", 3),
              (Pieces{{"abc", true}, {"def", true}, {"g", false}, {"hi", false}}));
    EXPECT_EQ(readAll("abc\r\n", 3), (Pieces{{"abc", false}}));
    // A cap below the next character keeps nothing of it, not one byte.
    EXPECT_EQ(readAll(inCodePage("\u00e9"), 1), (Pieces{{"", true}}));
    // A file without line ends is handed out piece by piece, never as one huge line.
    const std::string half(100 * 1024, 'q');
    EXPECT_EQ(readAll(half + half, half.size()), (Pieces{{half, true}, {half, false}}));
    // A piece never ends inside a character, which would be written back as "?".
    EXPECT_EQ(readAll(inCodePage("a\u20ac"), 3), (Pieces{{"a", true}, {"\u20ac", false}}));
    EXPECT_EQ(readAll(inCodePage("a\u00e9\u20acb"), 4),
              (Pieces{{"a\u00e9", true}, {"\u20acb", false}}));
    // Nor where the cap falls on the end of the reader's 64 KiB read.
    const std::string justShort(64 * 1024 - 1, 'x');
    EXPECT_EQ(readAll(justShort + inCodePage("\u20ac"), justShort.size() + 1),
              (Pieces{{justShort, true}, {"\u20ac", false}}));
    // Where text files are UTF-8, four-byte characters too; a piece backs off at most three
    // bytes, however many stray continuation bytes there are.
    if (inCodePage("\U0001F600").size() == 4) {
        EXPECT_EQ(readAll("a\U0001F600b", 4),
                  (Pieces{{"a", true}, {"\U0001F600", true}, {"b", false}}));
        EXPECT_EQ(readAll("ab\x80\x80\x80\x80", 5),
                  (Pieces{{"ab", true}, {"\x80\x80\x80\x80", false}}));
    }
    osfs::File closed;  // an unreadable file is neither at its end nor readable
    LineReader unreadable(closed);
    std::string line;
    EXPECT_FALSE(unreadable.atEnd() || unreadable.readLine(line) || !unreadable.failed());
}

}  // namespace
