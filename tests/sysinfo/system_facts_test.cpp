#include "sysinfo/system_facts.h"

#include <gtest/gtest.h>

#include <limits>
#include <utility>

#include "tests/sysinfo/fake_sys_platform.h"
#include "toolkit/ui/headless/headless_ui.h"

namespace {

class SystemFactsTest : public ::testing::Test {
protected:
    FakeSysPlatform& fake = installFakeSysPlatform();
    HeadlessUi& headless = installHeadlessUi();
};

TEST_F(SystemFactsTest, MemoryReportHasSevenLinesInKilobytes) {
    fake.memory = {45, 536330240, 1024 * 1000, 8ull << 30, 0, 2047, 1536};
    EXPECT_EQ(getMemoryReport("<BR>"),
              "45 % used<BR>"
              "TotalPhys     = 523,760 Kbyte<BR>"
              "AvailPhys     = 1,000 Kbyte<BR>"
              "TotalPageFile = 8,388,608 Kbyte<BR>"
              "AvailPageFile =  Kbyte<BR>"
              "TotalVirtual  = 2 Kbyte<BR>"
              "AvailVirtual  = 2 Kbyte<BR>");
}

TEST_F(SystemFactsTest, FreeSpaceIsTotalFreeBytesInMillionsRoundedHalfToEven) {
    const std::pair<std::uint64_t, int> cases[] = {
        {0, 0},
        {1499949, 1},
        {1499950, 2},  // 14,999.5 hundreds round to 15,000, which is exactly 1.5 millions
        {2500000, 2},
        {3500000, 4},
        {500000000000ull, 500000},
        {std::numeric_limits<std::uint64_t>::max(), std::numeric_limits<std::int32_t>::max()},
    };
    for (const auto& [bytes, megabytes] : cases) {
        fake.space.totalFreeBytes = bytes;
        EXPECT_EQ(getFreeSpaceMB("C:"), megabytes) << bytes;
    }
}

TEST_F(SystemFactsTest, NamesAreCutByTheirReportedSizesAndAskedOnce) {
    const auto names = [] { return getUserName() + "/" + getComputerName(); };
    EXPECT_EQ(names(), "/") << "a failed query is not cached";
    fake.user = fake.computer = "";
    EXPECT_EQ(names(), "/") << "nor an empty name";
    fake.user = "alice";
    fake.computer = "DESK-01";
    EXPECT_EQ(names(), "alice/DESK-01");
    fake.user = "bob";
    fake.computer = "DESK-02";
    EXPECT_EQ(names(), "alice/DESK-01");
}

TEST_F(SystemFactsTest, WindowsFolderEndsWithExactlyOneSeparator) {
    const std::pair<std::string, std::string> cases[] = {
        {"C:|WINDOWS", "C:|WINDOWS|"},
        {"C:|", "C:|"},
        {std::string("C:|WINDOWS\0junk", 15), "C:|WINDOWS|"},
        {"  D:|WIN  ", "D:|WIN|"},
        {"C:|" + std::string(300, 'w'), "C:|" + std::string(300, 'w') + "|"},  // asked again
        {"", ""},                                                              // the query fails
    };
    for (const auto& [answer, expected] : cases) {
        fake.windowsFolderText = nativePath(answer);
        EXPECT_EQ(getWindowsDir(), nativePath(expected));
    }
}

TEST_F(SystemFactsTest, SpecialFolderFailuresShowTheirMessageAndDocumentsAreFolderFive) {
    const std::pair<std::uint32_t, std::string> cases[] = {
        {kFolderFound, "C:\\Users\\alice\\Documents"},
        {kFolderMissing, ""},
        {kFolderIdInvalid, ""},
        {0x80004005, ""},
    };
    fake.folderPath = "C:\\Users\\alice\\Documents";
    for (const auto& [result, folder] : cases) {
        fake.folderResult = result;
        EXPECT_EQ(getMyDocumentsFolder(), folder) << result;
    }
    std::vector<std::string> shown;
    for (const MessageBoxRequest& box : headless.shown) {
        shown.push_back(box.text);
        EXPECT_EQ(box.buttons, MsgButtons::OK);
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"The folder does not exist",
                                               "An invalid folder ID was specified"}));
    EXPECT_EQ(fake.folderIdsAsked, std::vector<int>(4, 5));
}

}  // namespace
