#pragma once

#include <cstddef>
#include <limits>
#include <string>

#include "toolkit/os/code_page.h"
#include "toolkit/os/file_system.h"
#include "toolkit/text_piece_reader.h"

// Reads the lines of an open file by the program's one line-end rule: CR LF or a lone CR ends a
// line, and a lone LF too where os::kLoneLineFeedEndsLine holds. The line end is not part of
// the line. The file's text is taken from the system's code page (toolkit/os/code_page.h), so
// lines come out as UTF-8. Used by the text file class and by the report's embedding of files.
class LineReader {
public:
    explicit LineReader(osfs::File& file);
    // Reads through `buffer`, whose content is of no account, instead of a buffer of its own: a
    // caller that reads many files keeps one buffer for all of them, so that its 64 KiB are not
    // taken and zeroed again for every file. The file's text is in `codePage`.
    LineReader(osfs::File& file, std::string& buffer, os::CodePage codePage = os::systemCodePage());
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // True when no byte is left to read; false also when the next read would fail.
    bool atEnd();

    // Reads the next line into `line`. At most `maxBytes` bytes are kept; a longer line is cut
    // there, before a character that does not fit whole, `cut` is set and the read stops at that
    // point (the rest of the line is the next read). When not even the first character fits,
    // nothing is kept and the reader stays where it is: the caller ends there, or gives room
    // for the longest character (4 bytes). Returns false when the file cannot be read.
    bool readLine(std::string& line, std::size_t maxBytes = std::numeric_limits<std::size_t>::max(),
                  bool* cut = nullptr);
    // The same, with the line appended to `text` instead of replacing it; `maxBytes` bounds the
    // bytes appended. Saves the copy of every line when lines are gathered into one text.
    bool appendLine(std::string& text,
                    std::size_t maxBytes = std::numeric_limits<std::size_t>::max(),
                    bool* cut = nullptr);

    bool failed() const { return failed_; }

private:
    // Reads the next piece of the file once the text read before is all handed out.
    bool fill();
    std::size_t lineEnd(std::size_t from);
    std::string ownBuffer_;
    // The text read and not yet handed out is buffer_[pos_, end_).
    std::string& buffer_;
    TextPieceReader pieces_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    // The first LF at or after the last search's start in the buffer, or end_ when there is
    // none; kNotSearched before the first search of a piece (see lineEnd).
    static constexpr std::size_t kNotSearched = std::numeric_limits<std::size_t>::max();
    std::size_t lineFeed_ = kNotSearched;
    bool failed_ = false;
};
