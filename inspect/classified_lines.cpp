#include "inspect/classified_lines.h"

#include <string>

#include "inspect/problems.h"

void noteLineProblems(const ReportLine& line, const ClassifiedLine& classified,
                      const LineProblemWords& words, Problems& problems) {
    if (line.cut)
        problems.note(line.number, std::string("the line is longer than any line of a report; ") +
                                       words.cutLine);
    if (!line.ended && classified.role != LineRole::PageEnd)
        problems.note(line.number, "the report ends in the middle of this line");
    if (classified.expected == nullptr)
        return;
    problems.note(line.number, std::string("expected ") + classified.expected +
                                   (classified.role == LineRole::Unexpected
                                        ? words.unexpectedLine
                                        : "; the reading goes on from this line"));
}
