#include <nlohmann/json.hpp>

#include "inspect/comparison_output.h"
#include "inspect/json_export.h"
#include "inspect/output.h"
#include "inspect/report_values.h"
#include "inspect/text_diff.h"

namespace {

using nlohmann::json;

// Texts from a report are UTF-8 as the reader gives them; should one not be, it is written with
// U+FFFD rather than not at all.
std::string dumped(const json& value) {
    return value.dump(-1, ' ', false, json::error_handler_t::replace);
}

template <typename T>
json optional(const std::optional<T>& value) {
    return value ? json(*value) : json(nullptr);
}

json dateJson(const std::optional<DateTime>& when) {
    return when ? json(isoDateTime(*when)) : json(nullptr);
}

json reportJson(const ReportIndex& report) {
    return {{"report", report.fileName},
            {"created", dateJson(report.machine.created)},
            {"toolVersion", report.page.version},
            {"complete", report.whole}};
}

json rowJson(const IndexedRow* row) {
    if (row == nullptr)
        return nullptr;
    json shown = {{"size", optional(row->size)},
                  {"date", dateJson(row->lastWrite)},
                  {"program", row->program}};
    if (row->program)
        shown["version"] = row->version;
    return shown;
}

json textJson(const TextChange& change, EmbeddedTextReader& before, EmbeddedTextReader& after) {
    const IndexedText& any = change.after != nullptr ? *change.after : *change.before;
    json hunks = json::array();
    for (const DiffHunk& hunk : changedLines(change, before, after)) {
        json lines = json::array();
        for (const DiffHunk::Line& line : hunk.lines)
            lines.push_back({{"change", std::string(1, line.change)}, {"text", line.text}});
        hunks.push_back({{"beforeStart", hunk.beforeStart},
                         {"beforeLines", hunk.beforeLines},
                         {"afterStart", hunk.afterStart},
                         {"afterLines", hunk.afterLines},
                         {"lines", lines}});
    }
    return {{"path", any.start.path},
            {"kind", embeddedKindName(any.start.section)},
            {"change", change.before == nullptr  ? "added"
                       : change.after == nullptr ? "removed"
                                                 : "changed"},
            {"hunks", hunks}};
}

json folderJson(const FolderChanges& folder, EmbeddedTextReader& before,
                EmbeddedTextReader& after) {
    json files = json::array();
    for (const FileChange& change : folder.files) {
        const IndexedRow& any = change.after != nullptr ? *change.after : *change.before;
        files.push_back({{"name", any.name},
                         {"before", rowJson(change.before)},
                         {"after", rowJson(change.after)}});
    }
    json texts = json::array();
    for (const TextChange& change : folder.texts)
        texts.push_back(textJson(change, before, after));
    return {{"path", folder.path}, {"files", files}, {"embedded", texts}};
}

}  // namespace

void writeComparisonJson(const ComparedReports& reports, Output& output) {
    const Comparison& comparison = reports.comparison;
    json summary = json::object();
    for (int kind = 0; kind < kChangeKindCount; ++kind)
        summary[changeKindKey(static_cast<ChangeKind>(kind))] =
            comparison.count(static_cast<ChangeKind>(kind));
    json facts = json::array();
    for (const FactChange& fact : comparison.facts)
        facts.push_back({{"fact", fact.fact}, {"before", fact.before}, {"after", fact.after}});
    json drives = json::array();
    for (const DriveChange& drive : comparison.drives) {
        const auto free = [](const DriveRecord* d) {
            return d == nullptr ? json(nullptr) : optional(d->freeMegabytes);
        };
        drives.push_back({{"drive", drive.drive},
                          {"beforeFreeMB", free(drive.before)},
                          {"afterFreeMB", free(drive.after)}});
    }
    json ticked = json::array();
    for (const FolderTickChange& folder : comparison.foldersTicked)
        ticked.push_back(
            {{"path", folder.path}, {"before", folder.before}, {"after", folder.after}});
    json head = {{"format", "configreport-comparison"},
                 {"schemaVersion", 1},
                 {"before", reportJson(reports.before)},
                 {"after", reportJson(reports.after)},
                 {"agree", comparison.agree()},
                 {"summary", summary},
                 {"machineFacts", facts},
                 {"drives", drives},
                 {"processesStarted", comparison.processesStarted},
                 {"processesGone", comparison.processesGone},
                 {"foldersAdded", comparison.foldersAdded},
                 {"foldersRemoved", comparison.foldersRemoved},
                 {"foldersTickedDifferently", ticked}};
    // The folders' changes, with the lines of their texts, go out one folder at a time.
    std::string text = dumped(head);
    text.pop_back();
    output.write(text + ",\"folders\":[");
    EmbeddedTextReader before(reports.before), after(reports.after);
    for (std::size_t i = 0; i < comparison.folders.size(); ++i)
        output.write((i > 0 ? "," : "") + dumped(folderJson(comparison.folders[i], before, after)));
    output.write("]}\n");
}
