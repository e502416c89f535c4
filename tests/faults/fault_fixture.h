#pragma once

#include <string>
#include <vector>

#include "app/batch_run.h"
#include "app/frm_report_configuration.h"
#include "tests/inspect/export_fixture.h"
#include "tests/report/support/report_fixture.h"

// A fault case: the real start-up and report run on the headless controls, in a fresh tool
// folder. The run returning proves that the tool ended by itself; ctest's timeout catches a
// hang. The report's export must say what the disk held.
class FaultTest : public ReportTest {
protected:
    // Runs the start-up and "Create Report" with `product` as the one candidate folder, checks
    // that the report is complete, links `folders` folder blocks and holds every part of `shown`.
    void expectReport(const std::string& product, int folders,
                      const std::vector<std::string>& shown) {
        setProductFoldersForTesting(std::vector<std::string>{product});
        frmReportConfiguration form;
        form.Form_Load();
        form.cmdGather_Click();
        const std::string report = folder.file("morvasoftware_bug_report.htm");
        EXPECT_TRUE(isCompleteReport(report)) << testing::PrintToString(shownTexts());
        const std::string text = folder.read("morvasoftware_bug_report.htm");
        EXPECT_EQ(occurrences(text, "<a href=#files"), folders);
        for (const std::string& part : shown)
            EXPECT_NE(text.find(part), std::string::npos) << part;
        const Export exported = exportReport(report, std::to_string(folders), writersCodePage());
        EXPECT_EQ(exported.status, 0) << exported.errors;
        expectExportAgreesWithDisk(exported.json);
    }
};
