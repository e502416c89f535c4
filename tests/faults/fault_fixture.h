#pragma once

#include <string>
#include <vector>

#include "app/batch_run.h"
#include "app/frm_report_configuration.h"
#include "tests/report/support/report_fixture.h"

// A fault case: the real start-up and report run on the headless controls, with the tool
// folder in a fresh temporary folder and the product folders the test names. The run itself
// returning is the proof that the tool ended by itself; ctest's timeout catches a hang.
class FaultTest : public ReportTest {
protected:
    // Runs the start-up and "Create Report" with `products` as the candidate folders.
    void runReport(const std::vector<std::string>& products) {
        setProductFoldersForTesting(products);
        frmReportConfiguration form;
        form.Form_Load();
        form.cmdGather_Click();
    }

    std::string reportPath() const { return folder.file("morvasoftware_bug_report.htm"); }
    std::string reportText() const { return folder.read("morvasoftware_bug_report.htm"); }
    bool reportIsComplete() const { return isCompleteReport(reportPath()); }

    // The messages shown so far, one per line, to print when a case fails.
    std::string messagesShown() {
        std::string all;
        for (const MessageBoxRequest& box : headless().shown)
            all += box.text + "\n";
        return all;
    }
};

inline int occurrences(const std::string& text, const std::string& part) {
    int count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

// The folders of the report's list of folders to examine, in order.
inline std::vector<std::string> listedFolders(const std::string& text) {
    const std::string open = "<a href=#files";
    const std::string close = "</a><BR>\r\n";
    std::vector<std::string> folders;
    for (auto at = text.find(open); at != std::string::npos; at = text.find(open, at + 1)) {
        const auto start = text.find('>', at) + 1;
        folders.push_back(text.substr(start, text.find(close, start) - start));
    }
    return folders;
}

inline bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}
