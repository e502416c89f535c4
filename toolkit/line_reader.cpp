#include "toolkit/line_reader.h"

#include <cstring>

#include "toolkit/os/code_page.h"
#include "toolkit/os/os_traits.h"

namespace {

constexpr std::size_t kChunkBytes = 64 * 1024;
constexpr char kCarriageReturn = '\r';
constexpr char kLineFeed = '\n';

}  // namespace

// The position of the first line end in buffer_[from, end_), or end_. Every byte of the report's
// embedded text passes here, so the search is the C library's memchr, which looks at many
// bytes at once. Where a lone LF ends a line, the first LF is found first and then a CR only
// before it; the LF found is kept until the reader passes it, so that a file whose lines end in
// a lone CR is not searched to the end of the buffer for an LF again for every line.
std::size_t LineReader::lineEnd(std::size_t from) {
    const char* begin = buffer_.data();
    std::size_t limit = end_;
    if (os::kLoneLineFeedEndsLine) {
        if (lineFeed_ == kNotSearched || lineFeed_ < from) {
            const void* found = std::memchr(begin + from, kLineFeed, end_ - from);
            lineFeed_ = found != nullptr
                            ? static_cast<std::size_t>(static_cast<const char*>(found) - begin)
                            : end_;
        }
        limit = lineFeed_;
    }
    const void* found = std::memchr(begin + from, kCarriageReturn, limit - from);
    return found != nullptr ? static_cast<std::size_t>(static_cast<const char*>(found) - begin)
                            : limit;
}

namespace {

bool isUtf8Continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// How much of the `room` bytes from `from` to take so that no UTF-8 character is split: a
// character cut in two would be written back as "?" in the code page. Nothing, when the first
// character is longer than `room`.
std::size_t wholeCharacters(const std::string& text, std::size_t from, std::size_t room) {
    constexpr std::size_t kLongestCharacter = 4;
    std::size_t piece = room;
    while (piece > 0 && room - piece < kLongestCharacter - 1 &&
           isUtf8Continuation(text[from + piece])) {
        --piece;
    }
    return piece;
}

}  // namespace

// A reader begins where a file just opened begins. A file not open yet (size -1), or of size 0
// (which the system also gives for files whose size it does not know, such as those of /proc),
// is read until a read gives nothing.
LineReader::LineReader(osfs::File& file) : LineReader(file, ownBuffer_) {}

LineReader::LineReader(osfs::File& file, std::string& buffer)
    : file_(file), buffer_(buffer), unread_(file.size() > 0 ? file.size() : -1) {}

bool LineReader::fill() {
    if (eof_)
        return false;
    // Called only once every byte read so far has been handed out: the file is read straight
    // into the front of the buffer and turned into UTF-8 where it lies.
    pos_ = 0;
    end_ = 0;
    lineFeed_ = kNotSearched;
    if (buffer_.size() < kChunkBytes)
        buffer_.resize(kChunkBytes);
    const long long count = file_.read(buffer_.data(), kChunkBytes);
    if (count > 0)
        end_ = os::fromCodePageInPlace(buffer_, static_cast<std::size_t>(count));
    // A failed read may succeed when tried again, so the failure is not kept past the next try.
    failed_ = count < 0;
    eof_ = count == 0;
    // Once exactly the size of the opened file has been read, the end is known: the read that
    // would give nothing is saved (one for every file read whole). A read cut short before that
    // (some file systems give them) changes nothing, and a file that grew after its open,
    // whose reads pass its size, is read on until a read gives nothing.
    if (count > 0 && unread_ > 0) {
        unread_ -= count;
        eof_ = unread_ == 0;
    }
    return count > 0;
}

bool LineReader::atEnd() {
    if (pos_ < end_ || fill())
        return false;
    return !failed_;
}

bool LineReader::readLine(std::string& line, std::size_t maxBytes, bool* cut) {
    line.clear();
    return appendLine(line, maxBytes, cut);
}

bool LineReader::appendLine(std::string& text, std::size_t maxBytes, bool* cut) {
    if (cut != nullptr)
        *cut = false;
    std::size_t room = maxBytes;
    for (;;) {
        if (pos_ == end_ && !fill())
            return !failed_;
        const std::size_t end = lineEnd(pos_);
        if (end - pos_ > room) {
            const std::size_t piece = wholeCharacters(buffer_, pos_, room);
            text.append(buffer_, pos_, piece);
            pos_ += piece;
            if (cut != nullptr)
                *cut = true;
            return true;
        }
        text.append(buffer_, pos_, end - pos_);
        room -= end - pos_;
        pos_ = end;
        if (end == end_)
            continue;
        const char ending = buffer_[pos_++];
        // The LF of a CR LF may arrive with the next chunk.
        if (ending == kCarriageReturn && (pos_ < end_ || fill()) && buffer_[pos_] == kLineFeed) {
            ++pos_;
        }
        return true;
    }
}
