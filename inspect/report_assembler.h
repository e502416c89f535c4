#pragma once

#include <cstdint>
#include <string>

#include "inspect/active_markup.h"
#include "inspect/line_classifier.h"
#include "inspect/line_source.h"
#include "inspect/report_records.h"

class Problems;

// Turns a report's classified lines into records for a sink, each as soon as it is whole:
// the values of a line, or of a line and the lines that continue it, and the text of an
// embedded file one line at a time. Notes on `problems` each value it cannot read.
class ReportAssembler {
public:
    ReportAssembler(ReportSink& sink, Problems& problems);
    ReportAssembler(const ReportAssembler&) = delete;
    ReportAssembler& operator=(const ReportAssembler&) = delete;

    void take(const ReportLine& line, const ClassifiedLine& classified);
    // A run of lines that the classifier gives the role EmbeddedText each, at once.
    void takeTextRun(const TextRun& run);
    // The report has ended; `whole` when with its closing line.
    void finish(bool whole);
    // Whether any of the report's values came out.
    bool anyRecord() const { return anyRecord_; }

private:
    // The order of the report's parts, in which records go out.
    enum class Stage { Page, FolderList, Machine, Drives, Processes, Folders };
    void enterStage(Stage stage);
    void takeText(const ReportLine& line);
    void completePending();
    void handOn(LineRole role, std::string_view text, std::uint64_t number);
    void takeFact(LineRole role, std::string_view text, std::uint64_t number);
    void startEmbedded(const ReportLine& line, int section);
    void endEmbedded(bool whole, int cap);
    void endFileTable(const ListEnd& end);
    void endFolder();
    void problem(std::uint64_t number, const std::string& text);

    ReportSink& sink_;
    Problems& problems_;
    bool anyRecord_ = false;
    Stage stage_ = Stage::Page;

    // A value whose text may go on over further lines, held until the next line that is not
    // its continuation.
    struct Pending {
        LineRole role = LineRole::Frame;
        std::uint64_t number = 0;
        std::string text;
    } pending_;

    PageRecord page_;
    int listed_ = 0;
    MachineRecord machine_;
    bool processesEnded_ = false;
    bool inFolder_ = false;
    bool tableOpen_ = false;
    FileRowRecord row_;         // used again for each row, so that its texts keep their room
    std::string embeddedPath_;  // the heading waiting for its table, while headingWaits_
    bool headingWaits_ = false;
    bool embeddedOpen_ = false;
    EmbeddedEnd embedded_;
    ActiveMarkupScanner markup_;
};
