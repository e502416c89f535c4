#include "report/folder_walk.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
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
// and how many openings came from threads other than the walk's. With `walkWaitsForOpeners`,
// the walk's second opening of its own waits (a few seconds at most) until another thread has
// begun one, so that the openers get going however slowly their threads start.
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
            std::unique_lock<std::mutex> lock(countLock);
            ++openings[folder];
            if (std::this_thread::get_id() != walkThread) {
                ++openedAhead;
                openerBegan.notify_all();
            } else if (walkWaitsForOpeners && openings.size() > 1) {
                openerBegan.wait_for(lock, std::chrono::seconds(5),
                                     [&] { return openedAhead > 0; });
                walkWaitsForOpeners = false;
            }
        }
        std::this_thread::sleep_for(openingTime);
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
    std::chrono::microseconds openingTime{0};
    const std::thread::id walkThread = std::this_thread::get_id();
    bool walkWaitsForOpeners = false;
    std::mutex countLock;
    std::condition_variable openerBegan;
    std::map<std::string, int> openings;
    int openedAhead = 0;
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
        listView.ListItems().Clear();
        auto recorder = std::make_unique<RecordingUi>();
        const std::vector<std::string>& events = recorder->events;
        installUi(std::move(recorder));
        EXPECT_EQ(walk("R"), (std::vector<std::string>{"R", a, join(a, "back"), join("R", "Locked"),
                                                       join("R", "Twin")}));
        // The hourglass shows for the whole walk, which yields before each subfolder.
        EXPECT_EQ(events, (std::vector<std::string>{"hourglass", "yield", "yield", "yield", "yield",
                                                    "yield", "default"}));
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

// Openers ahead of the walk follow it into every subtree; the walk takes each folder's opening
// from them or opens the folder itself, never both.
TEST_F(FolderWalkTest, FoldersOpenedAheadKeepTheOrderAndAreOpenedOnce) {
    const std::vector<std::string> names = {"a", "b", "c", "d", "e"};
    std::vector<std::string> level = {"R"};
    std::uint64_t id = 0;
    for (int depth = 0; depth <= 4; ++depth) {
        std::vector<std::string> below;
        for (const std::string& folder : level) {
            tree.folders[folder] = {++id, depth < 4 ? names : std::vector<std::string>{}};
            for (const std::string& name : tree.folders[folder].subfolders)
                below.push_back(join(folder, name));
        }
        level = below;
    }
    const std::vector<std::string> inOrder = walk("R");
    ASSERT_EQ(inOrder.size(), tree.folders.size());
    tree.openingTime = std::chrono::microseconds(100);  // long enough for openings to overlap
    for (const int openers : {2, 5}) {
        tree.openers = openers;
        tree.walkWaitsForOpeners = true;
        tree.openings.clear();
        tree.openedAhead = 0;
        listView.ListItems().Clear();
        EXPECT_EQ(walk("R"), inOrder);
        EXPECT_GT(tree.openedAhead, 0);
        EXPECT_EQ(tree.openings.size(), tree.folders.size());
        for (const auto& [folder, count] : tree.openings)
            EXPECT_EQ(count, 1) << folder;
    }
}

// The documents folder is asked for when its turn comes: a message it shows follows the walks
// of the fixed places and comes before its own walk's hourglass.
TEST_F(FolderWalkTest, FixedPlacesAreWalkedInOrderThenTheDocumentsFolder) {
    installFakeSysPlatform().folderResult = kFolderMissing;
    // Without a documents folder the last candidate lies at the root.
    const std::vector<std::string> candidates =
        os::kPathSeparator == '/'
            ? std::vector<std::string>{"/opt/morva", "/usr/local/morva", "/var/lib/velldata",
                                       "/srv/velldata", "/morvasoftware"}
            : std::vector<std::string>{"C:\\Program Files\\morva", "D:\\Program Files\\morva",
                                       "C:\\velldata", "D:\\velldata", "\\morvasoftware"};
    for (const std::string& folder : candidates)
        tree.folders[folder] = {1};
    auto recorder = std::make_unique<RecordingUi>();
    std::vector<std::string>& events = recorder->events;
    recorder->onMessageBox = [&](const MessageBoxRequest& box) { events.push_back(box.text); };
    installUi(std::move(recorder));
    FillFolderList(listView, tree);
    EXPECT_EQ(itemTextsOf(listView), candidates);
    EXPECT_EQ(events,
              (std::vector<std::string>{"hourglass", "default", "hourglass", "default", "hourglass",
                                        "default", "hourglass", "default",
                                        "The folder does not exist", "hourglass", "default"}));
    setSysPlatformForTesting(nullptr);
}

}  // namespace
