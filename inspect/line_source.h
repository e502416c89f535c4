#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

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

// The longest line a report can hold is an embedded file's text of 1 MiB on one line; a line
// longer than this is no line of a report, and only its start is handed out, so that a damaged
// file cannot make the reader hold it whole.
constexpr std::size_t kMaxReportLineBytes = 4 * 1024 * 1024;

// Reads a report's lines from an open file, in large pieces. A report ends every line with
// CR LF; a lone LF or CR inside a line is part of it (a Windows report keeps a file's lone LF
// in its line). Each line is turned into UTF-8 as `decoding` says.
class ReportLineSource {
public:
    ReportLineSource(osfs::File& file, TextDecoding decoding);
    ReportLineSource(const ReportLineSource&) = delete;
    ReportLineSource& operator=(const ReportLineSource&) = delete;

    // The next line; false at the end of the file or when it cannot be read (failed()).
    bool next(ReportLine& line);
    bool failed() const { return failed_; }

    // Goes on reading at `offset`, the start of line `number` as an earlier reading found it,
    // and reads no further than `end`.
    void seek(std::uint64_t offset, std::uint64_t number, std::uint64_t end);

private:
    // Reads more of the file behind the bytes not yet handed out; false when nothing came.
    bool fill();
    // The position of the CR of the first CR LF at or after `from`, or end_.
    std::size_t lineEnd(std::size_t from) const;
    // Drops the rest of a cut line, up to and with its CR LF.
    void skipRestOfLine();

    osfs::File& file_;
    TextDecoding decoding_;
    std::string buffer_;
    std::size_t pos_ = 0;  // the bytes not yet handed out are buffer_[pos_, end_)
    std::size_t end_ = 0;
    std::size_t scanned_ = 0;         // where the search for the next CR LF goes on
    std::uint64_t bufferOffset_ = 0;  // the file offset of buffer_[0]
    std::uint64_t nextNumber_ = 1;
    std::uint64_t stopAt_ = std::numeric_limits<std::uint64_t>::max();  // where reading stops
    bool eof_ = false;
    bool failed_ = false;
    std::string scratch_;
};
