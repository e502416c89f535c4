#pragma once

#include <string>

#include "inspect/text_decoding.h"

namespace osfs {
class File;
}

// The user's and the computer's names as a report's facts give them, in the report's own bytes,
// and whether the report's system compares user names without case (Windows) or with it
// (Linux). A name that is already a placeholder of a masked report is empty.
struct ReportNames {
    std::string user;
    std::string computer;
    bool userNamesIgnoreCase = true;
};

// Reads the report's head up to its facts. The report tells its system by the Windows folder
// fact, which ends with the system's path separator ("C:\WINDOWS\" or "/usr/"); without one,
// by its title's folder (a Linux folder has no "\"). A report that tells neither is taken for
// a Windows one, whose rule finds more.
ReportNames readReportNames(osfs::File& file, const TextDecoding& decoding);
