#include "inspect/line_source.h"

#include <algorithm>
#include <cstring>

#include "toolkit/os/file_system.h"

namespace {

// Large pieces keep the calls to the system few: a report can be hundreds of megabytes.
constexpr std::size_t kPieceBytes = 2 * 1024 * 1024;
constexpr std::size_t kSmallestPieceBytes = 64 * 1024;

}  // namespace

ReportLineSource::ReportLineSource(osfs::File& file, TextDecoding decoding)
    : file_(file), decoding_(decoding) {}

void ReportLineSource::seek(std::uint64_t offset, std::uint64_t number, std::uint64_t end) {
    bufferOffset_ = offset;
    stopAt_ = end;
    nextNumber_ = number;
    pos_ = end_ = scanned_ = 0;
    eof_ = failed_ = false;
}

std::size_t ReportLineSource::lineEnd(std::size_t from) const {
    const char* data = buffer_.data();
    while (from < end_) {
        const void* found = std::memchr(data + from, '\n', end_ - from);
        if (found == nullptr)
            return end_;
        const std::size_t at = static_cast<std::size_t>(static_cast<const char*>(found) - data);
        if (at > pos_ && data[at - 1] == '\r')
            return at - 1;
        from = at + 1;
    }
    return end_;
}

bool ReportLineSource::fill() {
    if (eof_ || failed_)
        return false;
    // The bytes not yet handed out move to the front, behind them comes the next piece.
    if (pos_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + pos_, end_ - pos_);
        bufferOffset_ += pos_;
        end_ -= pos_;
        scanned_ -= pos_;
        pos_ = 0;
    }
    // A small report is read in a piece of its own size, not one of a large report's.
    const std::uint64_t at = bufferOffset_ + end_;
    const std::uint64_t size = file_.size() > 0 ? static_cast<std::uint64_t>(file_.size()) : 0;
    const std::uint64_t left = size > at ? size - at : 0;
    const std::size_t piece =
        static_cast<std::size_t>(std::clamp<std::uint64_t>(left, kSmallestPieceBytes, kPieceBytes));
    if (buffer_.size() < end_ + piece)
        buffer_.resize(end_ + piece);
    const std::uint64_t wanted =
        std::min<std::uint64_t>(buffer_.size() - end_, stopAt_ > at ? stopAt_ - at : 0);
    const long long count = wanted == 0
                                ? 0
                                : file_.readAt(static_cast<std::int64_t>(at), buffer_.data() + end_,
                                               static_cast<std::size_t>(wanted));
    failed_ = count < 0;
    eof_ = count <= 0;
    if (count > 0)
        end_ += static_cast<std::size_t>(count);
    return count > 0;
}

void ReportLineSource::skipRestOfLine() {
    for (;;) {
        const std::size_t end = lineEnd(scanned_);
        if (end < end_) {
            pos_ = scanned_ = end + 2;
            return;
        }
        // Everything but a last CR, whose LF may come with the next piece, is dropped.
        const std::size_t keep = end_ > pos_ && buffer_[end_ - 1] == '\r' ? end_ - 1 : end_;
        pos_ = scanned_ = keep;
        if (!fill())
            return;
    }
}

bool ReportLineSource::next(ReportLine& line) {
    for (;;) {
        const std::size_t end = lineEnd(scanned_);
        std::size_t length = end - pos_;
        const bool found = end < end_;
        const bool tooLong = length >= kMaxReportLineBytes;
        if (!found && !tooLong && fill())
            continue;
        // The CR of a line that the file cuts off between CR and LF is no part of it.
        if (!found && length > 0 && !tooLong && buffer_[end - 1] == '\r')
            --length;
        if (!found && length == 0 && pos_ == end_)
            return false;
        line.number = nextNumber_++;
        line.offset = bufferOffset_ + pos_;
        line.ended = found && !tooLong;
        line.cut = tooLong;
        if (tooLong)
            length = kMaxReportLineBytes;
        line.text =
            decodeLine(decoding_, std::string_view(buffer_.data() + pos_, length), scratch_);
        if (tooLong) {
            // The rest of the line is dropped; what was handed out stays where it is, in front
            // of the bytes that the next read may move.
            scratch_.assign(line.text);
            line.text = scratch_;
            pos_ += length;
            scanned_ = pos_;
            skipRestOfLine();
        } else {
            pos_ = scanned_ = found ? end + 2 : end_;
        }
        line.nextOffset = bufferOffset_ + pos_;
        return true;
    }
}
