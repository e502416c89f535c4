// The export of reports that the tool writes here and now: it must say what the machine and the
// disk held when the report was made.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/frm_report_configuration.h"
#include "inspect/reader_commands.h"
#include "report/secret_mask.h"
#include "report/tool_files.h"
#include "sysinfo/process_list.h"
#include "sysinfo/system_facts.h"
#include "tests/app/product_tree.h"
#include "tests/app/secret_tree.h"
#include "tests/inspect/export_fixture.h"
#include "tests/report/support/report_fixture.h"
#include "toolkit/log.h"
#include "toolkit/program_state.h"
#include "toolkit/ui/application.h"

namespace {

using nlohmann::json;

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find("\r\n", at);
        lines.push_back(text.substr(at, end - at));
        at = end == std::string::npos ? text.size() : end + 2;
    }
    return lines;
}

class ReportExport : public ReportTest {
protected:
    // The report of `products`, made as "Create Report" makes it with every folder ticked.
    std::string makeReport(const std::vector<std::string>& products) {
        setProductFoldersForTesting(products);
        frmReportConfiguration form;
        form.Form_Load();
        form.cmdGather_Click();
        return folder.file(kReportFileName);
    }
};

// The golden report's tree, and beside it texts with markup that a browser would run: each
// embedded file's text is exactly the file's, and each kind of markup is flagged on its file.
TEST_F(ReportExport, TheExportSaysWhatTheMachineAndTheDiskHeld) {
    std::vector<std::string> products = buildProductTree(folder);
    const std::map<std::string, json> markup = {
        {"script.ini", {"script-element"}},
        {"handler.log", {"event-handler"}},
        {"links.txt", {"frame-or-object", "javascript-link"}},
        {"imitation.ini", json::array()},
    };
    folder.write("install/hostile/script.ini", "<script>document.title='ran'</script>\r\n");
    folder.write("install/hostile/handler.log", "<img src=x onerror=\"alert(1)\">\r\n");
    folder.write("install/hostile/links.txt",
                 "<a href=\"jav&#x61;script:alert(1)\">x</a>\r\n<iframe src=x></iframe>\r\n");
    folder.write("install/hostile/imitation.ini",
                 "<a name=files3><H1>\r\n\r\nWARNING - FILE NOT FULLY LOADED (maxLines = 400\r\n"
                 "</td></tr></TABLE>\r\n");
    products.push_back(folder.file("install/hostile"));

    const Export made = exportReport(makeReport(products), "tree", writersCodePage());
    EXPECT_EQ(made.status, 0) << made.errors;
    expectExportAgreesWithDisk(made.json);

    const json& exported = made.json;
    EXPECT_EQ(exported["toolProgram"], App().EXEName);
    EXPECT_EQ(exported["toolVersion"], gLog().getAppVersionNum());
    EXPECT_EQ(exported["toolFolder"], App().Path);
    EXPECT_EQ(exported["reportPath"], gReportPath);
    EXPECT_EQ(exported["created"], "2005-05-22T14:05:09");
    EXPECT_EQ(exported["machine"]["user"], getUserName());
    EXPECT_EQ(exported["machine"]["computer"], getComputerName());
    EXPECT_EQ(exported["machine"]["windowsFolder"], getWindowsDir());
    EXPECT_EQ(exported["machine"]["osFamily"], gApp().getVersion());
    EXPECT_GT(exported["machine"]["memory"]["totalPhysicalKB"], 0);
    EXPECT_EQ(exported["processes"], json(linesOf(folder.read(kProcessListFileName))));
    EXPECT_EQ(exported["complete"], true);

    // morva and its nine folders, vell, skipped (ticked too) and hostile; "missing" is none.
    ASSERT_EQ(exported["folders"].size(), 13u);
    const json& hostile = exported["folders"][12];
    EXPECT_EQ(hostile["path"], folder.file("install/hostile"));
    ASSERT_EQ(hostile["embedded"].size(), markup.size());
    for (const json& embedded : hostile["embedded"])
        EXPECT_EQ(embedded["activeMarkup"], markup.at(embedded["name"])) << embedded["name"];
}

// A report that the window made, masked by the reader: no secret of the tree is left, its export
// is the plain report's but for the masked values, and masking it again changes nothing but the
// notice where the names go too.
TEST_F(ReportExport, AMaskedReportHoldsNoSecretAndReadsAsThePlainOneButForTheSecrets) {
    const std::string user = getUserName();
    const std::string computer = getComputerName();
    const std::string plain = makeReport({writeSecretTree(folder, user, computer)});
    const std::vector<std::string> codePage = writersCodePage();
    const MaskRun run = maskCopy(plain, folder.file("masked.htm"), codePage);
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(run.errors, kSecretTreeCounts);
    const std::string masked = folder.read("masked.htm");
    std::string expected = exportReport(plain, "plain", codePage).json.dump();
    // Each as the JSON writes it: a zero byte of a UTF-16 secret as \u0000.
    const auto inJson = [](std::string_view text) {
        const std::string quoted = nlohmann::json(std::string(text)).dump();
        return quoted.substr(1, quoted.size() - 2);
    };
    for (const std::string_view secret : kSecrets) {
        EXPECT_EQ(masked.find(secret), std::string::npos) << secret;
        expected.replace(expected.find(inJson(secret)), inJson(secret).size(),
                         inJson(maskedFormOf(secret)));
    }
    EXPECT_EQ(exportReport(folder.file("masked.htm"), "masked", codePage).json.dump(), expected);

    const std::string notice = "<BR>Secrets in this report are masked: ";
    const std::string namesNotice = "; [user] and [computer] stand for";
    struct Again {
        const char* from;
        std::vector<std::string> options;
        const char* errors;
        std::function<void(const std::string&)> expect;
    };
    const Again rows[] = {
        {"masked.htm",
         {},
         "Masked: nothing\n",
         [&](const std::string& again) { EXPECT_EQ(again, masked); }},
        {"masked.htm",
         {"--mask-names"},
         "Masked: nothing\n",
         [&](const std::string& again) {
             EXPECT_EQ(occurrences(again, notice), 1);
             EXPECT_EQ(occurrences(again, namesNotice), 1);
             EXPECT_FALSE(holdsName(again, user));
             EXPECT_FALSE(holdsName(again, computer));
         }},
        {"again1.htm",
         {},
         "Masked: nothing\n",
         [&](const std::string& again) { EXPECT_EQ(again, folder.read("again1.htm")); }},
        {"again1.htm",
         {"--mask-names"},
         "Masked: nothing\n",
         [&](const std::string& again) { EXPECT_EQ(again, folder.read("again1.htm")); }},
    };
    for (const Again& row : rows) {
        const std::string again = "again" + std::to_string(&row - rows) + ".htm";
        std::vector<std::string> options = row.options;
        options.insert(options.end(), codePage.begin(), codePage.end());
        const MaskRun made = maskCopy(folder.file(row.from), folder.file(again), options);
        EXPECT_EQ(made.status, 0) << again;
        EXPECT_EQ(made.errors, row.errors) << again;
        row.expect(folder.read(again));
    }
}

// What the reader refuses or cannot read whole, and what it says of it.
TEST_F(ReportExport, MaskRefusesItsOwnReportAndTellsWhatItCouldNotRead) {
    const std::string report = makeReport({writeSecretTree(folder, "u", "c")});
    const std::string whole = folder.read(kReportFileName);
    const std::string cut = folder.write("cut.htm", whole.substr(0, whole.size() / 2));
    const std::string notReport = folder.write("notes.txt", "password=x\r\n");
    folder.makeFolder("sub");
    const struct {
        std::vector<std::string> arguments;
        int status;
        const char* told;
        bool written;
    } rows[] = {
        {{"mask", report, "-o", folder.file("sub/../" + std::string(kReportFileName))},
         2,
         "The masked copy must go to another file than the report: ",
         false},
        {{"json", report, "-o", folder.file("sub/../" + std::string(kReportFileName))},
         2,
         "The export must go to another file than the report: ",
         false},
        {{"compare", cut, report, "-o", report},
         2,
         "The comparison must go to another file than the report: ",
         false},
        {{"mask", cut, "-o", folder.file("out.htm")}, 1, "the report ends after this line", true},
        {{"mask", notReport, "-o", folder.file("out.htm")},
         2,
         "expected the report's first line; the line is masked as a line of text",
         false},
        {{"mask", folder.file("missing.htm"), "-o", folder.file("out.htm")},
         2,
         "cannot be opened",
         false},
        {{"mask", report}, 2, "Usage: ", false},
        {{"json", "--mask-names", report}, 2, "Usage: ", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.arguments[1]);
        std::filesystem::remove(std::filesystem::u8path(folder.file("out.htm")));
        std::ostringstream out, err;
        EXPECT_EQ(runReportReader(row.arguments, out, err), row.status);
        EXPECT_NE(err.str().find(row.told), std::string::npos) << err.str();
        EXPECT_EQ(folder.read("out.htm") != "", row.written);
        EXPECT_EQ(folder.read(kReportFileName), whole);
    }
}

// The report and the output that the user names are followed through a link, and the output
// may be a device.
TEST_F(ReportExport, NamesAreFollowedThroughLinksAndTheOutputMayBeADevice) {
    namespace fs = std::filesystem;
    const std::string report = makeReport({writeSecretTree(folder, "u", "c")});
    std::error_code linked;
    fs::create_symlink(fs::u8path(report), fs::u8path(folder.file("report-link.htm")), linked);
    if (!linked)
        fs::create_symlink(fs::u8path(folder.file("out.json")),
                           fs::u8path(folder.file("out-link.json")), linked);
    if (linked)
        GTEST_SKIP() << "no symbolic links here: " << linked.message();
    std::ostringstream direct, out, err;
    EXPECT_EQ(runReportReader({"json", report}, direct, err), 0);
    EXPECT_EQ(
        runReportReader(
            {"json", folder.file("report-link.htm"), "-o", folder.file("out-link.json")}, out, err),
        0)
        << err.str();
    EXPECT_EQ(folder.read("out.json"), direct.str());
    EXPECT_EQ(runReportReader({"mask", report, "-o", folder.file("report-link.htm")}, out, err), 2);
    // A copy that is no masked report is taken back from the file a link names, the link kept.
    const std::string notReport = folder.write("notes.txt", "password=x\r\n");
    EXPECT_EQ(runReportReader({"mask", notReport, "-o", folder.file("out-link.json")}, out, err),
              2);
    EXPECT_TRUE(fs::is_symlink(fs::u8path(folder.file("out-link.json"))));
    EXPECT_EQ(folder.read("out.json"), "");
    if (fs::is_character_file("/dev/null")) {
        EXPECT_EQ(runReportReader({"mask", report, "-o", "/dev/null"}, out, err), 0) << err.str();
    }
}

}  // namespace
