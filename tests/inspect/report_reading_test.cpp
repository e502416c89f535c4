// The reader on reports that came back damaged: cut short, in another country's code page,
// with texts that imitate the report's markup. The golden reports of both platforms (a Linux
// report in UTF-8, a Windows one in code page 1252) are read on each platform, edited as a row
// says.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "inspect/active_markup.h"
#include "inspect/reader_commands.h"
#include "inspect/report_records.h"
#include "report/report_masking.h"
#include "tests/app/secret_tree.h"
#include "tests/inspect/export_fixture.h"
#include "tests/support/temp_folder.h"

namespace {

using nlohmann::json;

std::string golden(const std::string& platform) {
    std::ifstream in(std::string(CR_GOLDEN_DIR) + "/report_" + platform + ".htm", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

int count(const json& exported, const std::function<bool(const json&)>& folderCounts) {
    int n = 0;
    for (const json& folder : exported["folders"])
        n += folderCounts(folder) ? 1 : 0;
    return n;
}

class ReportReading : public testing::TestWithParam<std::string> {
protected:
    // Writes `report` and exports it with `options`.
    Export read(const std::string& report, const std::string& tag,
                const std::vector<std::string>& options = {}) {
        return exportReport(temp.write("report.htm", report), GetParam() + "." + tag, options);
    }
    TempFolder temp;
    const std::string report = golden(GetParam());
};

// The offset just after the first line that begins with `start`.
std::size_t afterLine(const std::string& report, const std::string& start) {
    std::size_t line = 0;
    while (line != std::string::npos && report.compare(line, start.size(), start) != 0)
        line = report.find("\r\n", line) + 2;
    return line == std::string::npos ? line : report.find("\r\n", line) + 2;
}

// A cut report gives what stands before the cut, exactly as the whole report gives it, and says
// that it is not whole, and compares as differing from the whole report. Each row: the line after
// which the report is cut (its first line that begins so), and what must come out: the exit status,
// the listed folders, the folder blocks, the embedded files and the whole ones among them.
TEST_P(ReportReading, ACutReportGivesWhatStandsBeforeTheCut) {
    struct Cut {
        const char* after;
        int status, listed, blocks, embedded, whole;
    };
    const Cut cuts[] = {
        {"<a name=top>", 2, 0, 0, 0, 0},
        {"</head>", 1, 0, 0, 0, 0},
        {"<H3>List of Folders to Examine</H3>", 1, 0, 0, 0, 0},
        {"<H1>Basic System Info</H1>", 1, 12, 0, 0, 0},
        {"<H3>RAM Report</H3>", 1, 12, 0, 0, 0},
        {"<a href=#top>back to Top</a><a name=proc>", 1, 12, 0, 0, 0},
        {"<H1>List of Morva Folders Found</H1>", 1, 12, 0, 0, 0},
        {"<a name=files001>", 1, 12, 1, 0, 0},
        {"</TABLE>", 1, 12, 1, 0, 0},
        {"<a href=#top>back to Top</a><a name=inifiles001>", 1, 12, 1, 0, 0},
        {"<H3>{TEMP}", 1, 12, 1, 0, 0},
        {"<TABLE width=100%", 1, 12, 1, 1, 0},
        {"Path=C:\\Morva<BR>", 1, 12, 1, 1, 0},
        {"</td></tr></TABLE>", 1, 12, 1, 1, 1},
        {"<a name=files003>", 1, 12, 3, 1, 1},
        {"2005-05-22 14:05:09 event 200<BR>", 1, 12, 3, 2, 1},
        {"WARNING - FILE NOT FULLY LOADED", 1, 12, 3, 2, 2},
        {"<a href=#top>back to Top</a><a name=datfiles011>", 1, 12, 11, 6, 6},
    };
    const Export whole = read(report, "whole");
    ASSERT_FALSE(whole.json.is_discarded());
    const std::string wholeReport = temp.write("whole.htm", report);
    for (const Cut& cut : cuts) {
        const std::size_t end = afterLine(report, cut.after);
        ASSERT_NE(end, std::string::npos) << cut.after;
        // At the line's end, and in the middle of the line after it.
        for (const std::size_t at : {end, end + (report.find("\r\n", end) - end) / 2}) {
            SCOPED_TRACE(std::string(cut.after) + " at " + std::to_string(at));
            const Export part = read(report.substr(0, at), "cut" + std::to_string(at));
            ASSERT_FALSE(part.json.is_discarded()) << part.errors;
            EXPECT_EQ(part.status, cut.status);
            EXPECT_FALSE(part.json["complete"]);
            const json& folders = part.json["folders"];
            EXPECT_EQ(count(part.json, [](const json& f) { return f["number"] > 0; }),
                      std::max(cut.listed, cut.blocks));
            EXPECT_EQ(count(part.json, [](const json& f) { return f.contains("files"); }),
                      cut.blocks);
            int embedded = 0, wholeOnes = 0;
            for (std::size_t f = 0; f < folders.size(); ++f) {
                const json& full = whole.json["folders"][f];
                EXPECT_EQ(folders[f]["path"], full["path"]);
                if (!folders[f].contains("files"))
                    continue;
                const json& rows = folders[f]["files"];
                for (std::size_t r = 0; r < rows.size(); ++r)
                    EXPECT_EQ(rows[r], full["files"][r]);
                for (std::size_t e = 0; e < folders[f]["embedded"].size(); ++e) {
                    const json& text = folders[f]["embedded"][e];
                    ++embedded;
                    if (text["complete"]) {
                        ++wholeOnes;
                        EXPECT_EQ(text, full["embedded"][e]);
                    }
                }
            }
            EXPECT_EQ(embedded, cut.embedded);
            EXPECT_EQ(wholeOnes, cut.whole);
            // Compared with the whole report, the cut one differs, or is not read at all.
            std::ostringstream out, err;
            EXPECT_EQ(runReportReader({"compare", wholeReport, temp.file("report.htm")}, out, err),
                      cut.status == 2 ? 2 : 1)
                << err.str();
        }
    }
}

// Rows of reports with a part replaced, and what must come out of each.
TEST_P(ReportReading, AReportThatImitatesItsOwnMarkupOrLostItsCodePageReadsRight) {
    const std::string setupText = "[Setup]<BR>\r\nPath=C:\\Morva<BR>\r\nName=<Morva & Co><BR>\r\n";
    ASSERT_NE(report.find(setupText), std::string::npos);
    struct Row {
        const char* what;
        std::string from, to;
        std::vector<std::string> options;
        std::function<void(const Export&)> expect;
    };
    const Row rows[] = {
        {"a configuration text that holds the report's own lines stays text",
         setupText,
         "<a name=files3><H1><BR>\r\nWARNING - FILE NOT FULLY LOADED (maxLines = 400<BR>\r\n"
         "</td></tr></TABLE><BR>\r\n<BR>\r\n",
         {},
         [](const Export& e) {
             const json text = e.json["folders"][0]["embedded"][0];
             EXPECT_EQ(text["text"],
                       "<a name=files3><H1>\nWARNING - FILE NOT FULLY LOADED (maxLines = "
                       "400\n</td></tr></TABLE>\n\n");
             EXPECT_EQ(text["cut"], false);
             EXPECT_EQ(e.json["problemCount"], 14);  // the golden report's masks, as before
         }},
        {"the notice of a masked report under the mail box is a line of the page",
         "</table></center>\r\n",
         "</table></center>\r\n" + maskNotice(true) + "\r\n",
         {},
         [](const Export& e) {
             EXPECT_EQ(e.json["problemCount"], 14);
             EXPECT_EQ(e.json["folders"].size(), 12u);
         }},
        {"markup that a browser would run is flagged",
         setupText,
         "<script>alert(1)</script><BR>\r\n<img src=x onerror=alert(1)><BR>\r\n",
         {},
         [](const Export& e) {
             EXPECT_EQ(e.json["folders"][0]["embedded"][0]["activeMarkup"],
                       json({"script-element", "event-handler"}));
         }},
        {"a heading and a row whose file name holds a line break",
         "setup.ini</",
         "set\r\nup.ini</",
         {},
         [](const Export& e) {
             const json& folder = e.json["folders"][0];
             EXPECT_EQ(folder["files"][0]["name"], "set\nup.ini");
             EXPECT_EQ(folder["embedded"][0]["name"], "set\r\nup.ini");
             EXPECT_EQ(folder["embedded"][0]["text"],
                       "[Setup]\nPath=C:\\Morva\nName=<Morva & Co>\n");
         }},
        {"plain lines around lines that need care: a lone LF or CR, a quote, a tag left open",
         setupText,
         "[Setup]<BR>\r\nsplit<BR>\nby LF<BR>\r\na \"quoted\" word, a back\\slash<BR>\r\n"
         "lone\rCR<BR>\r\n<BR>\r\n"
         "<img src=\"x<BR>\r\nplain, in the value<BR>\r\n\" onerror=alert(1)><BR>\r\nlast<BR>\r\n",
         {},
         [](const Export& e) {
             const json& text = e.json["folders"][0]["embedded"][0];
             EXPECT_EQ(text["text"],
                       "[Setup]\nsplit<BR>\nby LF\na \"quoted\" word, a back\\slash\nlone\rCR\n\n"
                       "<img src=\"x\nplain, in the value\n\" onerror=alert(1)>\nlast\n");
             EXPECT_EQ(text["lines"], 9);
             EXPECT_EQ(text["activeMarkup"], json({"event-handler"}));
         }},
        {"a line longer than any report's is read up to its bound",
         setupText,
         std::string(5 * 1024 * 1024, 'x') + "<BR>\r\n" + setupText,
         {},
         [](const Export& e) {
             // Without its "<BR>" the line ends the text; the reading goes on after it.
             const json& text = e.json["folders"][0]["embedded"][0];
             EXPECT_EQ(text["lines"], 0);
             EXPECT_EQ(text["complete"], false);
             EXPECT_EQ(e.json["folders"][2]["embedded"][0]["name"], "app.log");
             EXPECT_NE(e.errors.find("longer than any line of a report"), std::string::npos);
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const Export e = read(replaced(report, row.from, row.to),
                              "row" + std::to_string(&row - rows), row.options);
        ASSERT_FALSE(e.json.is_discarded()) << e.errors;
        EXPECT_EQ(e.status, 1);  // the golden reports' masks cannot be read
        row.expect(e);
    }
}

INSTANTIATE_TEST_SUITE_P(BothPlatforms, ReportReading, testing::Values("linux", "win32"));

// A Windows report from a machine in code page 1251 reads right when the code page is named;
// without it, its lines that are not UTF-8 are read in code page 1252.
TEST(ReportCodePage, ACyrillicReportReadsInItsCodePageWhenItIsNamed) {
    TempFolder temp;
    const std::string privet = "\xCF\xF0\xE8\xE2\xE5\xF2";  // "Привет" in code page 1251
    const std::string report = temp.write("report.htm", replaced(golden("win32"),
                                                                 "\xDCnic\xF8"
                                                                 "de",
                                                                 privet));
    const Export named = exportReport(report, "named", {"--code-page", "1251"});
    const Export guessed = exportReport(report, "guessed");
    EXPECT_EQ(named.json["folders"][4]["path"], "{TEMP}\\install\\morva\\bin\\logs\\data\\Привет");
    EXPECT_EQ(guessed.json["folders"][4]["path"],
              "{TEMP}\\install\\morva\\bin\\logs\\data\\Ïðèâåò");
    EXPECT_EQ(exportReport(report, "unknown", {"--code-page", "99999"}).status, 2);

    // Masked, with the code page named or not, it keeps every byte but the secret's.
    const std::string plain =
        replaced(golden("win32"), "Path=C:\\Morva<BR>", privet + " password=" + privet + " ok<BR>");
    std::string expected = replaced(plain, "password=" + privet, "password=********");
    expected.insert(expected.find("<HR>\r\n"), maskNotice(false) + "\r\n");
    for (const std::vector<std::string>& options :
         {std::vector<std::string>{}, std::vector<std::string>{"--code-page", "1251"}}) {
        const MaskRun masked =
            maskCopy(temp.write("secret.htm", plain), temp.file("masked.htm"), options);
        EXPECT_EQ(masked.status, 1);  // the golden report's masks cannot be read
        EXPECT_NE(masked.errors.find("\nMasked: 1 password\n"), std::string::npos);
        EXPECT_EQ(temp.read("masked.htm"), expected);
    }
    // A comparison reads its two reports at once, each on a thread of its own, both decoding in
    // the code page: a converter shared between them gave lines without their text, or another
    // line's.
    std::string lines;
    for (int i = 0; i < 20000; ++i)
        lines += privet + " " + std::to_string(i) + "<BR>\r\n";
    const std::string longer =
        temp.write("longer.htm", replaced(golden("win32"), "[Setup]<BR>\r\n", lines));
    std::ostringstream out, err;
    EXPECT_EQ(runReportReader({"compare", "--code-page", "1257", longer, longer}, out, err), 0)
        << err.str();
}

// In Shift JIS the second byte of "ー" is "[": with the code page named, the masker sees whole
// characters and masks the list of one Japanese password; read as code page 1252, the list holds
// a "[" and is searched as a structure, which leaves the password.
TEST(ReportCodePage, AShiftJisReportIsMaskedACharacterAtATime) {
    TempFolder temp;
    const std::string password = "\x83\x70\x83\x58\x83\x8F\x81\x5B\x83\x68";  // "パスワード"
    const std::string report = temp.write(
        "japanese.htm",
        replaced(golden("win32"), "Path=C:\\Morva<BR>", "password=[" + password + "]<BR>"));
    for (const char* codePage : {"932", "1252"}) {
        maskCopy(report, temp.file("masked.htm"), {"--code-page", codePage});
        EXPECT_EQ(temp.read("masked.htm").find(password) == std::string::npos,
                  std::string(codePage) == "932")
            << codePage;
    }
}

TEST(ReportCodePage, WhatIsNoReportGivesStatusTwo) {
    TempFolder temp;
    EXPECT_EQ(exportReport(temp.write("notes.txt", "hello\r\nworld\r\n"), "text").status, 2);
    EXPECT_EQ(exportReport(temp.file("missing.htm"), "missing").status, 2);
}

// The markup a browser would run, read as its tokenizer reads it.
TEST(ActiveMarkup, EachKindIsFoundAndHarmlessTextIsNot) {
    const std::pair<std::vector<std::string>, unsigned> rows[] = {
        {{"a < b and c > d", "onerror=1 outside a tag"}, 0},
        {{"<SCRIPT src=x>"}, kScriptElement},
        {{"<img src=x onerror = \"alert(1)\">"}, kEventHandler},
        {{"<svg/onload=alert(1)>"}, kEventHandler},
        {{"<img src=x/onerror=alert(1)>"}, 0},  // the unquoted value runs on to "("
        {{"<img src=\"x", "\" onerror=alert(1)>"}, kEventHandler},  // the quote spans the lines
        {{"<img src=x", "onerror=alert(1)>"}, 0},  // the report's "<BR>" ends the tag
        {{"<iframe src=x>", "<object data=x>"}, kFrameOrObject},
        {{"<a href=\" jav&#x61;script:alert(1)\">"}, kScriptLink},
        {{"<a href=\"java\tscript:x\">"}, kScriptLink},
        {{"<a href=\"https://example.com/javascript:x\">"}, 0},
    };
    for (const auto& [lines, expected] : rows) {
        ActiveMarkupScanner scanner;
        for (const std::string& line : lines)
            scanner.scan(line);
        EXPECT_EQ(scanner.found(), expected) << lines[0];
    }
}

}  // namespace
