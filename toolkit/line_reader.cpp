#include "toolkit/line_reader.h"

#include <cstring>
#include <string_view>

#include "toolkit/os/os_traits.h"
#include "toolkit/whole_characters.h"

namespace {

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

LineReader::LineReader(osfs::File& file) : LineReader(file, ownBuffer_) {}

LineReader::LineReader(osfs::File& file, std::string& buffer, os::CodePage codePage)
    : buffer_(buffer), pieces_(file, buffer, codePage) {}

// Called only once every byte read so far has been handed out: the next piece comes to the
// front of the buffer.
bool LineReader::fill() {
    pos_ = 0;
    end_ = 0;
    lineFeed_ = kNotSearched;
    const long long length = pieces_.next();
    // A failed read may succeed when tried again, so the failure is not kept past the next try.
    failed_ = length < 0;
    if (length > 0)
        end_ = static_cast<std::size_t>(length);
    return length > 0;
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
            const std::size_t piece =
                wholeUtf8Prefix(std::string_view(buffer_).substr(pos_, end - pos_), room);
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
