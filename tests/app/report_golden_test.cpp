#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>

#include "bench/pe_image.h"
#include "tests/app/app_fixture.h"
#include "tests/support/hidden_file.h"
#include "toolkit/os/os_traits.h"
#include "toolkit/ui/application.h"

namespace {

std::string lines(int count, const std::string& text) {
    std::string all;
    for (int line = 1; line <= count; ++line)
        all += text + " " + std::to_string(line) + "\r\n";
    return all;
}

// A product installation under `temp`: "install/morva" with a chain of nested folders, each
// holding at most one subfolder and one visible file, so that the report does not depend on
// the order in which a folder's entries are listed. Between them: a config file, a program with
// a version resource and one without, a hidden file, a log of 250 lines, a data file of this
// year (2005) without line ends and one that only looks like one, a file named like the
// tool's own list, a config file of 450 lines, non-ASCII names and an empty folder. Beside it
// "install/vell" holds a config file named without extension, and "install/skipped" one
// that a report leaves out when the user clears its folder. Answers the product folders to
// examine: morva, a missing "install/missing", vell and skipped.
std::vector<std::string> buildProductTree(const TempFolder& temp) {
    std::string folder = "install/morva";
    auto next = [&folder](const std::string& name) { return folder += "/" + name; };
    temp.write(folder + "/setup.ini", "[Setup]\r\nPath=C:\\Morva\r\nName=<Morva & Co>\r\n");
    temp.write(next("bin") + "/tool.exe", programWithVersion("3.2.1.0"));
    hideFile(temp.write(folder + "/.secret.ini", "password=none\r\n"));
    temp.write(next("logs") + "/app.log", lines(250, "2005-05-22 14:05:09 event"));
    temp.write(next("data") + "/D2005-05-22.DAT", "1;2;3;4;5;6;7;8;9");
    temp.write(next("\u00DCnic\u00F8de") + "/notes-\u00E9.txt", "Gr\u00FC\u00DFe\r\n");
    temp.write(next("old") + "/d2005x.dat", "not this year's data\r\n");
    temp.write(next("own") + "/_tmpApps.txt", "a list of the tool's own\r\n");
    temp.write(next("setup") + "/Setup.Exe", "no version resource");
    temp.write(next("big") + "/big.txt", lines(450, "setting"));
    temp.makeFolder(next("empty"));
    temp.write("install/vell/CHANGE", "changed\r\n");
    temp.write("install/skipped/ignored.ini", "not in the report\r\n");
    return {temp.file("install/morva"), temp.file("install/missing"), temp.file("install/vell"),
            temp.file("install/skipped")};
}

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
