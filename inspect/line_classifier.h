#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// What a line of a report is, from its place in the report's structure. Every line of an
// embedded file's text is told apart by where it stands (between its table's opening and the
// empty line or cut warning that ends the text, each text line ending in "<BR>"), never by what
// it says, so that a text that imitates the report's markup stays text.
enum class LineRole : std::uint8_t {
    Frame,         // a fixed line of the page: headings, links, breaks, the style block
    Title,         // the page's title, with the tool's folder
    ReportLink,    // the mail box's link to the report file
    MailLink,      // the support mail link, with the tool's name and version
    ListedFolder,  // an entry of the list of folders to examine, ticked or cleared
    Created,       // the facts, one line each
    User,
    WindowsFolder,
    Computer,
    Family,
    Memory,         // the memory report, seven figures on one line
    Drive,          // the free space of one drive
    Process,        // one running program
    ListEnd,        // the empty line after a whole process list or file table
    ListCut,        // the cut warning after a process list or file table cut at its cap
    FolderHeading,  // the heading of a folder's block, with its number and path
    FileTableStart,
    FileRow,
    FileTableEnd,
    SectionStart,     // the anchor line above a section of embedded files
    EmbeddedHeading,  // the full name of an embedded file
    EmbeddedStart,    // its table's opening, in the section's colour
    EmbeddedText,     // one line of its text, "<BR>" at its end
    EmbeddedEnd,      // the empty line after a whole text
    EmbeddedCut,      // the cut warning after a text cut at its cap
    EmbeddedClose,    // its table's end
    PageEnd,
    Continuation,  // a further line of the value before it, whose text holds a CR LF
    Unexpected,    // a line that has no place where it stands
};

struct ClassifiedLine {
    LineRole role = LineRole::Unexpected;
    // The section (index into reporttext::kSections) of a section's lines; -1 elsewhere.
    int section = -1;
    // For an Unexpected line, and for a line that stands where other lines were due: what was
    // due there. Null where the line stands where the report puts it.
    const char* expected = nullptr;
};

// Gives each line of a report, in order, its role. Reads nothing itself and keeps no text, so
// that a program that copies a report line by line can use it alone.
class LineClassifier {
public:
    ClassifiedLine classify(std::string_view line);

    // The role that classify() gives each of the next lines that end with "<BR>" without a
    // change of its state, where it does: EmbeddedText within an embedded file's text, so that
    // a run of such lines can be taken at once. Elsewhere Unexpected: each line must be told.
    ClassifiedLine roleOfTextLines() const;

    // What the report lacks when it ends after the lines classified so far; null when it ended
    // with its closing line.
    const char* missingAtEnd() const;

private:
    enum class Part : std::uint8_t;
    ClassifiedLine classifyInPart(std::string_view line);
    ClassifiedLine inFrame(std::string_view line);
    ClassifiedLine inFacts(std::string_view line);
    ClassifiedLine inFolderBlock(std::string_view line);
    ClassifiedLine inSection(std::string_view line);
    ClassifiedLine inEmbeddedFile(std::string_view line);
    // A line that opens a part of the page, found where it was not due: the reading goes on
    // there. Otherwise the line is Unexpected. Either way `expected` tells what was due.
    ClassifiedLine elsewhere(std::string_view line, const char* expected);
    // A value that must end with `end`: until a line does, the lines after it continue it.
    ClassifiedLine item(LineRole role, std::string_view line, const char* end, int section = -1);
    ClassifiedLine enter(Part part, LineRole role, int section = -1);

    Part part_{};
    int section_ = 0;
    int linksLeft_ = 0;
    bool processesBreakSeen_ = false;
    const char* pendingEnd_ = nullptr;
    bool pendingRow_ = false;  // the pending value is a file table row
    int pendingLines_ = 0;
};

// Whether the line ends with the report's "<BR>", as every line of an embedded text does; told
// character by character, since it is asked of nearly every line.
inline bool endsWithBreak(std::string_view line) {
    const std::size_t n = line.size();
    return n >= 4 && line[n - 4] == '<' && line[n - 3] == 'B' && line[n - 2] == 'R' &&
           line[n - 1] == '>';
}

// The line without the "<BR>" at its end, where it has one.
inline std::string_view withoutBreak(std::string_view line) {
    return endsWithBreak(line) ? line.substr(0, line.size() - 4) : line;
}

// True for a cut warning: the warning's text and its cap, nothing else; `cap` receives the cap.
bool isCutWarning(std::string_view line, int* cap = nullptr);
