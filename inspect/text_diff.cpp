#include "inspect/text_diff.h"

#include <dtl/dtl.hpp>

#include "inspect/line_classifier.h"
#include "inspect/line_source.h"
#include "toolkit/os/file_system.h"

namespace {

DiffHunk::Line diffLine(const std::pair<std::string, dtl::elemInfo>& element) {
    const char change = element.second.type == dtl::SES_ADD      ? '+'
                        : element.second.type == dtl::SES_DELETE ? '-'
                                                                 : ' ';
    return {change, element.first};
}

}  // namespace

std::vector<DiffHunk> diffLines(const std::vector<std::string>& before,
                                const std::vector<std::string>& after) {
    dtl::Diff<std::string> diff(before, after);
    // Keeps the memory of the edit path bounded on long texts, at the cost of a longer diff.
    diff.onHuge();
    diff.compose();
    diff.composeUnifiedHunks();
    std::vector<DiffHunk> hunks;
    for (const auto& found : diff.getUniHunks()) {
        // A side without lines starts at the line before it, as a unified diff numbers it
        // ("@@ -0,0 +1,2 @@" for an added text).
        DiffHunk hunk{found.b == 0 ? found.a - 1 : found.a,
                      found.b,
                      found.d == 0 ? found.c - 1 : found.c,
                      found.d,
                      {}};
        for (const auto* part : {&found.common[0], &found.change, &found.common[1]}) {
            for (const auto& element : *part)
                hunk.lines.push_back(diffLine(element));
        }
        hunks.push_back(std::move(hunk));
    }
    return hunks;
}

EmbeddedTextReader::EmbeddedTextReader(const ReportIndex& index)
    : file_(std::make_unique<osfs::File>()) {
    // The report as its user named it, also through a link, as the reading of the index did.
    file_->open(index.fileName, osfs::OpenMode::Read, osfs::FinalLink::Followed);
    source_ = std::make_unique<ReportLineSource>(*file_, index.decoding);
}

EmbeddedTextReader::~EmbeddedTextReader() = default;

std::vector<std::string> EmbeddedTextReader::lines(const IndexedText& text) {
    source_->seek(text.start.textOffset, text.start.textLine, text.end.textEnd);
    std::vector<std::string> lines;
    ReportLine line;
    while (lines.size() < text.end.lines && source_->next(line))
        lines.emplace_back(withoutBreak(line.text));
    return lines;
}

std::vector<DiffHunk> changedLines(const TextChange& change, EmbeddedTextReader& before,
                                   EmbeddedTextReader& after) {
    return diffLines(
        change.before != nullptr ? before.lines(*change.before) : std::vector<std::string>(),
        change.after != nullptr ? after.lines(*change.after) : std::vector<std::string>());
}
