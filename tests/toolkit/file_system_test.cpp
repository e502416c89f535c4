#include "toolkit/os/file_system.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "tests/support/temp_folder.h"
#include "toolkit/os/os_traits.h"

namespace {

TEST(FileSystemTest, WildcardsFollowTheWindowsRules) {
    const struct {
        const char* name;
        const char* pattern;
        bool ignoreCase;
        bool matches;
    } cases[] = {
        {"CHANGE", "*.*", false, true},  // "*.*" takes names without a dot
        {"CHANGE.log", "CHANGE.*", false, true},
        {"CHANGE", "CHANGE.*", false, true},
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
    for (const auto& c : cases) {
        EXPECT_EQ(osfs::matchesPattern(c.name, c.pattern, c.ignoreCase), c.matches)
            << c.name << " / " << c.pattern;
    }
}

TEST(FileSystemTest, BufferedWritesReachTheFileInOrderAndFailuresSayWhy) {
    TempFolder folder;
    const std::string name = folder.file("big.txt");
    std::string expected;
    osfs::File file;
    ASSERT_TRUE(file.open(name, osfs::OpenMode::Write));
    for (int i = 0; i < 20000; ++i) {
        const std::string line = "line " + std::to_string(i) + "\r\n";
        ASSERT_TRUE(file.write(line.data(), line.size()));
        expected += line;
    }
    ASSERT_TRUE(file.close());
    ASSERT_TRUE(file.open(name, osfs::OpenMode::Append));
    ASSERT_TRUE(file.write("end", 3));
    ASSERT_TRUE(file.close());
    EXPECT_EQ(folder.read("big.txt"), expected + "end");
    {
        osfs::File unclosed;  // what is still buffered is written when the file goes
        ASSERT_TRUE(unclosed.open(folder.file("unclosed.txt"), osfs::OpenMode::Write));
        ASSERT_TRUE(unclosed.write("kept", 4));
    }
    EXPECT_EQ(folder.read("unclosed.txt"), "kept");
    ASSERT_TRUE(file.open(folder.file("first.txt"), osfs::OpenMode::Write));
    ASSERT_TRUE(file.write("kept", 4));
    ASSERT_TRUE(file.open(folder.file("second.txt"), osfs::OpenMode::Write));
    EXPECT_EQ(folder.read("first.txt"), "kept") << "opening another file closes the first";
    ASSERT_TRUE(file.close());

    // Failures are described in the same words on every platform.
    EXPECT_FALSE(file.write("x", 1));
    EXPECT_EQ(file.errorDescription(), "Bad file name or number");
    EXPECT_FALSE(file.open(folder.makeFolder("sub"), osfs::OpenMode::Read));
    EXPECT_EQ(file.errorDescription(), "Path/File access error");
    char byte = 0;
    EXPECT_EQ(file.read(&byte, 1), -1);
    EXPECT_EQ(file.errorDescription(), "Bad file name or number");
}

// A held folder answers as the full paths do; one that cannot be held finds nothing.
TEST(FileSystemTest, LookUpsSearchesAndReadsFindWhatIsThereAndSayWhyNot) {
    TempFolder folder;
    folder.write("product/a.txt", "0123456789");
    const osfs::HeldFolder held(folder.file("product"));
    osfs::FileFacts viaHeld, viaPath;
    ASSERT_TRUE(held.lookUp("a.txt", viaHeld));
    ASSERT_TRUE(osfs::lookUp(folder.file("product/a.txt"), viaPath));
    EXPECT_EQ(std::tie(viaHeld.name, viaHeld.size, viaHeld.attributes),
              std::tie(viaPath.name, viaPath.size, viaPath.attributes));
    EXPECT_FALSE(held.lookUp("missing.txt", viaHeld));
    EXPECT_EQ(osfs::lastErrorDescription(), "File not found");
    EXPECT_FALSE(osfs::DirectorySearch(folder.file("missing/*.*")).next(viaHeld));
    EXPECT_EQ(osfs::lastErrorDescription(), "Path not found");
    for (const char* dots : {".", ".."})  // never found, also when asked for by name
        EXPECT_FALSE(osfs::DirectorySearch(folder.file(dots)).next(viaHeld)) << dots;

    osfs::File file;
    ASSERT_TRUE(file.open(held, "a.txt", osfs::OpenMode::Read));
    EXPECT_EQ(file.size(), 10);
    char bytes[8] = {};
    EXPECT_EQ(file.readAt(6, bytes, sizeof bytes), 4) << "a short read at the end";
    EXPECT_EQ(std::string(bytes, 4), "6789");
    EXPECT_EQ(file.readAt(10, bytes, sizeof bytes), 0);
    EXPECT_FALSE(file.open(held, "missing.txt", osfs::OpenMode::Read));
    EXPECT_EQ(file.size(), -1);
    EXPECT_EQ(file.readAt(0, bytes, 1), -1);

    const osfs::HeldFolder gone(folder.file("gone"));
    EXPECT_FALSE(gone.lookUp("a.txt", viaHeld));
    EXPECT_FALSE(file.open(gone, "a.txt", osfs::OpenMode::Read));
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

}  // namespace
