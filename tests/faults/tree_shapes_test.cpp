// Trees whose shape strains the walk and the inventory: depth and links.
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

}  // namespace
