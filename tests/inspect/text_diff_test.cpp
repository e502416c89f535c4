// The line diff of an embedded text: its hunks as a unified diff numbers them, three unchanged
// lines around each change.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "inspect/text_diff.h"

namespace {

std::vector<std::string> numbered(int count, int changedAt = 0, int changedAt2 = 0) {
    std::vector<std::string> lines;
    for (int line = 1; line <= count; ++line)
        lines.push_back(line == changedAt || line == changedAt2 ? "changed" : std::to_string(line));
    return lines;
}

std::string headers(const std::vector<DiffHunk>& hunks) {
    std::string text;
    for (const DiffHunk& hunk : hunks) {
        text += "-" + std::to_string(hunk.beforeStart) + "," + std::to_string(hunk.beforeLines) +
                " +" + std::to_string(hunk.afterStart) + "," + std::to_string(hunk.afterLines) +
                " ";
        for (const DiffHunk::Line& line : hunk.lines)
            text += line.change;
        text += ";";
    }
    return text;
}

TEST(TextDiff, HunksAreNumberedAsAUnifiedDiffNumbersThem) {
    const struct {
        std::vector<std::string> before, after;
        const char* hunks;
    } kCases[] = {
        // A side without lines starts at the line before it: an added and a removed file.
        {{}, {"a", "b"}, "-0,0 +1,2 ++;"},
        {{"a", "b"}, {}, "-1,2 +0,0 --;"},
        {numbered(10), numbered(10, 5), "-2,7 +2,7    -+   ;"},
        {numbered(20), numbered(20, 2, 18), "-1,5 +1,5  -+   ;-15,6 +15,6    -+  ;"},
        {numbered(30), numbered(33), "-28,3 +28,6    +++;"},
        {numbered(4), numbered(4), ""},
    };
    for (const auto& row : kCases)
        EXPECT_EQ(headers(diffLines(row.before, row.after)), row.hunks);
}

}  // namespace
