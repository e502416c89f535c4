// The export of reports that the tool writes here and now: it must say what the machine and the
// disk held when the report was made.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "app/frm_report_configuration.h"
#include "report/tool_files.h"
#include "sysinfo/process_list.h"
#include "sysinfo/system_facts.h"
#include "tests/app/product_tree.h"
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

}  // namespace
