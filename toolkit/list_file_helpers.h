#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/date_time.h"

class ListBox;
class ListView;
namespace osfs {
struct FileFacts;
}

// Small operations on lists and file paths shared by the window, the report and the process
// list. Paths split at the platform's one separator (os::kPathSeparator).

// Ticks every item when flag is 1, clears every item for any other value.
void SetAllChecked(ListView& listView, int flag);
// The error number the tool's runtime gave the file layer's words for a failure; 75, a general
// access error, for words it does not know.
int FileErrorNumber(const std::string& description);
// Writes every line of the list, each ended by CR LF; `count` receives the lines written.
void SaveListboxToFile(ListBox& listBox, const std::string& fileName, int& count);
// The text before its first zero character; the whole text when it holds none.
std::string CutAtNul(const std::string& text);
// The text after the last separator; empty when there is none or the path ends with one.
std::string GetFileNameFromPath(const std::string& path);
// The text up to and including the last separator; empty when there is none.
std::string GetPathFromFileName(const std::string& path);
// folder + separator + name, without doubling a separator that ends folder.
std::string CombinePath(const std::string& folder, const std::string& name);
// The file's length in bytes; -1 when it cannot be read.
std::int64_t GetFileLength(const std::string& fileName);
// Appends the full name of every file of `folder` matching `pattern` whose last-change day lies
// in the range; `listedFacts`, where given, receives each appended file's facts as the listing
// found them, in the same order. Throws std::runtime_error when the folder's drive cannot be read
// at all.
void ListFiles(const std::string& folder, const DateTime& startDate, const DateTime& endDate,
               const std::string& pattern, ListBox& listBox,
               std::vector<osfs::FileFacts>* listedFacts = nullptr);
bool FileDateInRange(const std::string& fileName, const DateTime& startDate,
                     const DateTime& endDate);
// name + separator + size + separator + date ("yyyy/mm/dd hh:mm:ss") + separator. Throws
// std::runtime_error when the file's date cannot be read.
std::string GetFileInfoString(const std::string& fileName, const std::string& separator);
// The same from the facts the caller has just looked up, so that the file is asked for once.
std::string GetFileInfoString(const std::string& fileName, const osfs::FileFacts& facts,
                              const std::string& separator);
