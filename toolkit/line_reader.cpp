#include "toolkit/line_reader.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "toolkit/os/code_page.h"
#include "toolkit/os/os_traits.h"

namespace {

constexpr std::size_t kChunkBytes = 64 * 1024;
constexpr char kCarriageReturn = '\r';
constexpr char kLineFeed = '\n';

constexpr std::uint64_t kEveryByteOne = 0x0101010101010101ULL;
constexpr std::uint64_t kEveryByteHigh = 0x8080808080808080ULL;

// Non-zero when one of the eight bytes of `word` equals `byte`.
std::uint64_t holdsByte(std::uint64_t word, char byte) {
    const std::uint64_t differs = word ^ (kEveryByteOne * static_cast<unsigned char>(byte));
    return (differs - kEveryByteOne) & ~differs & kEveryByteHigh;
}

// The position of the first line end in text[from, to), or `to`. Every byte of the report's
// embedded text passes here, so whole words of eight bytes that hold no line end are skipped
// at once; the word that holds one is searched byte by byte.
std::size_t lineEndFrom(const std::string& text, std::size_t from, std::size_t to) {
    const bool loneLineFeedEnds = os::kLoneLineFeedEndsLine;
    const char* begin = text.data();
    std::size_t at = from;
    for (; to - at >= sizeof(std::uint64_t); at += sizeof(std::uint64_t)) {
        std::uint64_t word;
        std::memcpy(&word, begin + at, sizeof word);
        if (holdsByte(word, kCarriageReturn) || (loneLineFeedEnds && holdsByte(word, kLineFeed)))
            break;
    }
    const char* found = std::find_if(begin + at, begin + to, [loneLineFeedEnds](char c) {
        return c == kCarriageReturn || (loneLineFeedEnds && c == kLineFeed);
    });
    return static_cast<std::size_t>(found - begin);
}

bool isUtf8Continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// How much of the `room` bytes from `from` to take so that no UTF-8 character is split: a
// character cut in two would be written back as "?" in the code page. A piece keeps at least one
// byte, so a read always moves on.
std::size_t wholeCharacters(const std::string& text, std::size_t from, std::size_t room) {
    constexpr std::size_t kLongestCharacter = 4;
    std::size_t piece = room;
    while (piece > 1 && room - piece < kLongestCharacter - 1 &&
           isUtf8Continuation(text[from + piece])) {
        --piece;
    }
    return piece;
}

}  // namespace

LineReader::LineReader(osfs::File& file) : file_(file), buffer_(ownBuffer_) {}

LineReader::LineReader(osfs::File& file, std::string& buffer) : file_(file), buffer_(buffer) {}

bool LineReader::fill() {
    if (eof_)
        return false;
    // Called only once every byte read so far has been handed out: the file is read straight
    // into the front of the buffer and turned into UTF-8 where it lies.
    pos_ = 0;
    end_ = 0;
    if (buffer_.size() < kChunkBytes)
        buffer_.resize(kChunkBytes);
    const long long count = file_.read(buffer_.data(), kChunkBytes);
    if (count > 0)
        end_ = os::fromCodePageInPlace(buffer_, static_cast<std::size_t>(count));
    // A failed read may succeed when tried again, so the failure is not kept past the next try.
    failed_ = count < 0;
    eof_ = count == 0;
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
    // A cap of 0 would return the same empty piece forever; every read keeps at least one byte.
    std::size_t room = std::max<std::size_t>(maxBytes, 1);
    for (;;) {
        if (pos_ == end_ && !fill())
            return !failed_;
        const std::size_t end = lineEndFrom(buffer_, pos_, end_);
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
