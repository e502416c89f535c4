// The comparison of two reports of one tree, made before and after known changes: it finds
// exactly those. Its reports, its JSON and its page are kept for the tests that read them with
// the other platform's program and in a browser.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/frm_report_configuration.h"
#include "bench/pe_image.h"
#include "inspect/reader_commands.h"
#include "report/tool_files.h"
#include "tests/inspect/export_fixture.h"
#include "tests/report/support/report_fixture.h"
#include "tests/sysinfo/fake_sys_platform.h"
#include "toolkit/ui/controls.h"

namespace {

using nlohmann::json;

const DateTime kFileDate{2005, 5, 20, 8, 30, 0};

// A version resource as the fake platform answers it for a program.
VersionBlock versionOf(const std::string& version) {
    const std::u16string text(version.begin(), version.end());
    return buildVersionBlock(
        {{{0x409, 1200}}, {{"040904B0", {{"FileVersion", text}, {"ProductVersion", text}}}}, {}});
}

class ReportCompare : public ReportTest {
protected:
    void SetUp() override {
        ReportTest::SetUp();
        fake_ = &installFakeSysPlatform();
        fake_->user = "ann";
        fake_->computer = "desk";
        fake_->windowsFolderText = nativePath("|usr|");
        fake_->driveList = {{"C:", DriveKind::Fixed}};
        fake_->space.totalFreeBytes = 12'000'000'000ull;
        fake_->memory = {45,         1ull << 33, 1ull << 32, 1ull << 34,
                         1ull << 33, 1ull << 40, 1ull << 39};
        // Two copies of one program: one of them going is one process gone.
        fake_->processes = {{10, true, true, "/bin/a"},
                            {11, true, true, "/bin/b"},
                            {12, true, true, "/bin/b"},
                            {13, true, true, "/bin/c"}};
    }
    void TearDown() override {
        setSysPlatformForTesting(nullptr);
        ReportTest::TearDown();
    }

    // Writes a file of the tree with the same date each time, as if only its content changed.
    void write(const std::string& name, const std::string& text) {
        setLastWrite(folder.write("app/" + name, text), kFileDate);
    }
    // The report of the tree with the folders numbered in `cleared` cleared, kept in the
    // exchange folder as `name`.
    std::string report(const std::string& name, std::vector<int> cleared = {}) {
        setProductFoldersForTesting(std::vector<std::string>{folder.file("app")});
        frmReportConfiguration form;
        form.Form_Load();
        for (int item : cleared)
            form.window().findAs<ListView>("lvFolders")->ListItems().Item(item).setChecked(false);
        form.cmdGather_Click();
        const std::string kept = std::string(CR_INSPECT_EXCHANGE) + "/" + name;
        std::filesystem::create_directories(std::filesystem::u8path(CR_INSPECT_EXCHANGE));
        std::filesystem::copy_file(std::filesystem::u8path(folder.file(kReportFileName)),
                                   std::filesystem::u8path(kept),
                                   std::filesystem::copy_options::overwrite_existing);
        return kept;
    }
    // Runs "compare OPTIONS... OLD NEW"; answers the exit status, keeps the output.
    int compare(const std::string& before, const std::string& after,
                const std::vector<std::string>& options, const std::string& keptAs) {
        std::vector<std::string> arguments = {"compare"};
        arguments.insert(arguments.end(), options.begin(), options.end());
        arguments.insert(arguments.end(), {before, after});
        std::ostringstream out, err;
        const int status = runReportReader(arguments, out, err);
        output = out.str();
        std::ofstream(std::filesystem::u8path(std::string(CR_INSPECT_EXCHANGE) + "/" + keptAs),
                      std::ios::binary)
            << output;
        return status;
    }

    FakeSysPlatform* fake_ = nullptr;
    std::string output;
};

// Between the two reports: a file added and one removed, a program's version changed, a line of
// a configuration file changed (its size and date kept), a folder cleared, a process gone. The
// configuration file also holds markup that would run in a browser.
TEST_F(ReportCompare, FindsExactlyTheChangesMadeBetweenTheReports) {
    const std::string settings =
        "mode=1\r\n<script>document.title='ran'</script>\r\nlevel=2\r\n"
        "<img src=x onerror=\"document.title='ran'\">\r\nname=x\r\n";
    write("settings.ini", settings);
    write("tool.exe", programWithVersion("1.0.0.0"));
    write("gone.dll", "old library");
    write("sub/sub.ini", "a=1\r\n");
    fake_->versionBlocks[folder.file("app/tool.exe")] = versionOf("1.0.0.0");
    const std::string before = report("old.htm");

    write("settings.ini", std::string(settings).replace(settings.find("level=2"), 7, "level=3"));
    fake_->versionBlocks[folder.file("app/tool.exe")] = versionOf("1.1.0.0");
    std::filesystem::remove(std::filesystem::u8path(folder.file("app/gone.dll")));
    write("new.dll", "new library");
    fake_->processes.erase(fake_->processes.begin() + 1);
    const std::string after = report("new.htm", {2});

    ASSERT_EQ(compare(before, after, {"--json"}, "comparison.json"), 1);
    const json found = json::parse(output);
    json summary = json::object();
    for (const char* kind : {"machineFacts", "drives", "processesStarted", "foldersAdded",
                             "foldersRemoved", "embeddedAdded", "embeddedRemoved"})
        summary[kind] = 0;
    for (const char* kind : {"processesGone", "foldersTickedDifferently", "filesAdded",
                             "filesRemoved", "filesChanged", "embeddedChanged"})
        summary[kind] = 1;
    EXPECT_EQ(found["summary"], summary);
    EXPECT_EQ(found["processesGone"], json({"/bin/b"}));
    EXPECT_EQ(found["foldersTickedDifferently"],
              json({{{"path", folder.file("app/sub")}, {"before", true}, {"after", false}}}));
    const json& changes = found["folders"][0];
    EXPECT_EQ(changes["path"], folder.file("app"));
    std::map<std::string, json> files;
    for (const json& file : changes["files"])
        files[file["name"]] = file;
    EXPECT_EQ(files["new.dll"]["before"], nullptr);
    EXPECT_EQ(files["gone.dll"]["after"], nullptr);
    EXPECT_EQ(files["tool.exe"]["before"]["version"], "1.0.0.0");
    EXPECT_EQ(files["tool.exe"]["after"]["version"], "1.1.0.0");
    EXPECT_EQ(files["tool.exe"]["before"]["size"], files["tool.exe"]["after"]["size"]);
    const json& hunk = changes["embedded"][0]["hunks"][0];
    EXPECT_EQ(changes["embedded"][0]["change"], "changed");
    json lines = json::array();
    for (const json& line : hunk["lines"])
        lines.push_back(line["change"].get<std::string>() + line["text"].get<std::string>());
    EXPECT_EQ(lines,
              json({" mode=1", " <script>document.title='ran'</script>", "-level=2", "+level=3",
                    " <img src=x onerror=\"document.title='ran'\">", " name=x"}));

    // A report named through a link gives the same comparison, its text's lines too.
    std::error_code linked;
    std::filesystem::create_symlink(std::filesystem::u8path(after),
                                    std::filesystem::u8path(folder.file("new-link.htm")), linked);
    if (!linked) {
        ASSERT_EQ(compare(before, folder.file("new-link.htm"), {"--json"}, "linked.json"), 1);
        EXPECT_EQ(json::parse(output)["folders"], found["folders"]);
    }

    EXPECT_EQ(compare(before, after, {}, "comparison.htm"), 1);
    EXPECT_EQ(output.find("<script"), std::string::npos);
    EXPECT_NE(output.find("&lt;script&gt;document.title=&#39;ran&#39;&lt;/script&gt;"),
              std::string::npos);
    EXPECT_EQ(compare(after, after, {}, "agree.htm"), 0);
    EXPECT_NE(output.find("\nThe reports agree: "), std::string::npos);
}

}  // namespace
