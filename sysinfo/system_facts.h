#pragma once

#include <string>

class ListBox;

// Facts about the machine, with the exact texts the report prints.

// The special folder's path without a trailing separator; the empty text on failure.
std::string getSpecialFolder(int folderId);
// The user's documents folder (special folder 5).
std::string getMyDocumentsFolder();
// The memory report's texts, which the report's reader recognises too: the load's line is its
// figure + kMemoryLoadUnit; each of the six lines after it is its label of kMemoryLabels +
// kilobytes + kKilobyteUnit. Figures are written with kMemoryFigurePattern, so 0 is empty.
constexpr const char* kMemoryLoadUnit = " % used";
constexpr const char* kKilobyteUnit = " Kbyte";
constexpr const char* kMemoryFigurePattern = "###,###,###,###";
constexpr const char* kMemoryLabels[] = {
    "TotalPhys     = ", "AvailPhys     = ", "TotalPageFile = ",
    "AvailPageFile = ", "TotalVirtual  = ", "AvailVirtual  = "};
// Seven lines, each ending with lineBreak: load, physical, page file and virtual memory.
std::string getMemoryReport(const std::string& lineBreak);
// Total free bytes of the drive in millions of bytes, rounded half to even; 0 on failure.
int getFreeSpaceMB(const std::string& drivePath);
std::string getUserName();
std::string getComputerName();
// The Windows folder ("/usr/" on Linux), always ending with the separator; empty on failure.
std::string getWindowsDir();
// Appends one line per fixed disk ("C:" on Windows, the mount point on Linux).
void listFixedDrives(ListBox& list);

// Forgets the cached user and computer names, so that a test's platform is asked again.
void resetNameCachesForTesting();
