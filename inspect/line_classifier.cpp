#include "inspect/line_classifier.h"

#include <initializer_list>
#include <string>

#include "report/ascii_text.h"
#include "report/report_masking.h"
#include "report/report_text.h"
#include "toolkit/text_affixes.h"

using namespace reporttext;

namespace {

// A value holding a line break spans a few lines at most (a name with CR LF in it); a value
// that does not end within these is taken to be damaged.
constexpr int kMostContinuationLines = 16;

// Takes "files" and a folder's number off the front of `text`.
bool takeFolderKey(std::string_view& text) {
    if (!startsWith(text, kFolderKeyPrefix))
        return false;
    std::size_t at = std::string_view(kFolderKeyPrefix).size();
    const std::size_t digits = at;
    while (at < text.size() && isDigit(text[at]))
        ++at;
    text.remove_prefix(at);
    return at > digits;
}

// Takes `start` off the front of `line`, where it begins the line.
bool takeStart(std::string_view& line, std::string_view start) {
    if (!startsWith(line, start))
        return false;
    line.remove_prefix(start.size());
    return true;
}

// "<a name=" + "files" + number + "><H1>" + ...
bool isFolderHeading(std::string_view line) {
    return takeStart(line, kFolderHeadingStart) && takeFolderKey(line) &&
           startsWith(line, kFolderHeadingMiddle);
}

// "<a href=#" + "files" + number + ">" + ...
bool isTickedFolder(std::string_view line) {
    return takeStart(line, kTickedFolderStart) && takeFolderKey(line) && startsWith(line, ">");
}

// Whether `line` is `parts` one after another, told without joining them.
bool isJoined(std::string_view line, std::initializer_list<std::string_view> parts) {
    for (const std::string_view part : parts) {
        if (!takeStart(line, part))
            return false;
    }
    return line.empty();
}

// The section whose anchor line this is: kBackToTop + "<a name=" + anchor + key + ">".
int sectionOfAnchorLine(std::string_view line) {
    if (!takeStart(line, kBackToTop) || !takeStart(line, kFolderHeadingStart))
        return -1;
    for (std::size_t section = 0; section < kSectionCount; ++section) {
        std::string_view rest = line;
        if (takeStart(rest, kSections[section].anchor) && takeFolderKey(rest) && rest == ">")
            return static_cast<int>(section);
    }
    return -1;
}

// The section whose table opening this is.
int sectionOfTableStart(std::string_view line) {
    for (std::size_t section = 0; section < kSectionCount; ++section) {
        if (isJoined(line, {kEmbeddedTableStart, kSections[section].cellColour, ">"}))
            return static_cast<int>(section);
    }
    return -1;
}

bool isSectionHeading(std::string_view line, int section) {
    return isJoined(line, {kSectionHeadingStart, kSections[section].heading, kSectionHeadingEnd});
}

}  // namespace

bool isCutWarning(std::string_view line, int* cap) {
    if (!takeStart(line, kCutWarning))
        return false;
    int value = 0;
    for (std::size_t at = 0; at < line.size(); ++at) {
        // The cap is grouped by thousands, so its first character is a digit.
        if (line[at] == ',' && at > 0)
            continue;
        if (!isDigit(line[at]) || value > 100000000)
            return false;
        value = value * 10 + (line[at] - '0');
    }
    if (line.empty())
        return false;
    if (cap != nullptr)
        *cap = value;
    return true;
}

// Where in the page the next line is due. Each part names what it expects in its handler.
enum class LineClassifier::Part : std::uint8_t {
    BeforePage,      // until the page's first line
    Head,            // the page head up to "</head>", with the style block
    Frame,           // the fixed lines between the head and the list of folders
    FolderList,      // the folders to examine
    Facts,           // the facts up to the memory heading
    Memory,          // the memory report's line
    BeforeDrives,    // the drives' heading
    Drives,          // one line per drive
    Processes,       // the process list's heading and break, its lines, its end
    AfterProcesses,  // the break after the process list
    BeforeFolders,   // the folder blocks' anchor and heading
    Folders,         // between folder blocks: a rule, or the page's closing lines
    FolderHeading,   // a folder block's heading, after its rule
    FolderLinks,     // the block's links to its three sections
    FileTable,       // the file table's opening
    FileRows,        // its rows up to its end or cut warning
    AfterFileTable,  // the empty line and the break after the table
    SectionAnchor,   // the anchor line of section section_
    SectionHeading,  // its heading
    Section,         // its embedded files, up to its end
    Embedded,        // an embedded file's table opening
    EmbeddedText,    // its text, up to the empty line or cut warning
    EmbeddedClose,   // its table's end
    AfterSection,    // the break after a section's "back to Top"
    PageTail,        // the break and the closing line after the last block
    AfterPage,       // nothing belongs here
};

ClassifiedLine LineClassifier::enter(Part part, LineRole role, int section) {
    part_ = part;
    return {role, section, nullptr};
}

ClassifiedLine LineClassifier::item(LineRole role, std::string_view line, const char* end,
                                    int section) {
    if (!endsWith(line, end)) {
        pendingEnd_ = end;
        pendingRow_ = role == LineRole::FileRow;
        pendingLines_ = 0;
    }
    return {role, section, nullptr};
}

ClassifiedLine LineClassifier::classify(std::string_view line) {
    // Most lines of a report are lines of embedded texts: they are told first.
    if (part_ == Part::EmbeddedText && endsWithBreak(line))
        return roleOfTextLines();
    if (pendingEnd_ != nullptr) {
        // A table row cut in its middle by the warning ends there.
        const bool rowCut = pendingRow_ && isCutWarning(line);
        if (!rowCut && ++pendingLines_ <= kMostContinuationLines) {
            if (endsWith(line, pendingEnd_))
                pendingEnd_ = nullptr;
            return {LineRole::Continuation, -1, nullptr};
        }
        pendingEnd_ = nullptr;
    }
    return classifyInPart(line);
}

ClassifiedLine LineClassifier::roleOfTextLines() const {
    if (part_ == Part::EmbeddedText)
        return {LineRole::EmbeddedText, section_, nullptr};
    return {LineRole::Unexpected, -1, nullptr};
}

ClassifiedLine LineClassifier::classifyInPart(std::string_view line) {
    switch (part_) {
        case Part::BeforePage:
            return elsewhere(line, "the report's first line");
        case Part::Head:
            if (startsWith(line, kTitleStart))
                return item(LineRole::Title, line, kTitleEnd);
            if (endsWith(line, kHeadEnd))
                return enter(Part::Frame, LineRole::Frame);
            return {LineRole::Frame, -1, nullptr};
        case Part::Frame:
        case Part::FolderList:
            return inFrame(line);
        case Part::Facts:
        case Part::Memory:
        case Part::BeforeDrives:
        case Part::Drives:
        case Part::Processes:
        case Part::AfterProcesses:
        case Part::BeforeFolders:
            return inFacts(line);
        case Part::Folders:
        case Part::FolderHeading:
        case Part::FolderLinks:
        case Part::FileTable:
        case Part::FileRows:
        case Part::AfterFileTable:
            return inFolderBlock(line);
        case Part::SectionAnchor:
        case Part::SectionHeading:
        case Part::Section:
        case Part::AfterSection:
        case Part::PageTail:
            return inSection(line);
        case Part::Embedded:
        case Part::EmbeddedText:
        case Part::EmbeddedClose:
            return inEmbeddedFile(line);
        case Part::AfterPage:
            break;
    }
    return {LineRole::Unexpected, -1, "nothing after the report's closing line"};
}

ClassifiedLine LineClassifier::inFrame(std::string_view line) {
    if (part_ == Part::FolderList) {
        if (isTickedFolder(line))
            return item(LineRole::ListedFolder, line, kTickedFolderEnd);
        if (startsWith(line, kClearedFolderStart))
            return item(LineRole::ListedFolder, line, kClearedFolderEnd);
        return elsewhere(line, "a folder of the list of folders to examine");
    }
    if (startsWith(line, kReportLinkStart))
        return item(LineRole::ReportLink, line, kReportLinkEnd);
    if (startsWith(line, kMailLinkStart))
        return item(LineRole::MailLink, line, kMailLinkEnd);
    if (startsWith(line, kTitleHeadingStart))
        return item(LineRole::Frame, line, kTitleHeadingEnd);
    for (const char* fixed : {kBodyStart, "", kBreak, kMailBoxStart, kMailBoxEnd, kRule,
                              kIndexFacts, kIndexProcesses}) {
        if (line == fixed)
            return {LineRole::Frame, -1, nullptr};
    }
    // A masked report says so under its mail box.
    if (isMaskNotice(line))
        return {LineRole::Frame, -1, nullptr};
    return elsewhere(line, "a line of the mail box or the index");
}

ClassifiedLine LineClassifier::inFacts(std::string_view line) {
    switch (part_) {
        case Part::Facts: {
            const std::pair<const char*, LineRole> facts[] = {
                {kCreatedLabel, LineRole::Created},
                {kUserLabel, LineRole::User},
                {kWindowsFolderLabel, LineRole::WindowsFolder},
                {kComputerLabel, LineRole::Computer},
                {kFamilyLabel, LineRole::Family}};
            for (const auto& [label, role] : facts) {
                if (startsWith(line, label))
                    return {role, -1, nullptr};
            }
            if (line == kMemoryHeading)
                return enter(Part::Memory, LineRole::Frame);
            return elsewhere(line, "a fact about the machine");
        }
        case Part::Memory:
            if (endsWith(line, kBreak))
                return enter(Part::BeforeDrives, LineRole::Memory);
            return elsewhere(line, "the memory report");
        case Part::Drives:
            if (startsWith(line, kDriveStart) && endsWith(line, kDriveEnd))
                return {LineRole::Drive, -1, nullptr};
            return elsewhere(line, "the free space of a drive");
        case Part::Processes:
            // The heading and one break come before the first program.
            if (line == kProcessesHeading || (line == kBreak && !processesBreakSeen_)) {
                processesBreakSeen_ = line == kBreak;
                return {LineRole::Frame, -1, nullptr};
            }
            if (endsWith(line, kBreak))
                return {LineRole::Process, -1, nullptr};
            if (line.empty())
                return enter(Part::AfterProcesses, LineRole::ListEnd);
            if (isCutWarning(line))
                return enter(Part::AfterProcesses, LineRole::ListCut);
            return elsewhere(line, "a running program");
        case Part::AfterProcesses:
            if (line == kBreak)
                return enter(Part::BeforeFolders, LineRole::Frame);
            return elsewhere(line, "the break after the running programs");
        default:
            // BeforeDrives and BeforeFolders: their lines open parts, as elsewhere() knows.
            return elsewhere(line, part_ == Part::BeforeDrives
                                       ? "the heading of the free space"
                                       : "the heading of the folder blocks");
    }
}

ClassifiedLine LineClassifier::inFolderBlock(std::string_view line) {
    switch (part_) {
        case Part::Folders:
            if (line == kRule)
                return enter(Part::FolderHeading, LineRole::Frame);
            if (line == kBackToTop)
                return enter(Part::PageTail, LineRole::Frame);
            return elsewhere(line, "a folder's block or the page's end");
        case Part::FolderLinks:
            // The last link has a second break.
            if (startsWith(line, kSectionLinkStart) &&
                endsWith(line, linksLeft_ == 1 ? std::string(kSectionLinkEnd) + kBreak
                                               : std::string(kSectionLinkEnd)) &&
                --linksLeft_ >= 0) {
                if (linksLeft_ == 0)
                    part_ = Part::FileTable;
                return {LineRole::Frame, -1, nullptr};
            }
            return elsewhere(line, "a link to a section of the folder's block");
        case Part::FileTable:
            if (line == kFileTableStart)
                return enter(Part::FileRows, LineRole::FileTableStart);
            if (line.empty())  // the table could not be read back
                return enter(Part::AfterFileTable, LineRole::ListEnd);
            return elsewhere(line, "the folder's file table");
        case Part::FileRows:
            if (startsWith(line, kRowStart))
                return item(LineRole::FileRow, line, kRowEnd);
            if (line == kFileTableEnd)
                return enter(Part::AfterFileTable, LineRole::FileTableEnd);
            if (isCutWarning(line))
                return enter(Part::AfterFileTable, LineRole::ListCut);
            return elsewhere(line, "a row of the file table");
        case Part::AfterFileTable:
            if (line.empty())
                return {LineRole::Frame, -1, nullptr};
            if (line == kBreak) {
                section_ = 0;
                return enter(Part::SectionAnchor, LineRole::Frame);
            }
            return elsewhere(line, "the break after the file table");
        default:  // FolderHeading: only the heading, which elsewhere() knows
            return elsewhere(line, "a folder's heading");
    }
}

ClassifiedLine LineClassifier::inSection(std::string_view line) {
    const bool lastSection = section_ == static_cast<int>(kSectionCount) - 1;
    switch (part_) {
        case Part::SectionAnchor:
            if (sectionOfAnchorLine(line) == section_)
                return enter(Part::SectionHeading, LineRole::SectionStart, section_);
            return elsewhere(line, "the start of a section of embedded files");
        case Part::SectionHeading:
            if (isSectionHeading(line, section_))
                return enter(Part::Section, LineRole::Frame, section_);
            return elsewhere(line, "the heading of a section of embedded files");
        case Part::Section:
            if (startsWith(line, kEmbeddedHeadingStart)) {
                part_ = Part::Embedded;
                return item(LineRole::EmbeddedHeading, line, kEmbeddedHeadingEnd, section_);
            }
            if (line == kBackToTop)
                return enter(lastSection ? Part::PageTail : Part::AfterSection, LineRole::Frame);
            if (line == kRule && lastSection)
                return enter(Part::FolderHeading, LineRole::Frame);
            return elsewhere(line, "an embedded file or the section's end");
        case Part::AfterSection:
            if (line == kBreak) {
                ++section_;
                return enter(Part::SectionAnchor, LineRole::Frame);
            }
            return elsewhere(line, "the break after a section");
        default:  // PageTail
            if (line == kBreak)
                return {LineRole::Frame, -1, nullptr};
            return elsewhere(line, "the page's closing line");
    }
}

ClassifiedLine LineClassifier::inEmbeddedFile(std::string_view line) {
    switch (part_) {
        case Part::Embedded:
            if (sectionOfTableStart(line) == section_)
                return enter(Part::EmbeddedText, LineRole::EmbeddedStart, section_);
            part_ = Part::Section;
            return elsewhere(line, "the table of an embedded file");
        case Part::EmbeddedText:
            if (endsWithBreak(line))
                return {LineRole::EmbeddedText, section_, nullptr};
            if (line.empty())
                return enter(Part::EmbeddedClose, LineRole::EmbeddedEnd, section_);
            if (isCutWarning(line))
                return enter(Part::EmbeddedClose, LineRole::EmbeddedCut, section_);
            // A text ends only as above; the line after a damaged one is read for what it is.
            part_ = Part::Section;
            return elsewhere(line, "the rest of an embedded file's text");
        default:  // EmbeddedClose
            part_ = Part::Section;
            if (line == kEmbeddedTableEnd)
                return {LineRole::EmbeddedClose, section_, nullptr};
            return elsewhere(line, "the end of an embedded file's table");
    }
}

ClassifiedLine LineClassifier::elsewhere(std::string_view line, const char* expected) {
    // The lines that open a part of the page, the part each opens, and the part in which each
    // is due; found in another part, the reading goes on from there all the same.
    struct Opening {
        std::string line;
        Part opens;
        Part dueIn;
    };
    static const Opening openings[] = {
        {kTopAnchor, Part::Head, Part::BeforePage},
        {kHeadStart, Part::Head, Part::AfterPage},  // only without its first line
        {std::string(kBackToTop) + kFactsAnchor, Part::Frame, Part::Frame},
        {kFolderListHeading, Part::FolderList, Part::Frame},
        {kFactsHeading, Part::Facts, Part::FolderList},
        {kDrivesHeading, Part::Drives, Part::BeforeDrives},
        {std::string(kBackToTop) + kProcessesAnchor, Part::Processes, Part::Drives},
        {std::string(kBackToTop) + kFoldersAnchor, Part::BeforeFolders, Part::BeforeFolders},
        {kFoldersHeading, Part::Folders, Part::BeforeFolders},
    };
    const bool started = part_ != Part::BeforePage;
    for (const Opening& opening : openings) {
        if (line != opening.line || (started && opening.opens == Part::Head))
            continue;
        const char* misplaced = opening.dueIn == part_ ? nullptr : expected;
        processesBreakSeen_ = false;
        part_ = opening.opens;
        return {LineRole::Frame, -1, misplaced};
    }
    if (line == kPageEnd) {
        const char* misplaced = part_ == Part::PageTail ? nullptr : expected;
        return {enter(Part::AfterPage, LineRole::PageEnd).role, -1, misplaced};
    }
    if (isFolderHeading(line)) {
        const char* misplaced = part_ == Part::FolderHeading ? nullptr : expected;
        linksLeft_ = static_cast<int>(kSectionCount);
        part_ = Part::FolderLinks;
        ClassifiedLine heading = item(LineRole::FolderHeading, line, kFolderHeadingEnd);
        heading.expected = misplaced;
        return heading;
    }
    if (const int section = sectionOfAnchorLine(line); section >= 0) {
        section_ = section;
        return {enter(Part::SectionHeading, LineRole::SectionStart, section).role, section,
                expected};
    }
    return {LineRole::Unexpected, -1, expected};
}

const char* LineClassifier::missingAtEnd() const {
    switch (part_) {
        case Part::AfterPage:
            return nullptr;
        case Part::EmbeddedText:
            return "the rest of an embedded file's text";
        case Part::FileRows:
            return "the rest of a file table";
        case Part::Processes:
            return "the rest of the running programs";
        default:
            return "the rest of the report";
    }
}
