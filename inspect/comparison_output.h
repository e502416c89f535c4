#pragma once

#include "inspect/comparison.h"

class Output;

// The two reports compared and what changed between them.
struct ComparedReports {
    const ReportIndex& before;
    const ReportIndex& after;
    const Comparison& comparison;
};

// Writes the comparison as one self-contained HTML page in the report's own look: a summary
// of the changes by kind, then each kind's changes, and for each embedded file that changed
// its lines with a few lines of context, read again from the two reports. Every text from the
// reports is escaped, and the page forbids scripts, so nothing from a report can run in it.
// When the reports agree, the page says so in one line.
void writeComparisonPage(const ComparedReports& reports, Output& output);

// The same comparison as JSON.
void writeComparisonJson(const ComparedReports& reports, Output& output);
