#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "inspect/report_index.h"

// What changed from one report (before) to another (after) of the same machine or of two
// machines. Entries point into the two indexes, which must outlive the comparison.

struct FactChange {
    std::string fact;  // its name, as the comparison shows it
    std::string before, after;
};

struct DriveChange {
    std::string drive;
    const DriveRecord* before = nullptr;  // null: the drive is new
    const DriveRecord* after = nullptr;   // null: the drive is gone
};

struct FolderTickChange {
    std::string path;
    bool before = false, after = false;
};

struct FileChange {
    const IndexedRow* before = nullptr;  // null: added
    const IndexedRow* after = nullptr;   // null: removed
};

struct TextChange {
    const IndexedText* before = nullptr;  // null: added
    const IndexedText* after = nullptr;   // null: removed
};

// The changes within a folder that both reports examined.
struct FolderChanges {
    std::string path;
    std::vector<FileChange> files;
    std::vector<TextChange> texts;
};

// The kinds of change, in the order a comparison shows them, each counted in its summary.
enum class ChangeKind {
    MachineFact,
    Drive,
    ProcessStarted,
    ProcessGone,
    FolderAdded,
    FolderRemoved,
    FolderTickedDifferently,
    FileAdded,
    FileRemoved,
    FileChanged,
    EmbeddedAdded,
    EmbeddedRemoved,
    EmbeddedChanged,
};
constexpr int kChangeKindCount = 13;

struct Comparison {
    std::vector<FactChange> facts;
    std::vector<DriveChange> drives;
    std::vector<std::string> processesStarted, processesGone;
    std::vector<std::string> foldersAdded, foldersRemoved;
    std::vector<FolderTickChange> foldersTicked;
    std::vector<FolderChanges> folders;  // only those with changes, in the after report's order

    std::int64_t count(ChangeKind kind) const;
    bool agree() const;
};

Comparison compareReports(const ReportIndex& before, const ReportIndex& after);

// The name a comparison gives a kind of change, in its summary and its JSON.
const char* changeKindName(ChangeKind kind);
const char* changeKindKey(ChangeKind kind);
