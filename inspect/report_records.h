#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "toolkit/date_time.h"

// What the reader makes of a report: one record at a time, in the report's order, handed to a
// ReportSink. A value the report holds but the reader could not make out is left empty
// (std::nullopt); the reader tells why on its list of problems.

// The page's head and mail box.
struct PageRecord {
    std::string toolFolder;  // the folder the tool ran in, from the page's title
    std::string reportPath;  // the report's full name as the tool wrote it
    std::string program;     // the tool's program name and version, from the mail link
    std::string version;
};

// An entry of the list of folders to examine.
struct ListedFolder {
    int number = 0;  // its 1-based place in the list
    std::string path;
    bool ticked = false;
};

constexpr int kMemoryFigureCount = 7;  // the load in percent, then six sizes in kilobytes

struct MachineRecord {
    std::optional<DateTime> created;
    std::optional<std::string> user;
    std::optional<std::string> windowsFolder;
    std::optional<std::string> computer;
    std::optional<int> family;  // 1: Windows 95/98, 2: NT, as the tool numbers them
    bool memoryRead = false;    // the memory report's line was found
    std::optional<std::int64_t> memory[kMemoryFigureCount];
};

struct DriveRecord {
    std::string drive;
    std::optional<std::int64_t> freeMegabytes;
};

// How a process list or file table ended.
struct ListEnd {
    bool whole = false;  // it ended as the report ends it, not cut off by damage
    bool cut = false;    // it was cut at its cap, which the warning states
    int cap = 0;
};

struct FolderRecord {
    int number = 0;
    std::string path;
};

struct FileRowRecord {
    std::string name;
    std::optional<std::int64_t> size;  // -1 when the tool could not read it
    std::optional<DateTime> lastWrite;
    bool program = false;  // a program's row, which states its version (maybe empty)
    std::string version;
};

struct EmbeddedStart {
    std::string path;  // the file's full name as the report states it
    int section = 0;   // index into reporttext::kSections
    // Where its text's first line stands in the report, for a reader that comes back to it.
    std::uint64_t textLine = 0;
    std::uint64_t textOffset = 0;
};

// Kinds of markup in an embedded text that a browser would run, since the report embeds text
// as it is.
enum ActiveMarkup : unsigned {
    kScriptElement = 1,
    kEventHandler = 2,
    kFrameOrObject = 4,
    kScriptLink = 8,
};

struct EmbeddedEnd {
    std::uint64_t lines = 0;
    std::uint64_t textEnd = 0;  // where the line after its last text line stands in the report
    bool whole = false;         // the text ended as the report ends it
    bool cut = false;           // it was cut at its cap (the warning's number) or at the byte bound
    int cap = 0;
    unsigned activeMarkup = 0;  // ActiveMarkup bits
};

// Takes the first line off a run of plain text lines (ReportSink::embeddedLines) and answers
// it, without its "<BR>" and line end.
inline std::string_view takeTextLine(std::string_view& run) {
    // A CR stands only in the line ends of such a run.
    const std::size_t end = run.find('\r');
    const std::string_view line = run.substr(0, end - 4);
    run.remove_prefix(end + 2);
    return line;
}

// Hands `each` the lines of a run of plain text lines, each as takeTextLine() answers it.
template <typename Each>
void forEachTextLine(std::string_view run, Each each) {
    while (!run.empty())
        each(takeTextLine(run));
}

// Receives a report's records, in the report's order. The text of an embedded file comes a
// line or a run of lines at a time, between its start and its end, so that no receiver must
// hold it whole.
class ReportSink {
public:
    virtual ~ReportSink() = default;
    virtual void page(const PageRecord&) {}
    virtual void listedFolder(const ListedFolder&) {}
    virtual void machine(const MachineRecord&) {}
    virtual void drive(const DriveRecord&) {}
    virtual void process(std::string_view) {}
    virtual void processesEnd(const ListEnd&) {}
    virtual void folder(const FolderRecord&) {}
    virtual void fileRow(const FileRowRecord&) {}
    virtual void fileTableEnd(const ListEnd&) {}
    virtual void embeddedStart(const EmbeddedStart&) {}
    // One line of the text, without the report's "<BR>".
    virtual void embeddedLine(std::string_view) {}
    // Lines of the text as the report holds them, each followed by "<BR>" and CR LF: plain
    // ASCII lines, with no control character or "<" (bytescan::plainTextLinesByLine).
    // Most of a report's text comes so, in runs as long as the piece of the file read at once.
    virtual void embeddedLines(std::string_view run) {
        forEachTextLine(run, [this](std::string_view line) { embeddedLine(line); });
    }
    virtual void embeddedEnd(const EmbeddedEnd&) {}
    virtual void folderEnd() {}
    // The report ended; `whole` when with its closing line.
    virtual void end(bool) {}
};
