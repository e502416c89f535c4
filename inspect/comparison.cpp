#include "inspect/comparison.h"

#include <map>
#include <string_view>
#include <type_traits>
#include <utility>

#include "inspect/report_values.h"

namespace {

const char* const kMemoryFacts[kMemoryFigureCount] = {"Memory load (%)",
                                                      "Total physical memory (KB)",
                                                      "Available physical memory (KB)",
                                                      "Total page file (KB)",
                                                      "Available page file (KB)",
                                                      "Total virtual memory (KB)",
                                                      "Available virtual memory (KB)"};

template <typename T>
std::string shown(const std::optional<T>& value) {
    if constexpr (std::is_same_v<T, std::string>)
        return value.value_or(std::string());
    else
        return value ? std::to_string(*value) : std::string();
}

void compareFact(const char* fact, const std::string& before, const std::string& after,
                 Comparison& comparison) {
    if (before != after)
        comparison.facts.push_back({fact, before, after});
}

void compareMachines(const ReportIndex& before, const ReportIndex& after, Comparison& comparison) {
    // A report cut short, or damaged, holds less than the other: what could not be read of it
    // cannot agree, and its folders without a block are not compared.
    const auto whole = [](const ReportIndex& report) { return report.whole ? "yes" : "no"; };
    compareFact("Report read whole", whole(before), whole(after), comparison);
    const auto tool = [](const PageRecord& page) { return page.program + " " + page.version; };
    compareFact("Tool", tool(before.page), tool(after.page), comparison);
    const MachineRecord& a = before.machine;
    const MachineRecord& b = after.machine;
    compareFact("User", shown(a.user), shown(b.user), comparison);
    compareFact("Computer", shown(a.computer), shown(b.computer), comparison);
    compareFact("Windows folder", shown(a.windowsFolder), shown(b.windowsFolder), comparison);
    compareFact("Operating-system family", shown(a.family), shown(b.family), comparison);
    for (int figure = 0; figure < kMemoryFigureCount; ++figure)
        compareFact(kMemoryFacts[figure], shown(a.memory[figure]), shown(b.memory[figure]),
                    comparison);
}

// Pairs the items of two lists by key: `pair` gets each item of `after` with its match in
// `before` (or null), in the order of `after`, then each item of `before` left over with null.
// Each item is matched once; a key that stands twice pairs in order. Keys are views into the
// items, so that the lists of a large report are paired without a copy of every name. Two
// reports of one machine mostly list the same items in the same order: as long as the items
// at one place have the same key they pair at once, which is the pairing the keys would give.
template <typename Item, typename Key, typename Pair>
void pairByKey(const std::vector<Item>& before, const std::vector<Item>& after, Key key,
               Pair pair) {
    std::size_t same = 0;
    for (; same < before.size() && same < after.size() && key(before[same]) == key(after[same]);
         ++same)
        pair(&before[same], &after[same]);
    std::multimap<decltype(key(before[0])), const Item*> waiting;
    for (std::size_t i = same; i < before.size(); ++i)
        waiting.emplace(key(before[i]), &before[i]);
    for (std::size_t i = same; i < after.size(); ++i) {
        const Item& item = after[i];
        const auto match = waiting.find(key(item));
        const Item* matched = match == waiting.end() ? nullptr : match->second;
        if (match != waiting.end())
            waiting.erase(match);
        pair(matched, &item);
    }
    for (std::size_t i = same; i < before.size(); ++i) {
        const Item& item = before[i];
        for (auto left = waiting.find(key(item)); left != waiting.end() && left->first == key(item);
             ++left) {
            if (left->second == &item) {
                pair(&item, nullptr);
                break;
            }
        }
    }
}

bool sameRow(const IndexedRow& a, const IndexedRow& b) {
    return a.size == b.size && a.lastWrite == b.lastWrite && a.program == b.program &&
           a.version == b.version;
}

bool sameText(const IndexedText& a, const IndexedText& b) {
    return a.hash == b.hash && a.end.lines == b.end.lines && a.end.cut == b.end.cut &&
           a.end.cap == b.end.cap && a.end.whole == b.end.whole;
}

FolderChanges compareBlocks(const IndexedFolder& before, const IndexedFolder& after) {
    FolderChanges changes{after.folder.path, {}, {}};
    pairByKey(
        before.files, after.files, [](const IndexedRow& row) { return row.name; },
        [&](const IndexedRow* a, const IndexedRow* b) {
            if (a == nullptr || b == nullptr || !sameRow(*a, *b))
                changes.files.push_back({a, b});
        });
    pairByKey(
        before.texts, after.texts,
        [](const IndexedText& text) {
            return std::make_pair(text.start.section, std::string_view(text.start.path));
        },
        [&](const IndexedText* a, const IndexedText* b) {
            if (a == nullptr || b == nullptr || !sameText(*a, *b))
                changes.texts.push_back({a, b});
        });
    return changes;
}

void compareFolders(const ReportIndex& before, const ReportIndex& after, Comparison& comparison) {
    pairByKey(
        before.folders, after.folders,
        [](const IndexedFolder& f) { return std::string_view(f.folder.path); },
        [&](const IndexedFolder* a, const IndexedFolder* b) {
            if (a == nullptr) {
                comparison.foldersAdded.push_back(b->folder.path);
            } else if (b == nullptr) {
                comparison.foldersRemoved.push_back(a->folder.path);
            } else if (a->folder.ticked != b->folder.ticked) {
                comparison.foldersTicked.push_back(
                    {b->folder.path, a->folder.ticked, b->folder.ticked});
            } else if (a->hasBlock && b->hasBlock) {
                FolderChanges changes = compareBlocks(*a, *b);
                if (!changes.files.empty() || !changes.texts.empty())
                    comparison.folders.push_back(std::move(changes));
            }
        });
}

}  // namespace

Comparison compareReports(const ReportIndex& before, const ReportIndex& after) {
    Comparison comparison;
    compareMachines(before, after, comparison);
    pairByKey(
        before.drives, after.drives, [](const DriveRecord& d) { return std::string_view(d.drive); },
        [&](const DriveRecord* a, const DriveRecord* b) {
            if (a == nullptr || b == nullptr || a->freeMegabytes != b->freeMegabytes)
                comparison.drives.push_back({(a != nullptr ? a : b)->drive, a, b});
        });
    pairByKey(
        before.processes, after.processes,
        [](const std::string& path) { return std::string_view(path); },
        [&](const std::string* a, const std::string* b) {
            if (a == nullptr)
                comparison.processesStarted.push_back(*b);
            else if (b == nullptr)
                comparison.processesGone.push_back(*a);
        });
    compareFolders(before, after, comparison);
    return comparison;
}

std::int64_t Comparison::count(ChangeKind kind) const {
    std::int64_t within[3] = {0, 0, 0};  // added, removed, changed
    const bool files = kind == ChangeKind::FileAdded || kind == ChangeKind::FileRemoved ||
                       kind == ChangeKind::FileChanged;
    for (const FolderChanges& folder : folders) {
        const auto tally = [&](const auto& changes) {
            for (const auto& change : changes)
                ++within[change.before == nullptr ? 0 : change.after == nullptr ? 1 : 2];
        };
        if (files)
            tally(folder.files);
        else
            tally(folder.texts);
    }
    switch (kind) {
        case ChangeKind::MachineFact:
            return static_cast<std::int64_t>(facts.size());
        case ChangeKind::Drive:
            return static_cast<std::int64_t>(drives.size());
        case ChangeKind::ProcessStarted:
            return static_cast<std::int64_t>(processesStarted.size());
        case ChangeKind::ProcessGone:
            return static_cast<std::int64_t>(processesGone.size());
        case ChangeKind::FolderAdded:
            return static_cast<std::int64_t>(foldersAdded.size());
        case ChangeKind::FolderRemoved:
            return static_cast<std::int64_t>(foldersRemoved.size());
        case ChangeKind::FolderTickedDifferently:
            return static_cast<std::int64_t>(foldersTicked.size());
        case ChangeKind::FileAdded:
        case ChangeKind::EmbeddedAdded:
            return within[0];
        case ChangeKind::FileRemoved:
        case ChangeKind::EmbeddedRemoved:
            return within[1];
        default:
            return within[2];
    }
}

bool Comparison::agree() const {
    for (int kind = 0; kind < kChangeKindCount; ++kind) {
        if (count(static_cast<ChangeKind>(kind)) > 0)
            return false;
    }
    return true;
}

const char* changeKindName(ChangeKind kind) {
    static const char* const names[kChangeKindCount] = {
        "Machine facts that differ",
        "Drives added, removed or with other free space",
        "Processes started",
        "Processes gone",
        "Folders added",
        "Folders removed",
        "Folders ticked differently",
        "Files added",
        "Files removed",
        "Files changed",
        "Embedded files added",
        "Embedded files removed",
        "Embedded files changed"};
    return names[static_cast<int>(kind)];
}

const char* changeKindKey(ChangeKind kind) {
    static const char* const keys[kChangeKindCount] = {"machineFacts",
                                                       "drives",
                                                       "processesStarted",
                                                       "processesGone",
                                                       "foldersAdded",
                                                       "foldersRemoved",
                                                       "foldersTickedDifferently",
                                                       "filesAdded",
                                                       "filesRemoved",
                                                       "filesChanged",
                                                       "embeddedAdded",
                                                       "embeddedRemoved",
                                                       "embeddedChanged"};
    return keys[static_cast<int>(kind)];
}
