#include "report/folder_walk.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <tuple>
#include <vector>

#include "report/candidate_folders.h"
#include "tests/report/support/report_fixture.h"
#include "tests/support/control_texts.h"
#include "tests/sysinfo/fake_sys_platform.h"
#include "toolkit/os/os_traits.h"
#include "toolkit/ui/headless/headless_controls.h"

namespace {

std::string join(const std::string& folder, const std::string& name) {
    return folder + os::kPathSeparator + name;
}

// A tree in memory: each folder's identity and subfolder names, and where a link leads. A name
// that leads to no folder of the map has vanished. It counts how often each folder is opened,
// by the walk or by its openers ahead.
class FakeTree : public FolderTree {
public:
    struct Folder {
        std::uint64_t id = 0;
        std::vector<std::string> subfolders = {};
        std::string linkTo = {};  // the final path of a link; empty for a plain folder
    };

    bool fullPath(const std::string& folder, std::string& path) override {
        path = folder;
        return folders.count(folder) != 0;
    }
    bool open(const std::string& folder, osfs::FolderIdentity& id,
              std::vector<std::string>& subfolders) override {
        {
            const std::lock_guard<std::mutex> lock(countLock);
            ++openings[folder];
        }
        const auto found = folders.find(folder);
        if (found == folders.end())
            return false;
        id = {1, 0, found->second.id, idsUnique, {}};
        if (!id.vouched() && resolves)
            id.finalPath = found->second.linkTo.empty() ? folder : found->second.linkTo;
        subfolders = found->second.subfolders;
        return true;
    }
    int openersAhead() const override { return openers; }

    std::map<std::string, Folder> folders;
    bool idsUnique = true;
    bool resolves = true;
    int openers = 0;
    std::mutex countLock;
    std::map<std::string, int> openings;
};

class FolderWalkTest : public ReportTest {
protected:
    std::vector<std::string> walk(const std::string& root) {
        AddFolderTree(listView, root, tree);
        return itemTextsOf(listView);
    }

    HeadlessListView listView;
    FakeTree tree;
};

TEST_F(FolderWalkTest, WalksDepthFirstAndEndsOnLoopsUnreadableAndVanishedFolders) {
    const std::string a = join("R", "A");
    tree.folders = {
        {"R", {1, {"A", "Locked", "Gone", "Twin"}}},
        {a, {2, {"back"}}},
        {join(a, "back"), {1, {"A"}}},       // a link to the root
        {join("R", "Locked"), {3}},          // unreadable: it lists no subfolder
        {join("R", "Twin"), {2, {"back"}}},  // a second way into A
    };
    // Folders opened ahead of the walk on other threads change nothing it shows.
    for (const int openers : {0, 3}) {
        tree.openers = openers;
        tree.openings.clear();
        listView.ListItems().Clear();
        auto recorder = std::make_unique<RecordingUi>();
        const std::vector<std::string>& events = recorder->events;
        installUi(std::move(recorder));
        EXPECT_EQ(walk("R"), (std::vector<std::string>{"R", a, join(a, "back"), join("R", "Locked"),
                                                       join("R", "Twin")}));
        // The hourglass shows for the whole walk, which yields before each subfolder.
        EXPECT_EQ(events, (std::vector<std::string>{"hourglass", "yield", "yield", "yield", "yield",
                                                    "yield", "default"}));
        // Each folder is opened once, by the walk or ahead of it; the loop's back link too.
        EXPECT_EQ(tree.openings, (std::map<std::string, int>{{"R", 1},
                                                             {a, 1},
                                                             {join(a, "back"), 1},
                                                             {join("R", "Gone"), 1},
                                                             {join("R", "Locked"), 1},
                                                             {join("R", "Twin"), 1}}));
    }
    // A candidate that does not exist adds nothing; the same last folder is not repeated.
    tree.folders = {{"R", {1}}};
    EXPECT_EQ(walk("missing").size(), 5u);
    EXPECT_EQ(walk("R").size(), 6u);
    EXPECT_EQ(walk("R").size(), 6u);
}

// Regression: on ReFS, network shares and under Wine an id can be 0 or repeat, and a folder
// taken for one already entered lost its whole subtree. Such ids never count; the final path
// does, and with no final path either every folder is entered.
TEST_F(FolderWalkTest, IdsTheVolumeDoesNotVouchForNeverSkipAFolder) {
    const std::string a = join("R", "A"), link = join(a, "up");
    const std::vector<std::string> linkListed = {"R", a, join(a, "A1"), link, join("R", "B")};
    const std::vector<std::string> linkEntered = {
        "R", a, join(a, "A1"), link, join(link, "X"), join("R", "B")};
    const std::tuple<const char*, std::uint64_t, bool, bool, std::vector<std::string>> cases[] = {
        {"all 0 on a volume of unique ids", 0, true, true, linkListed},
        {"one id repeated on a volume whose ids may repeat", 7, false, true, linkListed},
        {"repeated ids and no final path", 7, false, false, linkEntered},
    };
    for (const auto& [ids, sameId, idsUnique, resolves, expected] : cases) {
        tree.folders = {
            {"R", {sameId, {"A", "B"}}}, {a, {sameId, {"A1", "up"}}},
            {join(a, "A1"), {sameId}},   {link, {sameId, {"X"}, "R"}},  // a link to the root
            {join(link, "X"), {sameId}}, {join("R", "B"), {sameId}},
        };
        tree.idsUnique = idsUnique;
        tree.resolves = resolves;
        listView.ListItems().Clear();
        EXPECT_EQ(walk("R"), expected) << ids;
    }
}

TEST(CandidateFoldersTest, FixedPlacesInOrderThenTheDocumentsFolder) {
    installHeadlessUi();
    installFakeSysPlatform().folderPath = "DOCS";
    const std::vector<std::string> expected =
        os::kPathSeparator == '/'
            ? std::vector<std::string>{"/opt/morva", "/usr/local/morva", "/var/lib/velldata",
                                       "/srv/velldata", "DOCS/morvasoftware"}
            : std::vector<std::string>{"C:\\Program Files\\morva", "D:\\Program Files\\morva",
                                       "C:\\velldata", "D:\\velldata", "DOCS\\morvasoftware"};
    EXPECT_EQ(productFolderCandidates(), expected);
    setSysPlatformForTesting(nullptr);
}

}  // namespace
