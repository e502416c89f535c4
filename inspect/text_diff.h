#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "inspect/comparison.h"
#include "inspect/report_index.h"

namespace osfs {
class File;
}
class ReportLineSource;

// A run of changed lines with the unchanged lines around it.
struct DiffHunk {
    // As a unified diff states them: "@@ -beforeStart,beforeLines +afterStart,afterLines @@".
    std::int64_t beforeStart = 0, beforeLines = 0, afterStart = 0, afterLines = 0;
    struct Line {
        char change;  // ' ' the same in both, '-' only before, '+' only after
        std::string text;
    };
    std::vector<Line> lines;
};

// The lines that changed from `before` to `after`, with three unchanged lines around each
// run. Found with the O(NP) algorithm of Wu, Manber and Myers (libdtl).
std::vector<DiffHunk> diffLines(const std::vector<std::string>& before,
                                const std::vector<std::string>& after);

// Reads embedded texts again from the report an index was made of, where the index found them.
class EmbeddedTextReader {
public:
    explicit EmbeddedTextReader(const ReportIndex& index);
    ~EmbeddedTextReader();
    EmbeddedTextReader(const EmbeddedTextReader&) = delete;
    EmbeddedTextReader& operator=(const EmbeddedTextReader&) = delete;

    // The text's lines, without the report's "<BR>"; empty when the report cannot be read.
    std::vector<std::string> lines(const IndexedText& text);

private:
    std::unique_ptr<osfs::File> file_;
    std::unique_ptr<ReportLineSource> source_;
};

// The lines that changed in an embedded file from one report to the other, read again from
// both; an added or removed file's lines are all added or removed.
std::vector<DiffHunk> changedLines(const TextChange& change, EmbeddedTextReader& before,
                                   EmbeddedTextReader& after);
