#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "inspect/listed_folders.h"
#include "inspect/report_records.h"
#include "inspect/text_decoding.h"
#include "inspect/text_hash.h"
#include "inspect/text_store.h"

// An embedded file as an index keeps it: where its text stands in the report and a hash of
// the text, not the text itself.
struct IndexedText {
    EmbeddedStart start;
    EmbeddedEnd end;
    std::uint64_t hash = 0;
};

// A file row as an index keeps it: its name and version in the index's store of texts.
struct IndexedRow {
    std::string_view name;
    std::optional<std::int64_t> size;
    std::optional<DateTime> lastWrite;
    bool program = false;
    std::string_view version;
};

struct IndexedFolder {
    ListedFolder folder;  // ticked without a block when the report lacks the folder's block
    bool hasBlock = false;
    std::vector<IndexedRow> files;
    bool filesCut = false;
    std::vector<IndexedText> texts;
};

// What a comparison needs of a report, in its order: everything but the embedded texts, which
// are read again from the report where they differ, so that two reports of hundreds of
// megabytes can be compared in bounded memory.
struct ReportIndex {
    std::string fileName;
    TextDecoding decoding;
    PageRecord page;
    MachineRecord machine;
    std::vector<DriveRecord> drives;
    std::vector<std::string> processes;
    ListEnd processesEnd;
    std::vector<IndexedFolder> folders;  // every listed folder once, in the list's order
    TextStore rowTexts;                  // the names and versions of the folders' file rows
    bool whole = false;
};

// Builds a ReportIndex from a report's records.
class IndexBuilder : public ReportSink {
public:
    explicit IndexBuilder(ReportIndex& index) : index_(index) {}

    void page(const PageRecord& page) override { index_.page = page; }
    void listedFolder(const ListedFolder& folder) override { listed_.add(folder); }
    void machine(const MachineRecord& machine) override { index_.machine = machine; }
    void drive(const DriveRecord& drive) override { index_.drives.push_back(drive); }
    void process(std::string_view path) override { index_.processes.emplace_back(path); }
    void processesEnd(const ListEnd& end) override { index_.processesEnd = end; }
    void folder(const FolderRecord& folder) override;
    void fileRow(const FileRowRecord& row) override;
    void fileTableEnd(const ListEnd& end) override { block().filesCut = end.cut; }
    void embeddedStart(const EmbeddedStart& start) override;
    void embeddedLine(std::string_view text) override;
    void embeddedLines(std::string_view run) override;
    void embeddedEnd(const EmbeddedEnd& end) override;
    void end(bool whole) override;

private:
    IndexedFolder& block() { return index_.folders.back(); }
    void addListed(const ListedFolder& folder);
    // Gives the rows to the folder whose table they came in, in a list of their own size; before
    // the next folder's block and at the report's end.
    void keepRows();

    ReportIndex& index_;
    ListedFolders listed_;
    // The rows of the table being read. Kept from table to table and copied once to their
    // folder: grown in each folder's list, they were a tenth of a comparison, through the
    // memory each growth takes new.
    std::vector<IndexedRow> rows_;
    IndexedText text_;
    TextHash hash_;
};
