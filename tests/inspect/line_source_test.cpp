// The report's lines as the line source takes them in pieces (whose ends 2 MiB falls on), mapped
// or read, also on a thread of its own and in runs of plain text lines: a line end split
// between two pieces, a line longer than any of a report's.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "inspect/line_source.h"
#include "inspect/report_records.h"
#include "tests/support/temp_folder.h"
#include "toolkit/os/file_system.h"

namespace {

constexpr std::size_t kPiece = 2 * 1024 * 1024;

struct Expected {
    std::string text;
    std::uint64_t offset;
    bool ended, cut;
};

// The lines by the report's rule, written plainly: CR LF ends a line, a last line without it
// is cut off (a CR at the file's end began its CR LF), a line keeps at most the bound.
std::vector<Expected> splitPlainly(const std::string& bytes) {
    std::vector<Expected> lines;
    std::size_t at = 0;
    while (at < bytes.size()) {
        std::size_t end = bytes.find("\r\n", at);
        const bool ended = end != std::string::npos;
        if (!ended)
            end = bytes.size() - (bytes.back() == '\r' ? 1 : 0);
        const std::size_t length = std::min(end - at, kMaxReportLineBytes);
        lines.push_back({bytes.substr(at, length), at, ended, end - at > kMaxReportLineBytes});
        at = ended ? end + 2 : bytes.size();
    }
    return lines;
}

// Short lines with lone LFs and CRs inside, some ending with "<BR>", one whose CR ends a piece and
// whose LF begins the next, a line of 8 MiB whose CR too ends a piece (after one whole piece of it
// was dropped), lines of hundreds of kilobytes, which take their room from the piece read behind
// them, and a last line without its line end.
std::string longReport(const std::string& ending) {
    std::string bytes;
    for (int i = 0; bytes.size() < kPiece - 40; ++i)
        bytes += "line " + std::to_string(i) + (i % 7 == 0 ? " lone\nLF and\rCR" : "") +
                 (i % 5 == 0 ? "<BR>\r\n" : "\r\n");
    bytes += std::string(kPiece - 1 - bytes.size(), 'x') + "\r\n";
    bytes += std::string(5 * kPiece - 1 - bytes.size() - 4, 'y') + "<BR>\r\nafter\r\n";
    for (const std::size_t kilobytes : {300, 450, 500, 700})
        bytes += std::string(kilobytes * 1024, 'z') + "\r\n";
    for (int i = 0; i < 100000; ++i)
        bytes += "more " + std::to_string(i) + "<BR>\r\n";
    return bytes + ending;
}

// Lines taken one by one, or a run of plain text lines at a time where there is one, give the
// same lines.
TEST(ReportLineSource, SplitsAtCrLfAcrossPiecesWithAndWithoutReadingAheadOrRuns) {
    TempFolder temp;
    for (const std::string& ending :
         {std::string("last"), std::string("last\r"), std::string(""), std::string("\r\n")}) {
        const std::string bytes = longReport(ending);
        ASSERT_EQ(bytes.substr(kPiece - 1, 2), "\r\n");
        ASSERT_EQ(bytes.substr(5 * kPiece - 1, 2), "\r\n");
        const std::string name = temp.write("report.htm", bytes);
        const std::vector<Expected> expected = splitPlainly(bytes);
        for (const int way : {0, 1, 2, 3, 4, 5, 6, 7}) {
            const bool readAhead = way & 1, runs = way & 2;
            const ReportBytes bytesTaken = way & 4 ? ReportBytes::Read : ReportBytes::Mapped;
            SCOPED_TRACE(testing::PrintToString(ending) + (readAhead ? " ahead" : "") +
                         (runs ? " runs" : "") + (way & 4 ? " read" : " mapped"));
            osfs::File file;
            ASSERT_TRUE(file.open(name, osfs::OpenMode::Read));
            ReportLineSource source(file, TextDecoding{}, readAhead, bytesTaken);
            ReportLine line;
            TextRun run;
            std::size_t count = 0, runLines = 0;
            while (count < expected.size()) {
                if (runs && source.nextTextRun(run)) {
                    ASSERT_EQ(run.firstNumber, count + 1);
                    std::uint64_t offset = run.offset;
                    for (std::uint64_t i = 0; i < run.lines; ++i, ++runLines) {
                        const Expected& want = expected[count++];
                        const std::string text(takeTextLine(run.bytes));
                        ASSERT_EQ(text + "<BR>", want.text) << "line " << count;
                        ASSERT_EQ(offset, want.offset) << "line " << count;
                        ASSERT_TRUE(want.ended && !want.cut) << "line " << count;
                        offset += text.size() + 6;
                    }
                    ASSERT_TRUE(run.bytes.empty());
                    ASSERT_EQ(run.nextOffset, offset);
                    continue;
                }
                if (!source.next(line))
                    break;
                const Expected& want = expected[count++];
                ASSERT_EQ(line.text, want.text) << "line " << count;
                ASSERT_EQ(line.number, count);
                ASSERT_EQ(line.offset, want.offset) << "line " << count;
                ASSERT_EQ(line.ended, want.ended) << "line " << count;
                ASSERT_EQ(line.cut, want.cut) << "line " << count;
            }
            EXPECT_EQ(count, expected.size());
            EXPECT_EQ(runLines > 100000, runs);
            EXPECT_FALSE(source.next(line));
            EXPECT_FALSE(source.nextTextRun(run));
            EXPECT_FALSE(source.failed());
        }
    }
}

}  // namespace
