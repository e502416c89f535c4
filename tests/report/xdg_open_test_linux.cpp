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

    int openWith(const std::string& script) {
        const std::string opener = folder.write("bin/xdg-open", "#!/bin/sh\n" + script + "\n");
        chmod(opener.c_str(), 0755);
        return launchDocument(document, "");
    }

    TempFolder folder;
    const std::string document = folder.write("report.htm", "<HTML></HTML>");

private:
    std::string savedPath_ = std::getenv("PATH");
};

TEST_F(XdgOpenTest, OpenerVerdictMapsOntoShellResults) {
    EXPECT_EQ(launchDocument(document, ""), 31);  // no opener yet
    const std::pair<std::string, int> cases[] = {
        {"printf '%s' \"$1\" > " + folder.file("seen"), 33},
        {"exit 2", 2},
        {"exit 3", 31},
        {"exit 4", 31},
        {"exit 1", 0},
        {"kill -9 $$", 0},
    };
    for (const auto& [script, result] : cases)
        EXPECT_EQ(openWith(script), result) << script;
    EXPECT_EQ(folder.read("seen"), document);
}

TEST_F(XdgOpenTest, ViewerThatKeepsRunningDoesNotHoldTheTool) {
    const auto start = std::chrono::steady_clock::now();
    // The stand-in closes its error output, which ctest would otherwise wait for.
    EXPECT_EQ(openWith("exec 2>/dev/null; exec /bin/sleep 5"), 33);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(4));
}

}  // namespace
