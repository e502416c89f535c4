#include "inspect/report_reader.h"

#include "inspect/classified_lines.h"
#include "inspect/problems.h"
#include "inspect/report_assembler.h"
#include "toolkit/os/file_system.h"

namespace {

constexpr LineProblemWords kReadingWords = {"only its start is read", "; the line is left out"};

}  // namespace

ReadOutcome readReport(const std::string& fileName, const TextDecoding& decoding, ReportSink& sink,
                       Problems& problems, bool readAhead) {
    osfs::File file;
    // The report is the file its user names, also through a link.
    if (!file.open(fileName, osfs::OpenMode::Read, osfs::FinalLink::Followed)) {
        problems.note(0, "cannot be opened: " + file.errorDescription());
        return {};
    }
    ReportLineSource source(file, decoding, readAhead);
    LineClassifier classifier;
    ReportAssembler assembler(sink, problems);
    const std::uint64_t lastLine = walkClassifiedLines(
        source, classifier,
        [&](const TextRun& run, const ClassifiedLine&) {
            assembler.takeTextRun(run);
            return true;
        },
        [&](const ReportLine& line, const ClassifiedLine& classified) {
            noteLineProblems(line, classified, kReadingWords, problems);
            assembler.take(line, classified);
            return true;
        });
    if (source.failed())
        problems.note(lastLine,
                      "the file cannot be read after this line: " + file.errorDescription());
    const char* missing = classifier.missingAtEnd();
    if (missing != nullptr && !source.failed())
        problems.note(lastLine, std::string("the report ends after this line, without ") + missing);
    assembler.finish(missing == nullptr);
    return {assembler.anyRecord(), problems.count() == 0};
}
