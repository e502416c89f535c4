#pragma once

#include <cstdint>

#include "inspect/line_classifier.h"
#include "inspect/line_source.h"

class Problems;

// Walks a report's lines in order, each with its role: within an embedded text its plain lines,
// most of a report, a run at a time (`takeRun(run, role)`), every other line alone
// (`takeLine(line, classified)`). Either answers false to stop the walk. Answers the number of
// the last line taken.
template <typename TakeRun, typename TakeLine>
std::uint64_t walkClassifiedLines(ReportLineSource& source, LineClassifier& classifier,
                                  TakeRun takeRun, TakeLine takeLine) {
    ReportLine line;
    TextRun run;
    std::uint64_t lastLine = 0;
    for (bool going = true; going;) {
        const ClassifiedLine textLines = classifier.roleOfTextLines();
        if (textLines.role == LineRole::EmbeddedText && source.nextTextRun(run)) {
            going = takeRun(run, textLines);
            lastLine = run.firstNumber + run.lines - 1;
            continue;
        }
        if (!source.next(line))
            break;
        going = takeLine(line, classifier.classify(line.text));
        lastLine = line.number;
    }
    return lastLine;
}

// What a reader does with a line that is not where the report puts it, or cut, or unended,
// for the problems it notes: `cutLine` and `unexpectedLine` finish their messages.
struct LineProblemWords {
    const char* cutLine;
    const char* unexpectedLine;
};

// Notes the problems of `line`, if any: cut, ended in its middle, or not where it was due.
void noteLineProblems(const ReportLine& line, const ClassifiedLine& classified,
                      const LineProblemWords& words, Problems& problems);
