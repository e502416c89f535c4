#include "inspect/report_reader.h"

#include "inspect/line_classifier.h"
#include "inspect/line_source.h"
#include "inspect/problems.h"
#include "inspect/report_assembler.h"
#include "toolkit/os/file_system.h"

namespace {

void noteClassification(const ReportLine& line, const ClassifiedLine& classified,
                        Problems& problems) {
    if (line.cut)
        problems.note(line.number,
                      "the line is longer than any line of a report; only its "
                      "start is read");
    if (!line.ended && classified.role != LineRole::PageEnd)
        problems.note(line.number, "the report ends in the middle of this line");
    if (classified.expected == nullptr)
        return;
    if (classified.role == LineRole::Unexpected)
        problems.note(line.number,
                      std::string("expected ") + classified.expected + "; the line is left out");
    else
        problems.note(line.number, std::string("expected ") + classified.expected +
                                       "; the reading goes on from this line");
}

}  // namespace

ReadOutcome readReport(const std::string& fileName, const TextDecoding& decoding, ReportSink& sink,
                       Problems& problems) {
    osfs::File file;
    if (!file.open(fileName, osfs::OpenMode::Read)) {
        problems.note(0, "cannot be opened: " + file.errorDescription());
        return {};
    }
    ReportLineSource source(file, decoding, true);
    LineClassifier classifier;
    ReportAssembler assembler(sink, problems);
    ReportLine line;
    TextRun run;
    std::uint64_t lastLine = 0;
    for (;;) {
        // Within an embedded text its plain lines, most of a report, are taken a run at a time.
        if (classifier.roleOfTextLines().role == LineRole::EmbeddedText &&
            source.nextTextRun(run)) {
            assembler.takeTextRun(run);
            lastLine = run.firstNumber + run.lines - 1;
            continue;
        }
        if (!source.next(line))
            break;
        const ClassifiedLine classified = classifier.classify(line.text);
        if (line.cut || !line.ended || classified.expected != nullptr)
            noteClassification(line, classified, problems);
        assembler.take(line, classified);
        lastLine = line.number;
    }
    if (source.failed())
        problems.note(lastLine,
                      "the file cannot be read after this line: " + file.errorDescription());
    const char* missing = classifier.missingAtEnd();
    if (missing != nullptr && !source.failed())
        problems.note(lastLine, std::string("the report ends after this line, without ") + missing);
    assembler.finish(missing == nullptr);
    return {assembler.anyRecord(), problems.count() == 0};
}
