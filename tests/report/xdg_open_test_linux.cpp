#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <string>

#include "report/document_launcher.h"
#include "tests/support/temp_folder.h"

namespace {

// launchDocument with a PATH that holds only a stand-in xdg-open.
class XdgOpenTest : public ::testing::Test {
protected:
    void SetUp() override { setenv("PATH", folder.makeFolder("bin").c_str(), 1); }
    void TearDown() override { setenv("PATH", savedPath_.c_str(), 1); }

    TempFolder folder;

private:
    std::string savedPath_ = std::getenv("PATH");
};

TEST_F(XdgOpenTest, OpenerVerdictMapsOntoShellResultsAndARunningViewerDoesNotHoldTheTool) {
    const std::string document = folder.write("report.htm", "<HTML></HTML>");
    EXPECT_EQ(launchDocument(document, ""), 31);  // no opener yet
    const std::pair<std::string, int> cases[] = {
        {"printf '%s' \"$1\" > " + folder.file("seen"), 33},
        {"exit 2", 2},
        {"exit 3", 31},
        {"exit 4", 31},
        {"exit 1", 0},
        {"kill -9 $$", 0},
        // A viewer that keeps running; it closes its error output, which ctest would wait for.
        {"exec 2>/dev/null; exec /bin/sleep 5", 33},
    };
    const auto start = std::chrono::steady_clock::now();
    for (const auto& [script, result] : cases) {
        const std::string opener = folder.write("bin/xdg-open", "#!/bin/sh\n" + script + "\n");
        chmod(opener.c_str(), 0755);
        EXPECT_EQ(launchDocument(document, ""), result) << script;
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(4));
    EXPECT_EQ(folder.read("seen"), document);
}

}  // namespace
