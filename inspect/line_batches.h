#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "inspect/text_decoding.h"
#include "toolkit/os/file_mapping.h"

namespace osfs {
class File;
}

// The longest line a report can hold is an embedded file's text of 1 MiB on one line; a line
// longer than this is no line of a report, and only its start is handed out, so that a damaged
// file cannot make the reader hold it whole.
constexpr std::size_t kMaxReportLineBytes = 4 * 1024 * 1024;

// The whole lines of one piece of a report: the bytes they stand in, and each line's place in
// them (or, where its bytes needed converting, in `decoded`) with its number and offsets.
struct LineBatch {
    // A line's place, kept small: a batch holds tens of thousands of them. Plain text lines
    // that follow each other (bytescan::plainTextLinesByLine), most of a report, are kept as one
    // run.
    struct Line {
        std::uint32_t start = 0;  // in `bytes`, or in `decoded` when converted
        std::uint32_t length = 0;
        std::uint32_t rawStart = 0;  // in `bytes`
        std::uint32_t next = 0;      // where the next line begins in `bytes`
        bool converted = false;
        bool ended = true;  // false for a last line that the file cuts off before its CR LF
        bool cut = false;   // longer than kMaxReportLineBytes: only its start is held
        std::uint32_t runLines = 0;  // a run of so many plain text lines; 0 for a single line
    };
    // The lines' bytes: `size` of them at `data`, which is the mapped file's bytes where the
    // report is mapped, else `bytes`, whose rest is room kept for the batch's next use, so that
    // the room is not cleared again for each piece.
    const char* data = nullptr;
    std::size_t size = 0;
    std::string bytes;
    std::uint64_t offset = 0;       // where `data` begins in the file
    std::uint64_t firstNumber = 0;  // the number of the first line
    std::string decoded;
    std::vector<Line> lines;  // single lines and runs of lines, in the file's order
    bool last = false;        // the file has no more lines

    std::string_view text(const Line& line) const {
        return std::string_view((line.converted ? decoded.data() : data) + line.start, line.length);
    }
};

// How a report's bytes are taken: where the system maps the file (read where it does not), or
// read piece by piece into the batches' room.
enum class ReportBytes { Mapped, Read };

// Splits a report into lines, piece by piece. A report ends every line with CR LF; a lone LF or
// CR inside a line is part of it (a Windows report keeps a file's lone LF in its line). Each
// line is turned into UTF-8 as `decoding` says. The report is mapped where the system maps it,
// and its lines then stand in the mapped bytes, without a copy; else it is read into the
// batches' room.
class LineSplitter {
public:
    LineSplitter(osfs::File& file, TextDecoding decoding, ReportBytes bytes = ReportBytes::Mapped);

    // Fills `batch` with the next lines; false, with no lines, once the file is at its end.
    bool fill(LineBatch& batch);
    // Whether the file ended because it could not be read further.
    bool failed() const { return failed_; }

    // Goes on at `offset`, the start of line `number` as an earlier reading found it, and reads
    // no further than `end`.
    void seek(std::uint64_t offset, std::uint64_t number, std::uint64_t end);

private:
    // Reads the next piece behind the batch's bytes; the count read, 0 at the end, -1 when the
    // file cannot be read.
    long long readPiece(LineBatch& batch);
    // Adds the line of `length` bytes at `start` of the batch's bytes (at most the bound), with
    // the next line at `next`.
    void addLine(LineBatch& batch, std::size_t start, std::size_t length, std::size_t next,
                 bool ended);
    // Adds the run of plain text lines that starts at `start` of the batch's bytes, if one does;
    // answers where the next line begins.
    std::size_t addTextRun(LineBatch& batch, std::size_t start);

    osfs::File& file_;
    osfs::FileMapping mapping_;
    TextDecoding decoding_;
    std::uint64_t readAt_ = 0;  // the file offset of the next piece
    std::uint64_t stopAt_ = std::numeric_limits<std::uint64_t>::max();
    std::uint64_t nextNumber_ = 1;
    // The start of a line whose end is in the next piece, from carryOffset_ up to readAt_;
    // copied into carry_ where the report is read.
    std::string carry_;
    std::uint64_t carryOffset_ = 0;
    bool skipping_ = false;  // dropping the rest of a line longer than the bound
    bool done_ = false;
    bool failed_ = false;
    std::string scratch_;
};
