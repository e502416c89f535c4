#include "inspect/report_assembler.h"

#include "inspect/problems.h"
#include "inspect/report_values.h"
#include "report/report_text.h"

namespace {

// Whether a value of this role may go on over further lines (a name holding CR LF).
bool mayContinue(LineRole role) {
    switch (role) {
        case LineRole::Title:
        case LineRole::ReportLink:
        case LineRole::MailLink:
        case LineRole::ListedFolder:
        case LineRole::FolderHeading:
        case LineRole::FileRow:
        case LineRole::EmbeddedHeading:
            return true;
        default:
            return false;
    }
}

}  // namespace

ReportAssembler::ReportAssembler(ReportSink& sink, Problems& problems)
    : sink_(sink), problems_(problems) {}

void ReportAssembler::problem(std::uint64_t number, const std::string& text) {
    problems_.note(number, text);
}

void ReportAssembler::enterStage(Stage stage) {
    while (stage_ < stage) {
        switch (stage_) {
            case Stage::Page:
                sink_.page(page_);
                break;
            case Stage::Machine:
                sink_.machine(machine_);
                break;
            case Stage::Processes:
                if (!processesEnded_)
                    sink_.processesEnd(ListEnd{});
                break;
            default:
                break;
        }
        stage_ = static_cast<Stage>(static_cast<int>(stage_) + 1);
    }
}

void ReportAssembler::take(const ReportLine& line, const ClassifiedLine& classified) {
    // The lines of embedded texts, most of a report, take the shortest way.
    if (classified.role == LineRole::EmbeddedText && pending_.role == LineRole::Frame) {
        takeText(line);
        return;
    }
    if (classified.role == LineRole::Continuation) {
        if (pending_.role == LineRole::Frame) {
            problem(line.number, "a line that continues no value");
            return;
        }
        // A file table row was read back by lines, which split a name at any line break; it
        // is taken to have been a line feed. Elsewhere the line break was the report's CR LF.
        pending_.text += pending_.role == LineRole::FileRow ? "\n" : "\r\n";
        pending_.text += line.text;
        return;
    }
    completePending();
    const LineRole role = classified.role;
    if (role == LineRole::EmbeddedText) {
        takeText(line);
        return;
    }
    // A text ends with the empty line or the cut warning; any other line ends it short (the
    // classifier tells what was due).
    if (embeddedOpen_ && role != LineRole::EmbeddedEnd && role != LineRole::EmbeddedCut)
        endEmbedded(false, 0);
    switch (role) {
        case LineRole::Frame:
        case LineRole::Unexpected:
        case LineRole::PageEnd:
        case LineRole::EmbeddedClose:
            return;
        default:
            break;
    }
    anyRecord_ = true;
    if (mayContinue(role)) {
        // The text is kept in the room of the one before: every file row waits here a line.
        pending_.role = role;
        pending_.number = line.number;
        pending_.text.assign(line.text);
    } else if (role == LineRole::EmbeddedStart) {
        startEmbedded(line, classified.section);
    } else {
        handOn(role, line.text, line.number);
    }
}

void ReportAssembler::takeText(const ReportLine& line) {
    if (!embeddedOpen_)
        return;
    const std::string_view text = withoutBreak(line.text);
    ++embedded_.lines;
    embedded_.textEnd = line.nextOffset;
    markup_.scan(text);
    sink_.embeddedLine(text);
}

void ReportAssembler::takeTextRun(const TextRun& run) {
    completePending();
    if (!embeddedOpen_)
        return;
    embedded_.lines += run.lines;
    embedded_.textEnd = run.nextOffset;
    markup_.scanTextLines(run.bytes);
    sink_.embeddedLines(run.bytes);
}

void ReportAssembler::completePending() {
    if (pending_.role == LineRole::Frame)
        return;
    const LineRole role = pending_.role;
    pending_.role = LineRole::Frame;
    handOn(role, pending_.text, pending_.number);
}

void ReportAssembler::handOn(LineRole role, std::string_view text, std::uint64_t number) {
    switch (role) {
        case LineRole::Title:
            if (!readTitle(text, page_.toolFolder))
                problem(number, "the page's title cannot be read");
            return;
        case LineRole::ReportLink:
            if (!readReportLink(text, page_.reportPath))
                problem(number, "the report's link cannot be read");
            return;
        case LineRole::MailLink:
            if (!readMailLink(text, page_.program, page_.version))
                problem(number, "the mail link names no program and version");
            return;
        case LineRole::ListedFolder: {
            enterStage(Stage::FolderList);
            ListedFolder folder;
            if (readListedFolder(text, ++listed_, folder))
                sink_.listedFolder(folder);
            else
                problem(number, "an entry of the list of folders cannot be read");
            return;
        }
        case LineRole::Created:
        case LineRole::User:
        case LineRole::WindowsFolder:
        case LineRole::Computer:
        case LineRole::Family:
        case LineRole::Memory:
            enterStage(Stage::Machine);
            takeFact(role, text, number);
            return;
        case LineRole::Drive: {
            enterStage(Stage::Drives);
            DriveRecord drive;
            if (readDrive(text, drive))
                sink_.drive(drive);
            else
                problem(number, "the free space of a drive cannot be read");
            return;
        }
        case LineRole::Process:
            enterStage(Stage::Processes);
            sink_.process(withoutBreak(text));
            return;
        case LineRole::ListEnd:
        case LineRole::ListCut: {
            ListEnd end{true, role == LineRole::ListCut, 0};
            if (end.cut)
                isCutWarning(text, &end.cap);
            if (stage_ < Stage::Folders) {
                enterStage(Stage::Processes);
                processesEnded_ = true;
                sink_.processesEnd(end);
            } else if (tableOpen_) {
                endFileTable(end);
            } else if (inFolder_) {
                problem(number, "the folder's file table is missing");
            }
            return;
        }
        case LineRole::FolderHeading: {
            enterStage(Stage::Folders);
            endFolder();
            FolderRecord folder;
            if (!readFolderHeading(text, folder))
                problem(number, "the folder's heading cannot be read");
            inFolder_ = true;
            sink_.folder(folder);
            return;
        }
        default:
            break;
    }
    // The rest belongs to a folder's block.
    enterStage(Stage::Folders);
    if (!inFolder_) {
        problem(number, "a line of a folder's block before its heading");
        return;
    }
    switch (role) {
        case LineRole::FileTableStart:
            tableOpen_ = true;
            return;
        case LineRole::FileRow:
            if (!tableOpen_ || !readFileRow(text, row_)) {
                problem(number, "a row of the file table cannot be read");
                return;
            }
            if (!row_.lastWrite)
                problem(number, "the date of " + row_.name + " cannot be read");
            sink_.fileRow(row_);
            return;
        case LineRole::FileTableEnd:
            if (tableOpen_)
                endFileTable(ListEnd{true, false, 0});
            return;
        case LineRole::SectionStart:
            if (tableOpen_)
                endFileTable(ListEnd{});
            return;
        case LineRole::EmbeddedHeading:
            headingWaits_ = readEmbeddedHeading(text, embeddedPath_);
            if (!headingWaits_)
                problem(number, "the heading of an embedded file cannot be read");
            return;
        case LineRole::EmbeddedEnd:
        case LineRole::EmbeddedCut: {
            int cap = 0;
            if (role == LineRole::EmbeddedCut)
                isCutWarning(text, &cap);
            if (embeddedOpen_)
                endEmbedded(true, cap);
            return;
        }
        default:
            return;
    }
}

void ReportAssembler::takeFact(LineRole role, std::string_view text, std::uint64_t number) {
    using namespace reporttext;
    std::string value;
    switch (role) {
        case LineRole::Created:
            if (readFact(text, kCreatedLabel, value))
                machine_.created = createdDate(value);
            if (!machine_.created)
                problem(number, "the report's date cannot be read");
            return;
        case LineRole::User:
        case LineRole::WindowsFolder:
        case LineRole::Computer: {
            const char* label = role == LineRole::User            ? kUserLabel
                                : role == LineRole::WindowsFolder ? kWindowsFolderLabel
                                                                  : kComputerLabel;
            std::optional<std::string>& fact = role == LineRole::User ? machine_.user
                                               : role == LineRole::WindowsFolder
                                                   ? machine_.windowsFolder
                                                   : machine_.computer;
            if (readFact(text, label, value))
                fact = value;
            else
                problem(number, "the fact cannot be read");
            return;
        }
        case LineRole::Family: {
            int family = 0;
            if (readFamily(text, family))
                machine_.family = family;
            else
                problem(number, "the operating system's family cannot be read");
            return;
        }
        default:
            if (!readMemory(text, machine_))
                problem(number, "a figure of the memory report cannot be read");
            return;
    }
}

void ReportAssembler::startEmbedded(const ReportLine& line, int section) {
    enterStage(Stage::Folders);
    if (!inFolder_ || !headingWaits_) {
        problem(line.number, "an embedded file without its heading");
        return;
    }
    headingWaits_ = false;
    embeddedOpen_ = true;
    embedded_ = EmbeddedEnd();
    embedded_.textEnd = line.nextOffset;
    markup_.reset();
    sink_.embeddedStart(EmbeddedStart{embeddedPath_, section, line.number + 1, line.nextOffset});
}

void ReportAssembler::endEmbedded(bool whole, int cap) {
    embeddedOpen_ = false;
    embedded_.whole = whole;
    embedded_.cut = cap > 0;
    embedded_.cap = cap;
    embedded_.activeMarkup = markup_.found();
    sink_.embeddedEnd(embedded_);
}

void ReportAssembler::endFileTable(const ListEnd& end) {
    tableOpen_ = false;
    sink_.fileTableEnd(end);
}

void ReportAssembler::endFolder() {
    if (!inFolder_)
        return;
    if (embeddedOpen_)
        endEmbedded(false, 0);
    if (tableOpen_)
        endFileTable(ListEnd{});
    headingWaits_ = false;
    inFolder_ = false;
    sink_.folderEnd();
}

void ReportAssembler::finish(bool whole) {
    completePending();
    enterStage(Stage::Folders);
    endFolder();
    sink_.end(whole);
}
