#include "inspect/line_batches.h"

#include <algorithm>
#include <cstring>

#include "inspect/text_line_blocks.h"
#include "toolkit/os/file_system.h"

namespace {

// Pieces of half a megabyte keep the calls to the system few (a report can be hundreds of
// megabytes) and the room of the batches small: the first touch of new pages is slow, and a
// piece read is scanned again while it is still in the processor's cache. On the largest
// benchmark report they took a tenth less time than pieces of 2 MiB. A mapped report is handed
// on in pieces of the same size.
constexpr std::size_t kPieceBytes = 512 * 1024;
constexpr std::size_t kSmallestPieceBytes = 64 * 1024;

// The position of the CR of the first CR LF in the batch's bytes from `from` on, or npos.
std::size_t lineEnd(const LineBatch& batch, std::size_t from) {
    const char* data = batch.data;
    while (from < batch.size) {
        const void* found = std::memchr(data + from, '\n', batch.size - from);
        if (found == nullptr)
            break;
        const std::size_t at = static_cast<std::size_t>(static_cast<const char*>(found) - data);
        if (at > 0 && data[at - 1] == '\r')
            return at - 1;
        from = at + 1;
    }
    return std::string::npos;
}

// Gives the batch room for `bytes` in all, no more (a string's own growth doubles), keeping its
// bytes.
void growRoom(LineBatch& batch, std::size_t bytes) {
    std::string room;
    room.reserve(bytes);
    room.assign(batch.bytes, 0, batch.size);
    room.resize(bytes);
    batch.bytes.swap(room);
    batch.data = batch.bytes.data();
}

// The file to map: where the report is only to be read, a file that is not open, which maps
// nothing.
const osfs::File& fileToMap(const osfs::File& file, ReportBytes bytes) {
    static const osfs::File notOpen;
    return bytes == ReportBytes::Mapped ? file : notOpen;
}

}  // namespace

LineSplitter::LineSplitter(osfs::File& file, TextDecoding decoding, ReportBytes bytes)
    : file_(file), mapping_(fileToMap(file, bytes)), decoding_(decoding) {}

void LineSplitter::seek(std::uint64_t offset, std::uint64_t number, std::uint64_t end) {
    readAt_ = carryOffset_ = offset;
    nextNumber_ = number;
    stopAt_ = end;
    carry_.clear();
    skipping_ = done_ = failed_ = false;
}

long long LineSplitter::readPiece(LineBatch& batch) {
    // A small report is read in a piece of its own size, not one of a large report's.
    const std::uint64_t size = file_.size() > 0 ? static_cast<std::uint64_t>(file_.size()) : 0;
    const std::uint64_t left = size > readAt_ ? size - readAt_ : 0;
    const std::uint64_t beforeStop = stopAt_ > readAt_ ? stopAt_ - readAt_ : 0;
    if (mapping_.mapped()) {
        // The piece is the mapped bytes behind the batch's.
        const auto piece = static_cast<std::size_t>(
            std::min({left, beforeStop, static_cast<std::uint64_t>(kPieceBytes)}));
        batch.size += piece;
        readAt_ += piece;
        return static_cast<long long>(piece);
    }
    std::size_t wanted = static_cast<std::size_t>(std::min<std::uint64_t>(
        std::clamp<std::uint64_t>(left, kSmallestPieceBytes, kPieceBytes), beforeStop));
    if (wanted == 0)
        return 0;
    // The start of a line carried over takes its room from the piece read behind it, and the
    // room grows only for a line too long to leave the smallest piece beside it, by just one
    // piece: the pages of new room are slow to touch the first time, and a report's longest
    // lines (hundreds of kilobytes) would otherwise make every batch's room grow.
    const std::size_t free = batch.bytes.size() - batch.size;
    if (free >= kSmallestPieceBytes) {
        wanted = std::min(wanted, free);
    } else {
        growRoom(batch, batch.size + wanted);
    }
    const long long count =
        file_.readAt(static_cast<std::int64_t>(readAt_), batch.bytes.data() + batch.size, wanted);
    if (count > 0) {
        batch.size += static_cast<std::size_t>(count);
        readAt_ += static_cast<std::uint64_t>(count);
    }
    return count;
}

void LineSplitter::addLine(LineBatch& batch, std::size_t start, std::size_t length,
                           std::size_t next, bool ended) {
    if (batch.lines.empty())
        batch.firstNumber = nextNumber_;
    ++nextNumber_;
    const std::string_view bytes(batch.data + start, std::min(length, kMaxReportLineBytes));
    const std::string_view text = decodeLine(decoding_, bytes, scratch_);
    // Filled where it stands: a line built aside and copied in was a fifth of the reading.
    LineBatch::Line& line = batch.lines.emplace_back();
    line.converted = text.data() != bytes.data();
    line.start = static_cast<std::uint32_t>(line.converted ? batch.decoded.size() : start);
    line.length = static_cast<std::uint32_t>(text.size());
    line.rawStart = static_cast<std::uint32_t>(start);
    line.next = static_cast<std::uint32_t>(next);
    line.ended = ended;
    line.cut = length > kMaxReportLineBytes;
    if (line.converted)
        batch.decoded.append(text);
}

std::size_t LineSplitter::addTextRun(LineBatch& batch, std::size_t start) {
    std::size_t lines = 0;
    const std::size_t length = textblocks::plainTextLines(
        std::string_view(batch.data + start, batch.size - start), kMaxReportLineBytes, lines);
    if (lines == 0)
        return start;
    if (batch.lines.empty())
        batch.firstNumber = nextNumber_;
    nextNumber_ += lines;
    LineBatch::Line& run = batch.lines.emplace_back();
    run.start = run.rawStart = static_cast<std::uint32_t>(start);
    run.length = static_cast<std::uint32_t>(length);
    run.next = static_cast<std::uint32_t>(start + length);
    run.runLines = static_cast<std::uint32_t>(lines);
    return start + length;
}

bool LineSplitter::fill(LineBatch& batch) {
    if (mapping_.mapped()) {
        // The lines of the batch's last use, and all before them, are done with (a new batch's
        // offset, 0, hands nothing back).
        mapping_.release(batch.offset);
        batch.data = mapping_.data() + carryOffset_;
        batch.size = static_cast<std::size_t>(readAt_ - carryOffset_);
    } else {
        batch.size = 0;
        if (batch.bytes.size() < carry_.size() + kSmallestPieceBytes)
            growRoom(batch, carry_.size() + kPieceBytes);
        batch.data = batch.bytes.data();
        std::memcpy(batch.bytes.data(), carry_.data(), carry_.size());
        batch.size = carry_.size();
        carry_.clear();
    }
    batch.decoded.clear();
    batch.lines.clear();
    batch.offset = carryOffset_;
    while (batch.lines.empty() && !done_) {
        const long long count = readPiece(batch);
        failed_ = count < 0;
        done_ = count <= 0;
        const std::size_t size = batch.size;
        std::size_t pos = skipping_ ? 0 : addTextRun(batch, 0);
        for (std::size_t end = lineEnd(batch, pos); end != std::string::npos;
             end = lineEnd(batch, pos)) {
            // The end of a line too long to keep ends its dropping.
            if (!skipping_)
                addLine(batch, pos, end - pos, end + 2, true);
            skipping_ = false;
            pos = addTextRun(batch, end + 2);
        }
        // A CR at the end may begin the CR LF that ends a line in the next piece.
        const std::size_t keepCr = pos < size && batch.data[size - 1] == '\r' ? 1 : 0;
        if (done_) {
            // The last line, which the file cuts off; a CR at its end began the missing CR LF.
            if (pos < size && !skipping_)
                addLine(batch, pos, size - pos - keepCr, size, false);
            pos = size;
        } else if (skipping_) {
            pos = size - keepCr;
        } else if (size - pos > kMaxReportLineBytes) {
            // Only the start of a line longer than any of a report's is kept; the rest is
            // dropped up to its CR LF.
            addLine(batch, pos, size - pos, pos + kMaxReportLineBytes, true);
            skipping_ = true;
            pos = size - keepCr;
        }
        if (batch.lines.empty()) {
            // Nothing whole yet: the batch begins at the line's start (moved to the front of the
            // room where the report is read), and the next piece follows it.
            if (mapping_.mapped())
                batch.data += pos;
            else
                std::memmove(batch.bytes.data(), batch.bytes.data() + pos, size - pos);
            batch.size = size - pos;
            batch.offset += pos;
        } else {
            if (!mapping_.mapped())
                carry_.assign(batch.bytes, pos, size - pos);
            carryOffset_ = batch.offset + pos;
        }
    }
    batch.last = done_;
    return !batch.lines.empty();
}
