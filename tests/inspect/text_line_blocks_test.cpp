// The scans over runs of plain text lines, 64 bytes at a time, at each width: where a run ends,
// against the scan a line at a time, and the copy of a run as a JSON string's content, against
// the same text escaped a line at a time, in an output of any room.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "inspect/byte_scan.h"
#include "inspect/line_batches.h"
#include "inspect/report_records.h"
#include "inspect/text_line_blocks.h"
#include "toolkit/processor.h"

namespace {

using RunScan = std::size_t (*)(std::string_view, std::size_t, std::size_t&);
using RunCopy = std::size_t (*)(std::string_view, char*, std::size_t, std::size_t&);

template <typename Scan>
std::vector<Scan> atEachWidth(Scan narrow, Scan wide, Scan widest) {
    std::vector<Scan> widths = {narrow};
    if (processorHasAvx2())
        widths.push_back(wide);
    if (processorHasAvx512Bytes())
        widths.push_back(widest);
    return widths;
}

// Texts of short pieces: mostly plain words and line ends, now and then a byte or a line end
// that ends a run; so that line ends fall on every place of a block and across blocks.
std::string randomText(std::mt19937& random, bool plainOnly) {
    static const std::vector<std::string> kPlain = {
        "a", "word ", "longer words of a line ", "\"", "\\", "B", "R>", "<BR>\r\n", "<BR>\r\n"};
    static const std::vector<std::string> kBreaking = {
        "\x01",     "\t",   "\xC3\xA9", "\x80",    "<b>", "<",  "<BR>\n", "<BR>\r",
        "<br>\r\n", "\r\n", "BR>\r\n",  "<BR\r\n", "\n",  "\r", "\x7f<"};
    std::string text;
    const std::size_t pieces = std::uniform_int_distribution<std::size_t>(0, 120)(random);
    for (std::size_t i = 0; i < pieces; ++i) {
        if (!plainOnly && std::uniform_int_distribution<int>(0, 40)(random) == 0)
            text += kBreaking[random() % kBreaking.size()];
        else
            text += kPlain[random() % kPlain.size()];
    }
    return text;
}

TEST(TextLineBlocks, RunsEndWhereTheScanALineAtATimeEndsThem) {
    std::mt19937 random(20261208);
    for (const RunScan scan :
         atEachWidth<RunScan>(textblocks::plainTextLines16, textblocks::plainTextLines32,
                              textblocks::plainTextLines64)) {
        for (int round = 0; round < 20000; ++round) {
            const std::string text = randomText(random, round % 4 == 0);
            for (const std::size_t longest :
                 {kMaxReportLineBytes, std::size_t{10}, std::size_t{90}}) {
                std::size_t wantLines = 0, lines = 0;
                const std::size_t want = bytescan::plainTextLinesByLine(text, longest, wantLines);
                ASSERT_EQ(scan(text, longest, lines), want) << testing::PrintToString(text);
                ASSERT_EQ(lines, wantLines) << testing::PrintToString(text);
            }
        }
    }
}

// The run's lines escaped one by one, as JsonWriter::stringLine writes them.
std::string escapedLines(std::string_view run) {
    std::string escaped;
    forEachTextLine(run, [&](std::string_view line) {
        for (const char c : line) {
            if (c == '"' || c == '\\')
                escaped += '\\';
            escaped += c;
        }
        escaped += "\\n";
    });
    return escaped;
}

TEST(TextLineBlocks, ACopyAsJsonIsTheRunEscapedLineByLineInAnyRoom) {
    std::mt19937 random(8);
    constexpr char kUntouched = '\x55';
    for (const RunCopy copy : atEachWidth<RunCopy>(
             textblocks::copyAsJson16, textblocks::copyAsJson32, textblocks::copyAsJson64)) {
        for (int round = 0; round < 5000; ++round) {
            std::string run = randomText(random, true);
            run.resize(run.rfind("<BR>\r\n") == std::string::npos ? 0 : run.rfind("<BR>\r\n") + 6);
            for (const std::size_t room : {std::size_t{0}, std::size_t{127}, std::size_t{128},
                                           std::size_t{200}, std::size_t{4096}}) {
                // As the writer does: copies while the room holds a block, and writes the last
                // bytes a line at a time; a room too small for a block takes nothing.
                std::string written;
                std::string_view rest = run;
                std::vector<char> out(room + 80, kUntouched);
                while (rest.size() >= textblocks::kCopyRoom) {
                    std::size_t used = 0;
                    const std::size_t copied = copy(rest, out.data(), room, used);
                    ASSERT_LE(used, room);
                    ASSERT_TRUE(std::all_of(out.begin() + static_cast<std::ptrdiff_t>(room),
                                            out.end(), [](char c) { return c == kUntouched; }));
                    if (copied == 0)
                        break;
                    rest.remove_prefix(copied);
                    written.append(out.data(), used);
                }
                if (room < textblocks::kCopyRoom) {
                    ASSERT_TRUE(written.empty());
                }
                ASSERT_EQ(written + escapedLines(rest), escapedLines(run))
                    << testing::PrintToString(run) << " room " << room;
            }
        }
    }
}

}  // namespace
