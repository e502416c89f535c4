#include "report/report_document.h"

#include <string>

#include "report/control_lookup.h"
#include "report/folder_section.h"
#include "report/mail_link.h"
#include "report/page_frame.h"
#include "report/read_text_file.h"
#include "report/report_masking.h"
#include "report/report_text.h"
#include "report/tool_files.h"
#include "sysinfo/process_list.h"
#include "sysinfo/system_facts.h"
#include "toolkit/date_time.h"
#include "toolkit/file_io.h"
#include "toolkit/format_value.h"
#include "toolkit/program_state.h"
#include "toolkit/ui/application.h"
#include "toolkit/ui/controls.h"

namespace {

// Closes the report when writing ends, also through a failure, so that everything written up
// to that point reaches the disk.
class ClosesOnExit {
public:
    explicit ClosesOnExit(cFileIO& file) : file_(file) {}
    ~ClosesOnExit() { file_.closeFile(); }
    ClosesOnExit(const ClosesOnExit&) = delete;
    ClosesOnExit& operator=(const ClosesOnExit&) = delete;

private:
    cFileIO& file_;
};

using namespace reporttext;

void writeHead(cFileIO& report) {
    report.appendLine(kTopAnchor);
    report.appendLine(GetHtmlHeader(kTitlePrefix + App().Path));
    report.appendLine(kBreak);
    report.appendLine(kMailBoxStart);
    report.appendLine(kReportLinkStart + gReportPath + ">" + gReportPath + kReportLinkEnd);
    report.appendLine(kMailLinkStart + GetSupportMailLink() + "><B>" + kSupportMailAddress +
                      kMailLinkEnd);
    report.appendLine(kMailBoxEnd);
    if (const std::string notice = maskNoticeLine(); !notice.empty())
        report.appendLine(notice);
    report.appendLine(kRule);
    report.appendLine(kIndexFacts);
    report.appendLine(kIndexProcesses);
    report.appendLine(kBreak);
}

// A ticked folder links to its block; a cleared one is shown in grey and gets no block.
void writeFoldersToExamine(ListView& lvFolders, cFileIO& report) {
    report.appendLine(std::string(kBackToTop) + kFactsAnchor);
    report.appendLine(kFolderListHeading);
    ListItemCollection& items = lvFolders.ListItems();
    for (int i = 1; i <= items.Count(); ++i) {
        ListItem& item = items.Item(i);
        if (item.Checked())
            report.appendLine(kTickedFolderStart + folderAnchorKey(i) + ">" + item.Text() +
                              kTickedFolderEnd);
        else
            report.appendLine(kClearedFolderStart + item.Text() + kClearedFolderEnd);
    }
}

void writeSystemFacts(ListBox& lstDrives, cFileIO& report) {
    report.appendLine(kFactsHeading);
    report.appendLine(kCreatedLabel + FormatValue(nowLocal(), kCreatedPattern) + kBreak);
    report.appendLine(kUserLabel + getUserName() + kBreak);
    report.appendLine(kWindowsFolderLabel + getWindowsDir() + kBreak);
    report.appendLine(kComputerLabel + getComputerName() + kBreak);
    report.appendLine(kFamilyLabel + std::to_string(gApp().getVersion()) + kFamilyEnd);
    report.appendLine(kMemoryHeading);
    report.appendLine(getMemoryReport(kBreak));
    report.appendLine(kDrivesHeading);
    for (int index = 0; index < lstDrives.ListCount(); ++index) {
        const std::string drive = lstDrives.List(index);
        report.appendLine(kDriveStart + drive + kDriveMiddle +
                          FormatValue(getFreeSpaceMB(drive), kFreeSpacePattern) + kDriveEnd);
    }
}

void writeProcesses(cFileIO& report) {
    report.appendLine(std::string(kBackToTop) + kProcessesAnchor);
    report.appendLine(kProcessesHeading);
    report.appendLine(kBreak);
    report.appendLine(ReadTextFile(toolFile(kProcessListFileName), true, true, 0));
    report.appendLine(kBreak);
}

void writeFolderBlocks(Window& mainWindow, ListView& lvFolders, cFileIO& report) {
    report.appendLine(std::string(kBackToTop) + kFoldersAnchor);
    report.appendLine(kFoldersHeading);
    ListItemCollection& items = lvFolders.ListItems();
    for (int i = 1; i <= items.Count(); ++i) {
        ListItem& item = items.Item(i);
        if (item.Checked())
            writeFolderSection(mainWindow, i, item.Text(), report);
    }
}

}  // namespace

void writeReport(Window& mainWindow) {
    ListView& lvFolders = controlNamed<ListView>(mainWindow, "lvFolders");
    ListBox& lstDrives = controlNamed<ListBox>(mainWindow, "lstDrives");

    cFileIO report;
    report.init(gReportPath);
    report.Clear();
    report.openFile("APPEND", true);
    ClosesOnExit closes(report);

    writeHead(report);
    writeFoldersToExamine(lvFolders, report);
    writeSystemFacts(lstDrives, report);
    writeProcesses(report);
    writeFolderBlocks(mainWindow, lvFolders, report);
    report.appendLine(reporttext::kBackToTop);
    report.appendLine(reporttext::kBreak);
    report.appendLine(reporttext::kPageEnd);
}
