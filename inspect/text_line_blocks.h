#pragma once

#include <cstddef>
#include <string_view>

// Runs of plain text lines (bytescan::plainTextLinesByLine says what they are) hold most of a
// report's bytes, and each of those bytes passes through the two scans here: finding where a
// run ends, and copying a run as the content of a JSON string. Both take 64 bytes at a time,
// as masks of one bit a byte, so that a line costs no branch of its own: with AVX-512's byte
// instructions or AVX2 where the processor has them (processor.h), with SSE2 elsewhere (both
// targets are x86-64).
namespace textblocks {

// The length of the run of whole plain text lines at the start of `text`, none longer than
// `longestLine`; `lines` receives their count. The same answer as plainTextLinesByLine.
std::size_t plainTextLines(std::string_view text, std::size_t longestLine, std::size_t& lines);

// Copies the start of `run`, a run of plain text lines, to `out` as the content of a JSON
// string: each line's "<BR>" and line end as "\n", a quote or backslash behind a backslash.
// Stops before the last 64 bytes of the run, and where less than kCopyRoom bytes of `room` are
// left; writes only into the `room` bytes at `out`. Answers the bytes of `run` copied, which
// end between two lines or inside one, never inside a line end; `written` receives the bytes
// written.
constexpr std::size_t kCopyRoom = 128;
std::size_t copyAsJson(std::string_view run, char* out, std::size_t room, std::size_t& written);

// The same, 16 bytes (SSE2), 32 bytes (AVX2) and 64 bytes (AVX-512) at a time; the wider ones
// only where the processor has them.
std::size_t plainTextLines16(std::string_view text, std::size_t longestLine, std::size_t& lines);
std::size_t plainTextLines32(std::string_view text, std::size_t longestLine, std::size_t& lines);
std::size_t copyAsJson16(std::string_view run, char* out, std::size_t room, std::size_t& written);
std::size_t copyAsJson32(std::string_view run, char* out, std::size_t room, std::size_t& written);
std::size_t plainTextLines64(std::string_view text, std::size_t longestLine, std::size_t& lines);
std::size_t copyAsJson64(std::string_view run, char* out, std::size_t room, std::size_t& written);

}  // namespace textblocks
