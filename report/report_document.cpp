#include "report/report_document.h"

#include <string>

#include "report/control_lookup.h"
#include "report/folder_section.h"
#include "report/mail_link.h"
#include "report/page_frame.h"
#include "report/read_text_file.h"
#include "report/report_masking.h"
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

void writeHead(cFileIO& report) {
    report.appendLine("<a name=top>");
    report.appendLine(GetHtmlHeader("Report - " + App().Path));
    report.appendLine("<BR>");
    report.appendLine("<table width=80% align=center bgcolor=lightsteelblue ><TR><TD><center>");
    report.appendLine(
        "If you are having problems with your application, you can email this report <a href=" +
        gReportPath + ">" + gReportPath + "</a> ");
    report.appendLine(" to <a href=" + GetSupportMailLink() + "><B>" + kSupportMailAddress +
                      "</B></a> ");
    report.appendLine(
        "    (or to send via the browser - go to the File Menu - Send - Page by Email)"
        "<BR></TD></TR></table></center>");
    if (const std::string notice = maskNoticeLine(); !notice.empty())
        report.appendLine(notice);
    report.appendLine("<HR>");
    report.appendLine("<a href=#sysinfo>Basic System Info</a><BR>");
    report.appendLine("<a href=#proc>List of Running Processes</a><BR>");
    report.appendLine("<BR>");
}

// A ticked folder links to its block; a cleared one is shown in grey and gets no block.
void writeFoldersToExamine(ListView& lvFolders, cFileIO& report) {
    report.appendLine("<a href=#top>back to Top</a><a name=sysinfo>");
    report.appendLine("<H3>List of Folders to Examine</H3>");
    ListItemCollection& items = lvFolders.ListItems();
    for (int i = 1; i <= items.Count(); ++i) {
        ListItem& item = items.Item(i);
        if (item.Checked())
            report.appendLine("<a href=#" + folderAnchorKey(i) + ">" + item.Text() + "</a><BR>");
        else
            report.appendLine("<font color=#C0C0C0>" + item.Text() + "</font><BR>");
    }
}

void writeSystemFacts(ListBox& lstDrives, cFileIO& report) {
    report.appendLine("<H1>Basic System Info</H1>");
    report.appendLine(" Report created on " +
                      FormatValue(nowLocal(), "DDD, dd-MMM-yyyy hh:mm:ss AMPM") + "<BR>");
    report.appendLine("userName = " + getUserName() + "<BR>");
    report.appendLine("Windows Directory = " + getWindowsDir() + "<BR>");
    report.appendLine("GetWinComputerName = " + getComputerName() + "<BR>");
    report.appendLine("version = " + std::to_string(gApp().getVersion()) +
                      " (1=95/98, 2=NT based)");
    report.appendLine("<H3>RAM Report</H3>");
    report.appendLine(getMemoryReport("<BR>"));
    report.appendLine("<H2>List of Free Space on Hard Drives</h2>");
    for (int index = 0; index < lstDrives.ListCount(); ++index) {
        const std::string drive = lstDrives.List(index);
        report.appendLine("Free Space on " + drive + " = " +
                          FormatValue(getFreeSpaceMB(drive), "###,###,###,### ") + "MB<BR>");
    }
}

void writeProcesses(cFileIO& report) {
    report.appendLine("<a href=#top>back to Top</a><a name=proc>");
    report.appendLine("<H1>List of Running Processes</H1>");
    report.appendLine("<BR>");
    report.appendLine(ReadTextFile(toolFile(kProcessListFileName), true, true, 0));
    report.appendLine("<BR>");
}

void writeFolderBlocks(Window& mainWindow, ListView& lvFolders, cFileIO& report) {
    report.appendLine("<a href=#top>back to Top</a><a name=files>");
    report.appendLine("<H1>List of Morva Folders Found</H1>");
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
    report.appendLine("<a href=#top>back to Top</a>");
    report.appendLine("<BR>");
    report.appendLine("</BODY></HTML>");
}
