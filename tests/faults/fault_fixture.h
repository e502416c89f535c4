#pragma once

#include <string>
#include <vector>

#include "app/batch_run.h"
#include "app/frm_report_configuration.h"
#include "tests/report/support/report_fixture.h"

inline bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// A fault case: the real start-up and report run on the headless controls, in a fresh tool
// folder. The run returning proves that the tool ended by itself; ctest's timeout catches a
// hang.
class FaultTest : public ReportTest {
protected:
    // Runs the start-up and "Create Report" with `product` as the one candidate folder.
    void runReport(const std::string& product) {
        setProductFoldersForTesting(std::vector<std::string>{product});
        frmReportConfiguration form;
        form.Form_Load();
        form.cmdGather_Click();
    }

    std::string reportPath() const { return folder.file("morvasoftware_bug_report.htm"); }

    // The messages shown so far, one per line.
    std::string messagesShown() const {
        std::string all;
        for (const std::string& text : shownTexts())
            all += text + "\n";
        return all;
    }

    // Runs the report on `product`, checks that it is complete, links `folders` folder blocks
    // and holds every part of `shown` and none of `hidden`.
    void expectReport(const std::string& product, int folders,
                      const std::vector<std::string>& shown,
                      const std::vector<std::string>& hidden = {}) {
        runReport(product);
        EXPECT_TRUE(isCompleteReport(reportPath())) << messagesShown();
        const std::string text = folder.read("morvasoftware_bug_report.htm");
        EXPECT_EQ(occurrences(text, "<a href=#files"), folders);
        for (const std::string& part : shown)
            EXPECT_TRUE(contains(text, part)) << part;
        for (const std::string& part : hidden)
            EXPECT_FALSE(contains(text, part)) << part;
    }
};
