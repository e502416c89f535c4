#include "app/batch_run.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "tests/app/app_fixture.h"

namespace {

// The unattended run in a fresh tool folder, with no product folder candidates.
class BatchRunTest : public MainWindowTest {
protected:
    int run(const std::vector<std::string>& arguments) { return runBatch(arguments, out, err); }

    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(BatchRunTest, WritesTheReportBesideTheToolNamesItAndOpensItOnlyWhenAsked) {
    EXPECT_EQ(run({}), 0);
    const std::string report = folder.file("morvasoftware_bug_report.htm");
    EXPECT_EQ(out.str(), report + "\n");
    EXPECT_EQ(err.str(), "");
    EXPECT_TRUE(launched.empty());
    EXPECT_NE(folder.read("style.css"), "");
    EXPECT_NE(logText().find("Creating deafult style.css file, because none existed. = " +
                             folder.file("style.css") + "\r\n"),
              std::string::npos);
    EXPECT_EQ(run({"--open"}), 0);
    EXPECT_EQ(launched, std::vector<std::string>{report});
}

TEST_F(BatchRunTest, MessagesGoToStandardErrorAndAreAnsweredByDefault) {
    launchResult = 31;
    folder.makeFolder("style.css");  // the default style sheet cannot be saved
    EXPECT_EQ(run({"--open"}), 0);
    EXPECT_EQ(err.str(), "ConfigReport: Cant Save the file " + folder.file("style.css") +
                             "\nConfigReport: No association for file extension\n");
}

TEST_F(BatchRunTest, ExitStatusFollowsTheArgumentsAndTheReport) {
    App().Major = 2;
    App().Minor = 5;
    App().Revision = 17;
    EXPECT_EQ(run({"--version", "--bogus"}), 0);
    EXPECT_EQ(out.str(), "tool v2.5   (build 17)\n");
    EXPECT_EQ(folder.read("morvasoftware_bug_report.htm"), "");
    EXPECT_EQ(run({"--help"}), 0);
    EXPECT_NE(out.str().find("--open"), std::string::npos);
    EXPECT_EQ(run({"--open", "--bogus"}), 2);
    EXPECT_EQ(err.str().rfind("Unknown argument: --bogus\n", 0), 0u);
    EXPECT_EQ(folder.read("morvasoftware_bug_report.htm"), "");
    folder.makeFolder("morvasoftware_bug_report.htm");
    EXPECT_EQ(run({}), 1);
    // The message's CR LF reaches the terminal as LF alone.
    EXPECT_NE(err.str().find("ConfigReport: An error occurred appending to file " +
                             folder.file("morvasoftware_bug_report.htm") + "\nErr = "),
              std::string::npos);
}

TEST_F(BatchRunTest, ReportIsCompleteOnlyWhenItEndsWithTheClosingLine) {
    EXPECT_TRUE(isCompleteReport(folder.write("r.htm", "<HTML>\r\n</BODY></HTML>\r\n")));
    for (const char* cut : {"", "ODY></HTML>\r\n", "</BODY></HTML>", "</BODY></HTML>\r\n<BR>\r\n"})
        EXPECT_FALSE(isCompleteReport(folder.write("r.htm", cut))) << cut;
    EXPECT_FALSE(isCompleteReport(folder.file("missing.htm")));
}

}  // namespace
