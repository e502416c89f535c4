#pragma once

#include <string>

// What the report makes of a file, judged from its full name alone.
enum class FileClass { Other, Config, Log, Data };

// The last three characters of the text in upper case (all of it when shorter). The report
// tests these, not an extension: "CHANGE" ends in "NGE", "x.ok" in ".OK".
std::string lastThreeUpper(const std::string& text);

// True for a name that ends in "EXE" in any case; such a file gets a program row with its
// version in the file table.
bool isProgramFile(const std::string& fullName);

// The class of the file `fullName` in `currentYear`. Config files end in TXT, INI, LIS, PRO,
// PTH, .OK, ADD or NGE, unless their name begins with "_tmp" (the tool's own lists); log files
// end in LOG; data files end in DAT and their name begins with "D" and the year, since only
// this year's data files matter. The name tests are exact, case included.
FileClass classifyFile(const std::string& fullName, int currentYear);
