#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace osfs {
class File;
}
struct ReportLine;

// A report's bytes exactly as the file holds them, read in order a large piece at a time. The
// line source hands lines out as UTF-8; a copy of the report that must keep the bytes of a
// report in a Windows code page takes them from here, by the offsets the line source gives.
class RawReportBytes {
public:
    explicit RawReportBytes(osfs::File& file);

    // The bytes from `begin` up to `end`, all of them when the file holds them and they are
    // no more than a few mebibytes (any line of a report). Empty where the file ends at `begin`
    // or cannot be read (failed()). Valid until the next call.
    std::string_view span(std::uint64_t begin, std::uint64_t end);
    // The bytes of a line the line source gave, without its line end (nor the CR that began the
    // line end of a last line the file cuts off there). Valid until the next call.
    std::string_view line(const ReportLine& line);
    // The bytes from `begin` up to `end` that the window holds, read anew only where it holds
    // none: for a copy of a long stretch, which takes them piece by piece.
    std::string_view piece(std::uint64_t begin, std::uint64_t end);
    bool failed() const { return failed_; }

private:
    // What the window holds of the bytes from `begin` up to `end`.
    std::string_view held(std::uint64_t begin, std::uint64_t end) const;
    // Reads from `begin` on, keeping what the window already holds of it.
    void refill(std::uint64_t begin);

    osfs::File& file_;
    std::string window_;
    std::uint64_t start_ = 0;  // where the window's bytes begin in the file
    std::size_t size_ = 0;     // how many it holds
    bool failed_ = false;
};
