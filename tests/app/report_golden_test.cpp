#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>

#include "tests/app/app_fixture.h"
#include "tests/app/product_tree.h"
#include "toolkit/os/os_traits.h"
#include "toolkit/ui/application.h"

namespace {

// The expected report of this platform; separators and the order of drives differ.
std::string goldenFile() {
    return std::string(CR_GOLDEN_DIR) + "/report_" +
           (os::kPathSeparator == '/' ? "linux" : "win32") + ".htm";
}

std::string readBytes(const std::string& path) {
    std::ifstream in(std::filesystem::u8path(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void replaceAll(std::string& text, const std::string& from, const std::string& to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

// Replaces the text between `before` and `after` (both kept) with `mask`.
void maskBetween(std::string& text, const std::string& before, const std::string& after,
                 const std::string& mask) {
    const auto start = text.find(before);
    ASSERT_NE(start, std::string::npos) << before;
    const auto from = start + before.size();
    const auto end = text.find(after, from);
    ASSERT_NE(end, std::string::npos) << after;
    text.replace(from, end - from, mask);
}

// Masks what changes from run to run: the temporary folder, the machine's names, memory,
// drives, processes and the files' modification times. Everything else must match exactly.
std::string masked(std::string report, const std::string& tempFolder) {
    replaceAll(report, tempFolder, "{TEMP}");
    report = std::regex_replace(report, std::regex("\\d{4}/\\d\\d/\\d\\d \\d\\d:\\d\\d:\\d\\d"),
                                "{FILE DATE}");
    maskBetween(report, "userName = ", "<BR>", "{USER}");
    maskBetween(report, "Windows Directory = ", "<BR>", "{WINDOWS FOLDER}");
    maskBetween(report, "GetWinComputerName = ", "<BR>", "{COMPUTER}");
    // Only the memory figures change; their labels and line breaks are pinned.
    report = std::regex_replace(report, std::regex("\\d[\\d,]*(?= % used<BR>| Kbyte<BR>)"), "#");
    maskBetween(report, "<H2>List of Free Space on Hard Drives</h2>\r\n",
                "<a href=#top>back to Top</a><a name=proc>", "{DRIVES}\r\n");
    maskBetween(report, "<H1>List of Running Processes</H1>\r\n<BR>\r\n",
                "\r\n<BR>\r\n<a href=#top>back to Top</a><a name=files>", "{PROCESSES}");
    return report;
}

using ReportGoldenTest = MainWindowTest;

// To accept a changed report, run the test with CR_UPDATE_GOLDEN=1 (see golden/README.md)
// and read the difference of the golden files before committing it.
TEST_F(ReportGoldenTest, ReportOfAProductTreeMatchesTheGoldenFile) {
    App().EXEName = "configreport";
    App().Major = 1;
    App().Minor = 0;
    App().Revision = 3;
    setProductFoldersForTesting(buildProductTree(folder));
    App().Path = folder.makeFolder("tool");

    start();
    // The user clears "skipped" and insists: it is listed in grey and gets no block.
    planAnswer(MsgAnswer::No);
    toggleCheckBox(lvFolders(), 12);
    clickButton(cmdGather());

    EXPECT_EQ(boxesSeen().size(), 1u);
    const std::string actual =
        masked(folder.read("tool/morvasoftware_bug_report.htm"), folder.path());
    if (const char* update = std::getenv("CR_UPDATE_GOLDEN");
        update && std::string(update) == "1") {
        std::ofstream(std::filesystem::u8path(goldenFile()), std::ios::binary) << actual;
        GTEST_SKIP() << "wrote " << goldenFile();
    }
    const std::string expected = readBytes(goldenFile());
    ASSERT_FALSE(expected.empty()) << "no golden file " << goldenFile();
    EXPECT_EQ(actual, expected);  // GoogleTest shows a line diff
}

}  // namespace
