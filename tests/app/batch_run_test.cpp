#include "app/batch_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "sysinfo/system_facts.h"
#include "tests/app/app_fixture.h"
#include "tests/app/secret_tree.h"

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
    // The user's state folder was refused: start-up says so.
    App().PathNote = toolFolderNote(
        {folder.path(), os::FolderRefusal::NotTheUsers, "/home/u/.local/state/configreport", ""});
    EXPECT_EQ(run({"--open"}), 0);
    EXPECT_EQ(
        err.str(),
        "ConfigReport: The tool's folder /home/u/.local/state/configreport belongs to another "
        "user\nThe report and the tool's other files go to " +
            folder.path() + "\nConfigReport: Cant Save the file " + folder.file("style.css") +
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

TEST_F(BatchRunTest, MaskingHidesEverySecretAndNameOfTheTreeAndChangesNothingElse) {
    const std::string user = getUserName();
    const std::string computer = getComputerName();
    ASSERT_FALSE(user.empty() || computer.empty());
    setProductFoldersForTesting(std::vector<std::string>{writeSecretTree(folder, user, computer)});
    const char* const outputs[] = {"morvasoftware_bug_report.htm", "tool.log", "_tmpApps.txt",
                                   "_tmpFiles.txt"};

    // The first run creates style.css; the runs after it embed the file, as the masked ones do.
    ASSERT_EQ(run({}), 0);
    ASSERT_EQ(run({}), 0);
    const std::string plain =
        folder.write("plain.htm", folder.read("morvasoftware_bug_report.htm"));
    std::string expected = withoutRunFigures(folder.read("plain.htm"));
    for (const std::string_view secret : kSecrets)
        ASSERT_EQ(occurrences(expected, std::string(secret)), 1) << secret;
    // The finished report masked by the reader is the one the batch writes masked, byte for
    // byte, with the same counts, names or not.
    const auto expectMaskedByReaderAsByBatch = [&](const std::vector<std::string>& options) {
        const MaskRun masked = maskCopy(plain, folder.file("masked.htm"), options);
        EXPECT_EQ(masked.status, 0) << masked.errors;
        EXPECT_EQ(masked.errors, err.str());
        EXPECT_EQ(withoutRunFigures(folder.read("masked.htm")),
                  withoutRunFigures(folder.read("morvasoftware_bug_report.htm")));
    };

    ASSERT_EQ(run({"--mask"}), 0);
    EXPECT_EQ(err.str(), kSecretTreeCounts);
    expectMaskedByReaderAsByBatch({});
    for (const std::string_view secret : kSecrets)
        expected.replace(expected.find(secret), secret.size(), maskedFormOf(secret));
    expected.insert(expected.find("<HR>\r\n"),
                    "<BR>Secrets in this report are masked: ******** is not the real value.\r\n");
    EXPECT_EQ(withoutRunFigures(folder.read("morvasoftware_bug_report.htm")), expected);

    // The names go from every file the tool writes, the log with them: it starts afresh.
    std::filesystem::remove(std::filesystem::u8path(folder.file("tool.log")));
    err.str("");
    ASSERT_EQ(run({"--mask-names"}), 0);
    EXPECT_EQ(err.str(), kSecretTreeCounts);
    expectMaskedByReaderAsByBatch({"--mask-names"});
    for (const char* output : outputs) {
        const std::string written = folder.read(output);
        EXPECT_NE(written, "") << output;
        for (const std::string_view secret : kSecrets)
            EXPECT_EQ(written.find(secret), std::string::npos) << output << " " << secret;
        EXPECT_FALSE(holdsName(written, user)) << output;
        EXPECT_FALSE(holdsName(written, computer)) << output;
    }
    const std::string report = folder.read("morvasoftware_bug_report.htm");
    for (const char* placed :
         {"userName = [user]<BR>", "GetWinComputerName = [computer]<BR>", "owner=[user]<BR>",
          "host=[computer].local<BR>",
          "[user] and [computer] stand for the user's and the computer's names."})
        EXPECT_NE(report.find(placed), std::string::npos) << placed;
    for (const std::string& placed : {"\xff\xfe" + asUtf16("[user]"), asUtf16("owner=[user]")})
        EXPECT_NE(report.find(placed), std::string::npos) << placed;
}

}  // namespace
