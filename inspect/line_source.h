#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "inspect/line_batches.h"
#include "inspect/text_decoding.h"

namespace osfs {
class File;
}

// One line of a report as the line source hands it out.
struct ReportLine {
    std::string_view text;         // UTF-8, without its line end; valid until the next line
    std::uint64_t number = 0;      // 1 for the first line
    std::uint64_t offset = 0;      // where the line's bytes begin in the file
    std::uint64_t nextOffset = 0;  // where the next line begins
    bool ended = true;             // false for a last line that the file cuts off before its CR LF
    bool cut = false;              // longer than kMaxReportLineBytes: `text` holds only its start
};

// A run of plain text lines as the line source hands it out (bytescan::plainTextLinesByLine): whole
// lines of ASCII that need no decoding, each followed by "<BR>" and CR LF, none holding a
// control character or a "<" that could open markup.
struct TextRun {
    std::string_view bytes;  // the lines with their "<BR>" and line ends; valid until the next line
    std::uint64_t firstNumber = 0;
    std::uint64_t lines = 0;
    std::uint64_t offset = 0;      // where the first line begins in the file
    std::uint64_t nextOffset = 0;  // where the line after the run begins
};

// Hands out a report's lines one at a time (see LineSplitter for what a line is). Reading a
// whole report, it can read ahead on a thread of its own: the file's next pieces are read,
// split and turned into UTF-8 while the lines before are used, on another core.
class ReportLineSource {
public:
    ReportLineSource(osfs::File& file, TextDecoding decoding, bool readAhead = false,
                     ReportBytes bytes = ReportBytes::Mapped);
    ~ReportLineSource();
    ReportLineSource(const ReportLineSource&) = delete;
    ReportLineSource& operator=(const ReportLineSource&) = delete;

    // The next line; false at the end of the file or when it cannot be read (failed()).
    bool next(ReportLine& line);
    // The next lines as one run, where they are a run of plain text lines; false, leaving the
    // lines to next(), where the next line is none.
    bool nextTextRun(TextRun& run);
    bool failed() const { return failed_; }

    // Goes on reading at `offset`, the start of line `number` as an earlier reading found it,
    // and reads no further than `end`. Only for a source that does not read ahead.
    void seek(std::uint64_t offset, std::uint64_t number, std::uint64_t end);

private:
    class ReadAhead;
    // Moves on to the next batch of lines; false when there is none.
    bool nextBatch();
    // Whether the batch has a line or run left, moving on to the next batch where it has not.
    bool anyLeft();

    LineSplitter splitter_;
    std::unique_ptr<ReadAhead> readAhead_;
    LineBatch ownBatch_;          // the batch in use without read-ahead
    LineBatch* batch_ = nullptr;  // the batch whose lines are handed out
    std::size_t nextLine_ = 0;    // the batch's next line or run
    std::uint32_t runTaken_ = 0;  // the lines of that run already handed out one by one
    std::uint32_t runTakenBytes_ = 0;
    std::uint64_t nextNumber_ = 0;
    bool ended_ = false;
    bool failed_ = false;
};
