#pragma once

#include <string>

#include "inspect/text_decoding.h"

class Problems;
class ReportSink;

struct ReadOutcome {
    bool usable = false;  // some of the report's content came out
    bool whole = false;   // the report was read to its closing line without a problem
};

// Reads the report `fileName` line by line: each line's role from its place in the report
// (LineClassifier), the records of those lines for `sink` (ReportAssembler). What cannot be
// read is noted on `problems` with its line, and the reading goes on; the file is never held
// whole. With `readAhead`, the file's next pieces are read on a thread of its own; a caller that
// reads two reports at once, each on a thread, keeps both processors busy without it.
ReadOutcome readReport(const std::string& fileName, const TextDecoding& decoding, ReportSink& sink,
                       Problems& problems, bool readAhead = true);
