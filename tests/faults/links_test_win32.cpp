// A real folder loop under Wine. Wine 8 makes no junctions (FSCTL_SET_REPARSE_POINT answers
// "not supported") and CreateSymbolicLinkW creates nothing, but it shows a host symbolic link
// as a folder reparse point; the build therefore makes the loop on the host: A\up leads back to
// the root. Wine's volumes do not vouch for their file ids, so the walk knows the loop by its
// final path.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/folder_walk.h"
#include "toolkit/os/file_system.h"
#include "toolkit/ui/headless/headless_controls.h"
#include "toolkit/ui/headless/headless_ui.h"

namespace {

TEST(Links, ALoopBackToTheRootIsListedButNotEntered) {
    installHeadlessUi();
    std::string root;
    ASSERT_TRUE(osfs::folderFullPath(CR_LINKED_LOOP, root));
    HeadlessListView view;
    AddFolderTree(view, root);
    std::vector<std::string> listed;
    for (int i = 1; i <= view.ListItems().Count(); ++i)
        listed.push_back(view.ListItems().Item(i).Text());
    EXPECT_EQ(listed,
              (std::vector<std::string>{root, root + "\\A", root + "\\A\\up", root + "\\B"}));
}

}  // namespace
