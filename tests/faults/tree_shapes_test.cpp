// Trees whose shape strains the walk and the inventory: depth, links, and names that HTML,
// URLs or the file system treat specially.
#include <gtest/gtest.h>

#include <string>

#include "tests/faults/fault_fixture.h"
#include "toolkit/os/file_system.h"
#include "toolkit/os/os_traits.h"

namespace {

// The full path of a tree the build made (see CMakeLists.txt).
std::string builtTree(const std::string& name) {
    std::string path;
    EXPECT_TRUE(osfs::folderFullPath(CR_FAULT_TREES "/" + name, path)) << name;
    return path;
}

using TreeShapes = FaultTest;

// The deep tree is 200 levels deep. The linked one holds links to the parent, to the folder
// itself, to each other's sibling, to nothing and to a file.
TEST_F(TreeShapes, DeepFoldersAreAllListedAndLinksListedButNotEntered) {
    const std::string deep = builtTree("deep"), linked = builtTree("linked");
    std::string deepest = deep;
    for (int level = 0; level < 200; ++level)
        deepest += os::kPathSeparator + std::string("d");
    expectReport(deep, 201,
                 {"<H3>" + deepest + os::kPathSeparator + "deep.ini</H3>", "depth=200<BR>"});

    // linked, a, a/up, a/self, x, y, and one of x and y again through its sibling's link.
    expectReport(
        linked, 8,
        {"<H3>" + linked + os::kPathSeparator + "a" + os::kPathSeparator + "linked.ini</H3>",
         "x=1<BR>", "y=1<BR>"});
}

// Names are written as they are. On Windows the report is in code page 1252 (Wine under a UTF-8
// locale), with "?" for a letter it lacks; Linux names are bytes, not always UTF-8. A file's
// bytes, NUL and 0xFF among them, go through the code page and come back as they were.
TEST_F(TreeShapes, OddNamesAreListedAndEmbeddedAndBinaryBytesKept) {
    struct OddName {
        const char* name;
        const char* listedOnWindows;  // null: the name itself
    };
    std::vector<OddName> names = {
        {"with space.ini", nullptr},        {"a&b.ini", nullptr},
        {"hash#sign.log", nullptr},         {"per%20cent.ini", nullptr},
        {"caf\xc3\xa9.ini", "caf\xe9.ini"}, {"\xe6\x97\xa5\xe6\x9c\xac.log", "??.log"},
    };
    const bool windows = os::kPathSeparator == '\\';
    std::string sub = "pr&duct #1 %s/sub &amp; \xc3\xa9t\xc3\xa9";
    if (!windows) {
        names.insert(names.end(), {{"less<than>.txt", nullptr}, {"latin1 caf\xe9.ini", nullptr}});
        sub += " <b>\xff\xfe";
    }
    std::vector<std::string> shown;
    for (const OddName& odd : names) {
        folder.write(sub + "/" + odd.name, std::string("text of ") + odd.name + "\r\n");
        shown.push_back(std::string("text of ") + odd.name + "<BR>");
        shown.push_back(std::string("<TR><TD>") +
                        (windows && odd.listedOnWindows ? odd.listedOnWindows : odd.name) +
                        "</td>");
        if (!windows)
            shown.push_back("<H3>" + folder.file(sub) + "/" + odd.name + "</H3>");
    }

    std::string everyOtherByte;  // every byte but the line ends
    for (int byte = 0; byte < 256; ++byte) {
        if (byte != '\r' && byte != '\n')
            everyOtherByte += static_cast<char>(byte);
    }
    folder.write(sub + "/binary.ini", everyOtherByte);
    shown.push_back(everyOtherByte + "<BR>\r\n");

    expectReport(folder.file("pr&duct #1 %s"), 2, shown);
}

}  // namespace
