#include <initializer_list>
#include <string>

#include "inspect/comparison_output.h"
#include "inspect/output.h"
#include "inspect/report_values.h"
#include "inspect/text_diff.h"
#include "report/page_frame.h"
#include "report/report_text.h"

namespace {

// The page's own rules, after the report's style block: changed lines keep their spaces.
constexpr const char* kDiffStyle =
    "<STYLE>\n"
    "TD.line { font-family:monospace; white-space:pre-wrap; }\n"
    "TD.added { font-family:monospace; white-space:pre-wrap; background:#DDFFDD; }\n"
    "TD.removed { font-family:monospace; white-space:pre-wrap; background:#FFDDDD; }\n"
    "</STYLE>\n";

std::string escaped(std::string_view text) {
    std::string html;
    html.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '&':
                html += "&amp;";
                break;
            case '<':
                html += "&lt;";
                break;
            case '>':
                html += "&gt;";
                break;
            case '"':
                html += "&quot;";
                break;
            case '\'':
                html += "&#39;";
                break;
            default:
                html += c;
        }
    }
    return html;
}

std::string dateText(const std::optional<DateTime>& when) {
    return when ? isoDateTime(*when) : std::string();
}

std::string sizeText(const std::optional<std::int64_t>& size) {
    return size ? std::to_string(*size) : std::string();
}

class Page {
public:
    explicit Page(Output& output) : output_(output) {}

    void line(const std::string& html) {
        text_ += html;
        text_ += '\n';
        if (text_.size() > 64 * 1024)
            flush();
    }
    // A table row of escaped texts.
    void row(std::initializer_list<std::string> cells, const char* cellClass = nullptr) {
        std::string html = "<TR>";
        for (const std::string& cell : cells) {
            html += cellClass != nullptr ? std::string("<TD class=") + cellClass + ">" : "<TD>";
            html += escaped(cell) + "</TD>";
        }
        line(html + "</TR>");
    }
    void tableStart(const char* colour, std::initializer_list<std::string> headings) {
        line(std::string("<TABLE border=2 valign=top align=center bgcolor=") + colour + ">");
        std::string html = "<TR>";
        for (const std::string& heading : headings)
            html += "<TD><B>" + escaped(heading) + "</B></TD>";
        line(html + "</TR>");
    }
    void flush() {
        output_.write(text_);
        text_.clear();
    }

private:
    Output& output_;
    std::string text_;
};

void writeHead(Page& page, const ComparedReports& reports) {
    page.line("<HTML><head>");
    page.line("<meta charset=utf-8>");
    // Nothing on the page may run, whatever a report holds: no script, frame or object loads.
    page.line(
        "<meta http-equiv=Content-Security-Policy "
        "content=\"default-src 'none'; style-src 'unsafe-inline'\">");
    page.line("<title>Comparison of " + escaped(reports.before.fileName) + " and " +
              escaped(reports.after.fileName) + "</title>");
    page.line(defaultStyleBlock() + kDiffStyle + "</head>");
    page.line("<BODY>");
}

void writeReports(Page& page, const ComparedReports& reports) {
    page.line("<H2>Comparison of reports</H2>");
    page.tableStart("lightsteelblue", {"", "Before", "After"});
    const ReportIndex& a = reports.before;
    const ReportIndex& b = reports.after;
    page.row({"Report", a.fileName, b.fileName});
    page.row({"Created", dateText(a.machine.created), dateText(b.machine.created)});
    page.row({"Computer", a.machine.computer.value_or(""), b.machine.computer.value_or("")});
    page.line("</TABLE>");
}

void writeSummary(Page& page, const Comparison& comparison) {
    page.line("<H1>What changed</H1>");
    page.tableStart("#CCFFFF", {"Changes", "Count"});
    for (int kind = 0; kind < kChangeKindCount; ++kind) {
        const auto changeKind = static_cast<ChangeKind>(kind);
        page.row({changeKindName(changeKind), std::to_string(comparison.count(changeKind))});
    }
    page.line("</TABLE>");
}

void writeMachine(Page& page, const Comparison& comparison) {
    if (!comparison.facts.empty()) {
        page.line("<H1>Machine facts</H1>");
        page.tableStart("#CCFFFF", {"Fact", "Before", "After"});
        for (const FactChange& fact : comparison.facts)
            page.row({fact.fact, fact.before, fact.after});
        page.line("</TABLE>");
    }
    if (!comparison.drives.empty()) {
        page.line("<H1>Free space on drives (MB)</H1>");
        page.tableStart("#CCFFFF", {"Drive", "Before", "After"});
        for (const DriveChange& drive : comparison.drives) {
            const auto free = [](const DriveRecord* record) {
                return record == nullptr ? std::string("(none)") : sizeText(record->freeMegabytes);
            };
            page.row({drive.drive, free(drive.before), free(drive.after)});
        }
        page.line("</TABLE>");
    }
}

void writeList(Page& page, const char* heading, const std::vector<std::string>& items) {
    if (items.empty())
        return;
    page.line(std::string("<H1>") + heading + "</H1>");
    for (const std::string& item : items)
        page.line(escaped(item) + "<BR>");
}

void writeFolders(Page& page, const Comparison& comparison) {
    writeList(page, "Processes started", comparison.processesStarted);
    writeList(page, "Processes gone", comparison.processesGone);
    writeList(page, "Folders added", comparison.foldersAdded);
    writeList(page, "Folders removed", comparison.foldersRemoved);
    if (comparison.foldersTicked.empty())
        return;
    page.line("<H1>Folders ticked differently</H1>");
    page.tableStart("#CCFFFF", {"Folder", "Before", "After"});
    for (const FolderTickChange& folder : comparison.foldersTicked)
        page.row({folder.path, folder.before ? "ticked" : "cleared",
                  folder.after ? "ticked" : "cleared"});
    page.line("</TABLE>");
}

void writeFiles(Page& page, const FolderChanges& folder) {
    if (folder.files.empty())
        return;
    page.tableStart("#CCFFFF", {"File", "Size before", "Size after", "Date before", "Date after",
                                "Version before", "Version after"});
    for (const FileChange& change : folder.files) {
        const IndexedRow& any = change.after != nullptr ? *change.after : *change.before;
        const auto cells = [](const IndexedRow* row, auto value) {
            return row == nullptr ? std::string("(none)") : value(*row);
        };
        const auto size = [](const IndexedRow& row) { return sizeText(row.size); };
        const auto date = [](const IndexedRow& row) { return dateText(row.lastWrite); };
        const auto version = [](const IndexedRow& row) { return std::string(row.version); };
        page.row({std::string(any.name), cells(change.before, size), cells(change.after, size),
                  cells(change.before, date), cells(change.after, date),
                  cells(change.before, version), cells(change.after, version)});
    }
    page.line("</TABLE>");
}

void writeText(Page& page, const TextChange& change, EmbeddedTextReader& before,
               EmbeddedTextReader& after) {
    const IndexedText& any = change.after != nullptr ? *change.after : *change.before;
    const char* what = change.before == nullptr  ? " (added)"
                       : change.after == nullptr ? " (removed)"
                                                 : "";
    page.line("<H3>" + escaped(any.start.path) + what + "</H3>");
    page.line(std::string(reporttext::kEmbeddedTableStart) +
              reporttext::kSections[any.start.section].cellColour + "><TABLE width=100%>");
    const std::vector<DiffHunk> hunks = changedLines(change, before, after);
    for (const DiffHunk& hunk : hunks) {
        page.row({"@@ -" + std::to_string(hunk.beforeStart) + "," +
                  std::to_string(hunk.beforeLines) + " +" + std::to_string(hunk.afterStart) + "," +
                  std::to_string(hunk.afterLines) + " @@"});
        for (const DiffHunk::Line& line : hunk.lines) {
            const char* cellClass = line.change == '+'   ? "added"
                                    : line.change == '-' ? "removed"
                                                         : "line";
            page.row({std::string(1, line.change) + " " + line.text}, cellClass);
        }
    }
    if (hunks.empty())  // the same lines; the text was cut or ended otherwise
        page.row({"(the same lines; " + std::string(any.end.cut ? "cut" : "not cut") + ")"});
    page.line("</TABLE>" + std::string(reporttext::kEmbeddedTableEnd));
}

}  // namespace

void writeComparisonPage(const ComparedReports& reports, Output& output) {
    Page page(output);
    writeHead(page, reports);
    const Comparison& comparison = reports.comparison;
    if (comparison.agree()) {
        page.line("The reports agree: " + escaped(reports.before.fileName) + " and " +
                  escaped(reports.after.fileName) +
                  " hold the same machine, drives, processes, folders, files and texts.<BR>");
    } else {
        writeReports(page, reports);
        writeSummary(page, comparison);
        writeMachine(page, comparison);
        writeFolders(page, comparison);
        EmbeddedTextReader before(reports.before), after(reports.after);
        for (const FolderChanges& folder : comparison.folders) {
            page.line("<HR>");
            page.line("<H2>" + escaped(folder.path) + "</H2>");
            writeFiles(page, folder);
            for (const TextChange& change : folder.texts)
                writeText(page, change, before, after);
        }
    }
    page.line("</BODY></HTML>");
    page.flush();
}
