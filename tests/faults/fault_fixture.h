#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/batch_run.h"
#include "app/frm_report_configuration.h"
#include "tests/report/support/report_fixture.h"

inline bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

inline std::size_t occurrences(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

// A fault case: the real start-up and report run on the headless controls, with the tool
// folder in a fresh temporary folder and the product folder the test names. The run itself
// returning is the proof that the tool ended by itself; ctest's timeout catches a hang.
class FaultTest : public ReportTest {
protected:
    // Runs the start-up and "Create Report" with `product` as the one candidate folder.
    virtual void runReport(const std::string& product) {
        setProductFoldersForTesting(std::vector<std::string>{product});
        frmReportConfiguration form;
        form.Form_Load();
        afterStartUp();
        form.cmdGather_Click();
    }

    // What changes on disk while the window is open, between the start-up and the report.
    std::function<void()> afterStartUp = [] {};

    std::string reportPath() const { return folder.file("morvasoftware_bug_report.htm"); }
    std::string reportText() const { return folder.read("morvasoftware_bug_report.htm"); }

    // The messages shown so far, one per line, to print when a case fails.
    std::string messagesShown() {
        std::string all;
        for (const MessageBoxRequest& box : headless().shown)
            all += box.text + "\n";
        return all;
    }

    // Runs the report on `product` and checks that it is complete, lists `folders` folders and
    // holds every part of `shown` and none of `hidden`. Answers the report's text.
    std::string expectReport(const std::string& product, std::size_t folders,
                             const std::vector<std::string>& shown,
                             const std::vector<std::string>& hidden = {}) {
        runReport(product);
        EXPECT_TRUE(isCompleteReport(reportPath())) << messagesShown();
        const std::string text = reportText();
        // Each folder of the list of folders to examine links to its block.
        EXPECT_EQ(occurrences(text, "<a href=#files"), folders);
        for (const std::string& part : shown)
            EXPECT_TRUE(contains(text, part)) << part;
        for (const std::string& part : hidden)
            EXPECT_FALSE(contains(text, part)) << part;
        return text;
    }
};
