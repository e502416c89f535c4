// What the report page embeds as text: the files it shows and the mail link's text.
#include <gtest/gtest.h>

#include <string>

#include "report/read_text_file.h"
#include "report/secret_mask.h"
#include "tests/report/support/report_fixture.h"
#include "toolkit/os/file_system.h"

namespace {

std::string numbered(int count, const std::string& lineEnd) {
    std::string text;
    for (int i = 1; i <= count; ++i)
        text += std::to_string(i) + lineEnd;
    return text;
}

const std::string kWarning = "WARNING - FILE NOT FULLY LOADED (maxLines = ";

using PageTextTest = ReportTest;

TEST_F(PageTextTest, LinesAreCutAtTheLineCapOrTheByteBoundAndAMissingFileIsLogged) {
    const std::string oneMiB(kMaxEmbeddedBytes, 'x');
    const std::string halfMiB(kMaxEmbeddedBytes / 2, 'h');
    const std::string euro = "\xE2\x82\xAC";  // a character that takes more bytes than are left
    const std::string almost(kMaxEmbeddedBytes - 1, 'x');
    const std::string almostBut4(kMaxEmbeddedBytes - 4, 'x');
    struct Case {
        std::string content;
        bool addBreaks;
        int cap;
        std::string expected;
    };
    const Case cases[] = {
        {"", true, 5, ""},
        {"a\r\nb", true, 5, "a<BR>\r\nb<BR>\r\n"},
        {numbered(3, "\r\n"), false, 3, numbered(3, "\r\n")},
        {numbered(4, "\r\n"), false, 3, numbered(3, "\r\n") + kWarning + "3"},
        {numbered(1001, "\r\n"), true, 1000, numbered(1000, "<BR>\r\n") + kWarning + "1,000"},
        {numbered(401, "\r\n"), false, 0, numbered(400, "\r\n") + kWarning + "400"},
        {oneMiB, false, 5, oneMiB + "\r\n"},
        {oneMiB + "yz", true, 5, oneMiB + "<BR>\r\n" + kWarning + "5"},
        {oneMiB + "\r\nnext", false, 5, oneMiB + "\r\n" + kWarning + "5"},
        // The bound counts the file's bytes, not the breaks and line ends added to them.
        {halfMiB + "\r\n" + halfMiB, true, 5, halfMiB + "<BR>\r\n" + halfMiB + "<BR>\r\n"},
        // A cut keeps whole characters: the text ends before the first that does not fit, in
        // the middle of a line, at the end of the reader's 64 KiB read, or at a line's start,
        // which then is left out.
        {almostBut4 + "\r\nabc" + euro, true, 5,
         almostBut4 + "<BR>\r\nabc<BR>\r\n" + kWarning + "5"},
        {almost + euro, true, 5, almost + "<BR>\r\n" + kWarning + "5"},
        {almost + "\r\n" + euro, true, 5, almost + "<BR>\r\n" + kWarning + "5"},
    };
    // One text serves every case, as the report reuses it: nothing of a case may remain in the
    // next.
    std::string text;
    for (const Case& c : cases) {
        int cap = c.cap;
        ReadTextFileInto(text, folder.write("in.txt", c.content), true, c.addBreaks, cap);
        EXPECT_EQ(text, c.expected) << c.content.substr(0, 12);
        EXPECT_EQ(cap, c.cap == 0 ? 400 : c.cap);  // a cap of 0 is handed back as its value
    }
    // Without lines the file comes whole, whatever the cap, up to the byte bound.
    EXPECT_EQ(ReadTextFile(folder.write("in.txt", "a\r\nb\rc"), false, true, 1), "a\r\nb\rc");
    EXPECT_EQ(ReadTextFile(folder.write("in.txt", oneMiB), false, true, 1), oneMiB);
    EXPECT_EQ(ReadTextFile(folder.write("in.txt", oneMiB + "z"), false, true, 1),
              oneMiB + kWarning + "1");
    EXPECT_EQ(ReadTextFile(folder.write("in.txt", almost + euro), false, true, 1),
              almost + kWarning + "1");

    int cap = 0;
    ReadTextFileInto(text, folder.file("missing.txt"), true, true, cap);
    EXPECT_EQ(text, "");
    EXPECT_NE(logText().find(", Cant load the file " + folder.file("missing.txt") + "\r\n"),
              std::string::npos);
    EXPECT_TRUE(headless().shown.empty());
}

// The bound counts the file's bytes before masking: two lines of half a mebibyte pass it in the
// second line, masked or not, though masked the first is a few bytes.
TEST_F(PageTextTest, AMaskedTextIsCutWhereThePlainOneIs) {
    const std::string line = "password=" + std::string(kMaxEmbeddedBytes / 2, 'v') + "\r\n";
    const std::string name = folder.write("in.txt", line + line);
    osfs::File file;
    ASSERT_TRUE(file.open(name, osfs::OpenMode::Read));
    SecretMasker masker;
    std::string text;
    int cap = 5;
    ReadTextFileInto(text, file, name, true, true, cap, &masker);
    EXPECT_EQ(text, "password=********<BR>\r\npassword=********<BR>\r\n" + kWarning + "5");
}

}  // namespace
