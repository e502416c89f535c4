#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "fuzz/fuzz_targets.h"
#include "tests/support/temp_folder.h"
#include "toolkit/line_reader.h"
#include "toolkit/os/code_page.h"
#include "toolkit/os/os_traits.h"

namespace {

// Lines of filler put the fuzzed bytes across the read-buffer boundaries of usual sizes, where
// a CR at the end of one buffer and its LF at the start of the next are easily mistaken.
const std::size_t kFillerSizes[] = {0, 511, 512, 4095, 4096, 8191, 65535, 65536, 65537};

// The most bytes of one character in UTF-8.
constexpr std::size_t kLongestCharacter = 4;

std::string filler(std::size_t size) {
    std::string text;
    while (text.size() < size)
        text += (text.size() % 64 == 63) ? '\n' : 'a';
    return text;
}

// The line-end rule, written plainly: CR LF or a lone CR ends a line, a lone LF where the
// platform says so; a last line without an end still counts.
std::vector<std::string> expectedLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::string line;
    bool open = false;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || (c == '\n' && os::kLoneLineFeedEndsLine)) {
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
            lines.push_back(line);
            line.clear();
            open = false;
        } else {
            line += c;
            open = true;
        }
    }
    if (open)
        lines.push_back(line);
    return lines;
}

std::string joined(const std::vector<std::string>& parts) {
    std::string all;
    for (const std::string& part : parts)
        all += part;
    return all;
}

const std::string& scratchFile() {
    static const TempFolder folder;
    static const std::string name = folder.file("lines.txt");
    return name;
}

}  // namespace

void fuzzLineReader(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    const std::uint8_t fillerChoice = in.byte();
    const std::uint8_t cap = in.byte();
    const std::string bytes =
        filler(kFillerSizes[fillerChoice % std::size(kFillerSizes)]) + in.rest();
    const std::size_t maxBytes = cap == 0 ? std::numeric_limits<std::size_t>::max() : cap;

    {
        osfs::File out;
        fuzzCheck(out.open(scratchFile(), osfs::OpenMode::Write), "scratch file opens");
        fuzzCheck(out.write(bytes.data(), bytes.size()) && out.close(), "scratch file written");
    }
    osfs::File file;
    fuzzCheck(file.open(scratchFile(), osfs::OpenMode::Read), "scratch file opens for reading");
    LineReader reader(file);
    std::vector<std::string> pieces;
    bool stopped = false;
    while (!reader.atEnd()) {
        std::string piece;
        bool cut = false;
        fuzzCheck(reader.readLine(piece, maxBytes, &cut), "a line of a readable file reads");
        fuzzCheck(piece.size() <= maxBytes, "no line is longer than its cap");
        // A piece that keeps nothing of its line leaves the reader where it was: the next
        // character is longer than the cap, which only a cap below the longest character does.
        if (cut && piece.empty()) {
            fuzzCheck(maxBytes < kLongestCharacter, "a cut keeps something under a usual cap");
            stopped = true;
            break;
        }
        // The reader hands out UTF-8; in the file's own code page the pieces are its bytes.
        std::string inFileBytes;
        os::appendInCodePage(inFileBytes, piece);
        pieces.push_back(inFileBytes);
        fuzzCheck(pieces.size() <= bytes.size() + 1, "every read moves on");
    }
    const std::vector<std::string> expected = expectedLines(bytes);
    if (cap == 0) {
        fuzzCheck(pieces == expected, "uncapped lines follow the line-end rule");
    } else if (stopped) {
        fuzzCheck(joined(expected).rfind(joined(pieces), 0) == 0,
                  "capped lines up to a stop are the file's first bytes");
    } else {
        fuzzCheck(joined(pieces) == joined(expected), "capped lines lose and add no byte");
    }
}
