#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// The unattended run: the start-up and "Create Report" on the headless controls, as if the
// user had pressed it at once with every folder ticked. Each message box goes to `err` as its
// title, ": " and its text, answered with its default button. Prints the report's full name
// on `out`. Answers the exit status: 0 when the report was written to its end, 1 when not,
// 2 for an argument it does not know. "--mask" masks the secrets of the embedded files and
// writes their count on `err`; "--mask-names" does that and replaces the user's and the
// computer's names in everything the tool writes; "--open" opens the report; "--version"
// prints the program's name and version; "--help" explains all this.
int runBatch(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

// True when the file ends with the report's closing line, "</BODY></HTML>" and CR LF.
bool isCompleteReport(const std::string& fileName);
