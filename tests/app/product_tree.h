#pragma once

#include <string>
#include <vector>

class TempFolder;

// A product installation under `temp`: "install/morva" with a chain of nested folders, each
// holding at most one subfolder and one visible file, so that the report does not depend on
// the order in which a folder's entries are listed. Between them: a config file, a program with
// a version resource and one without, a hidden file, a log of 250 lines, a data file of this
// year (2005) without line ends and one that only looks like one, a file named like the
// tool's own list, a config file of 450 lines, non-ASCII names and an empty folder. Beside it
// "install/vell" holds a config file named without extension, and "install/skipped" one
// that a report leaves out when the user clears its folder. Answers the product folders to
// examine: morva, a missing "install/missing", vell and skipped.
std::vector<std::string> buildProductTree(const TempFolder& temp);
