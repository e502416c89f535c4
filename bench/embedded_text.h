#pragma once

#include <string>

// The text of a file as the report embeds it, in the form the report's JSON export gives it:
// its lines up to the report's cap (`cap` lines, and no more than the report's byte bound), each
// followed by "\n"; `cut` says whether the report cut it. Read by the report's own embedding
// (ReadTextFile), so that a check of an export against the disk reads what the report read.
std::string embeddedTextOf(const std::string& path, int cap, bool& cut);
