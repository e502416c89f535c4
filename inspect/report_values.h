#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "inspect/report_records.h"

// The values in the report's lines, read back as the report writes them. Each answers false
// (or nothing) when the line does not hold its value in the report's form; a line of a value
// that holds CR LF comes with its further lines joined to it.

// A figure written with a number pattern of "#" and ",": "1,234"; the empty text is 0.
std::optional<std::int64_t> groupedNumber(std::string_view text);
// "Sun, 22-May-2005 02:05:09 PM", as the report states its creation.
std::optional<DateTime> createdDate(std::string_view text);
// "2005/05/22 14:05:09", as a file table row states a file's last change.
std::optional<DateTime> rowDate(std::string_view text);
// ISO 8601, local time without a zone: "2005-05-22T14:05:09".
std::string isoDateTime(const DateTime& when);

bool readTitle(std::string_view line, std::string& toolFolder);
bool readReportLink(std::string_view line, std::string& reportPath);
bool readMailLink(std::string_view line, std::string& program, std::string& version);
// An entry of the list of folders; a ticked one also names its number, which must be `number`.
bool readListedFolder(std::string_view line, int number, ListedFolder& folder);
// The value after `label`, before the line's "<BR>".
bool readFact(std::string_view line, const char* label, std::string& value);
bool readFamily(std::string_view line, int& family);
// Fills the machine's memory figures; false when one of them cannot be read.
bool readMemory(std::string_view line, MachineRecord& machine);
bool readDrive(std::string_view line, DriveRecord& drive);
bool readFolderHeading(std::string_view line, FolderRecord& folder);
// False when the row's cells cannot be told apart; a size or date it cannot read is left empty.
bool readFileRow(std::string_view line, FileRowRecord& row);
bool readEmbeddedHeading(std::string_view line, std::string& path);
