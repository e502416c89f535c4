#include "inspect/raw_report_bytes.h"

#include <algorithm>
#include <cstring>

#include "inspect/line_batches.h"
#include "inspect/line_source.h"
#include "toolkit/os/file_system.h"

namespace {

// Room for the longest line a report holds and a large piece after it: few reads, and any line
// whole.
constexpr std::size_t kWindowBytes = 2 * kMaxReportLineBytes;

}  // namespace

RawReportBytes::RawReportBytes(osfs::File& file) : file_(file), window_(kWindowBytes, '\0') {}

std::string_view RawReportBytes::span(std::uint64_t begin, std::uint64_t end) {
    const std::uint64_t wanted = std::min<std::uint64_t>(end - begin, kWindowBytes);
    if (begin < start_ || begin + wanted > start_ + size_)
        refill(begin);
    return held(begin, end);
}

std::string_view RawReportBytes::piece(std::uint64_t begin, std::uint64_t end) {
    if (begin < start_ || begin >= start_ + size_)
        refill(begin);
    return held(begin, end);
}

std::string_view RawReportBytes::held(std::uint64_t begin, std::uint64_t end) const {
    if (begin < start_ || begin >= start_ + size_)
        return {};
    const std::size_t at = static_cast<std::size_t>(begin - start_);
    return {window_.data() + at,
            static_cast<std::size_t>(std::min<std::uint64_t>(end - begin, size_ - at))};
}

void RawReportBytes::refill(std::uint64_t begin) {
    std::size_t kept = 0;
    if (begin >= start_ && begin < start_ + size_) {
        kept = static_cast<std::size_t>(start_ + size_ - begin);
        std::memmove(window_.data(), window_.data() + (begin - start_), kept);
    }
    start_ = begin;
    size_ = kept;
    while (size_ < window_.size()) {
        const long long count = file_.readAt(static_cast<std::int64_t>(start_ + size_),
                                             window_.data() + size_, window_.size() - size_);
        if (count <= 0) {
            failed_ = count < 0;
            return;
        }
        size_ += static_cast<std::size_t>(count);
    }
}

std::string_view RawReportBytes::line(const ReportLine& line) {
    std::string_view bytes = span(line.offset, line.ended ? line.nextOffset - 2 : line.nextOffset);
    if (!line.ended && !bytes.empty() && bytes.back() == '\r')
        bytes.remove_suffix(1);
    return bytes;
}
