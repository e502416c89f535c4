#pragma once

#include <string>

// The program-wide state, in one place. Each object is created on first use and lives until
// the program ends.
class cLog;
class clsApplication;
class FileNumberTable;

// The application log.
cLog& gLog();

// The table of open text files.
FileNumberTable& gFileNumbers();

// The process list object (defined with the process list in sysinfo/).
clsApplication& gApp();

// The full name of the report file; empty until a report run sets it.
extern std::string gReportPath;
