#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// The report reader program: reads reports that the tool wrote and turns them into data. The
// commands, options and exit statuses are those its usage (--help) explains. Writes to `out`
// unless "-o" names a file; problems go to `err`. Answers the exit status.
int runReportReader(const std::vector<std::string>& arguments, std::ostream& out,
                    std::ostream& err);
