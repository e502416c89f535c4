#include "toolkit/text_piece_reader.h"

#include <algorithm>
#include <string_view>

namespace {

constexpr std::size_t kChunkBytes = 64 * 1024;

}  // namespace

// A file not open yet (size -1), or of size 0 (which the system also gives for files whose
// size it does not know, such as those of /proc), is read until a read gives nothing.
TextPieceReader::TextPieceReader(osfs::File& file, std::string& buffer, os::CodePage codePage)
    : file_(file),
      buffer_(buffer),
      codePage_(codePage),
      characterBytes_(os::characterBytesOf(codePage)),
      unread_(file.size() > 0 ? file.size() : -1) {}

long long TextPieceReader::next() {
    if (buffer_.size() < carried_.size() + kChunkBytes)
        buffer_.resize(carried_.size() + kChunkBytes);
    // A read that gives less than one whole character (a short read of a pipe-like file) is
    // followed by another.
    std::size_t whole = 0;
    while (whole == 0 && !eof_) {
        std::copy_n(carried_.data(), carriedCount_, buffer_.data());
        const long long count = file_.read(buffer_.data() + carriedCount_, kChunkBytes);
        if (count < 0)
            return -1;
        eof_ = count == 0;
        // Once exactly the size of the opened file has been read, the end is known: the read
        // that would give nothing is saved (one for every file read whole). A read cut short
        // before that (some file systems give them) changes nothing, and a file that grew after
        // its open, whose reads pass its size, is read on until a read gives nothing.
        if (count > 0 && unread_ > 0) {
            unread_ -= count;
            eof_ = unread_ == 0;
        }
        const std::size_t bytes = carriedCount_ + static_cast<std::size_t>(count);
        whole = eof_
                    ? bytes
                    : wholeCharacterBytes(std::string_view(buffer_.data(), bytes), characterBytes_);
        carriedCount_ = bytes - whole;
        std::copy_n(buffer_.data() + whole, carriedCount_, carried_.data());
    }
    return static_cast<long long>(whole == 0 ? 0
                                             : os::fromCodePageInPlace(buffer_, whole, codePage_));
}
