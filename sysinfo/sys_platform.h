#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "sysinfo/version_source.h"
#include "toolkit/date_time.h"

// The primitive questions the system-information layer asks the machine. Each platform answers
// them in its own file (sys_platform_win32.cpp, sys_platform_linux.cpp) and tests install
// fakes; every algorithm on top of them is portable. An answer is data plus a plain failure
// value; nothing here shows or prints anything.

// Result codes of the special-folder query, with the values the ANSI shell call reports.
constexpr std::uint32_t kFolderFound = 0;
constexpr std::uint32_t kFolderMissing = 1;
constexpr std::uint32_t kFolderIdInvalid = 0x80070057;

// Operating-system families, as the platform id of the version query numbers them.
constexpr int kFamilyWindows9x = 1;
constexpr int kFamilyNt = 2;

struct MemoryStatus {
    std::uint32_t memoryLoad = 0;  // percentage of physical memory in use, 0 to 100
    std::uint64_t totalPhys = 0;   // the rest are byte counts
    std::uint64_t availPhys = 0;
    std::uint64_t totalPageFile = 0;
    std::uint64_t availPageFile = 0;
    std::uint64_t totalVirtual = 0;
    std::uint64_t availVirtual = 0;
};

// What the report shows of a drive: all its free bytes, also those kept from this user.
struct FreeSpaceCounts {
    std::uint64_t totalFreeBytes = 0;
};

// Drive types, with the values of the scripting runtime's DriveType.
enum class DriveKind { Unknown = 0, Removable = 1, Fixed = 2, Network = 3, CdRom = 4, RamDisk = 5 };

struct DriveEntry {
    std::string name;  // as the drive list shows it: "C:" on Windows, the mount point on Linux
    DriveKind type = DriveKind::Unknown;
};

// The part of a directory search's find record that file properties use.
struct FindRecord {
    std::uint32_t attributes = 0;  // osfs::Attribute bits
    std::uint64_t size = 0;
};

// A file's three time stamps, in UTC.
struct FileTimeStamps {
    DateTime creation;
    DateTime lastAccess;
    DateTime lastWrite;
};

enum class FileTimesResult {
    CannotOpen,        // the file cannot be opened for reading (missing, a folder, no access)
    TimesUnavailable,  // opened, but its time stamps cannot be read
    TimesRead,
};

// A process opened for query and read access; closed when destroyed.
class ProcessHandle {
public:
    virtual ~ProcessHandle() = default;
    // The file name of the process's first module, its executable. False when its modules
    // cannot be read; true with the empty text when only the name query failed.
    virtual bool firstModuleFileName(std::string& fileName) = 0;
};

// A tool-help snapshot of the processes; closed when destroyed.
class ProcessSnapshot {
public:
    virtual ~ProcessSnapshot() = default;
    // The executable file name of the first or next process entry; false at the end.
    virtual bool first(std::string& exeName) = 0;
    virtual bool next(std::string& exeName) = 0;
};

class SysPlatform : public VersionSource {
public:
    // One of the kFolder... codes; `path` receives the folder's path on kFolderFound.
    virtual std::uint32_t specialFolder(int folderId, std::string& path) = 0;
    virtual MemoryStatus memoryStatus() = 0;
    // All counts 0 when the drive cannot be queried.
    virtual FreeSpaceCounts freeSpace(const std::string& drivePath) = 0;
    // `buffer` receives the name followed by a terminating zero; `size` counts the characters
    // written, the zero included. False when the query fails.
    virtual bool userName(std::string& buffer, std::uint32_t& size) = 0;
    // As userName, but `size` does not count the terminating zero.
    virtual bool computerName(std::string& buffer, std::uint32_t& size) = 0;
    // Writes the Windows folder into `buffer` (spaces on entry) and returns the count of
    // characters written. A folder that does not fit in buffer.size() characters with its
    // terminating zero is not written: the answer is then the room it needs, zero included,
    // more than buffer.size(). 0 on failure.
    virtual std::uint32_t windowsFolder(std::string& buffer) = 0;
    // The machine's drives in the order the system gives them.
    virtual std::vector<DriveEntry> drives() = 0;
    // False when the file is not found.
    virtual bool findFile(const std::string& path, FindRecord& record) = 0;
    virtual FileTimesResult fileTimes(const std::string& path, FileTimeStamps& times) = 0;
    // The shell's type name of the file and its index in the system image list.
    virtual bool shellFileInfo(const std::string& path, bool largeIcon, std::string& typeName,
                               int& iconIndex) = 0;
    // The platform id of the version query: kFamilyWindows9x, kFamilyNt or another value.
    virtual int platformId() = 0;
    // Fills `ids` (its size is the room given) with the running processes' ids and reports the
    // bytes filled, 4 per id; false when the call fails.
    virtual bool enumProcesses(std::vector<std::uint32_t>& ids, std::uint32_t& bytesFilled) = 0;
    // Null when the process refuses query and read access.
    virtual std::unique_ptr<ProcessHandle> openProcess(std::uint32_t processId) = 0;
    // Null when no snapshot can be had.
    virtual std::unique_ptr<ProcessSnapshot> processSnapshot() = 0;
    // The first top-level window with exactly that title; 0 when there is none.
    virtual std::intptr_t findTopLevelWindow(const std::string& title) = 0;
    // The system command "close", sent and waited for; a 0 window is no window.
    virtual void sendCloseCommand(std::intptr_t window) = 0;
    // The close message, posted with both parameters 1, without waiting.
    virtual void postCloseMessage(std::intptr_t window) = 0;
    // The window's title as a 128-character buffer holds it; empty for no window.
    virtual std::string windowCaption(std::intptr_t window) = 0;
};

// Answers a name query as the system does: the name and its terminating zero in `buffer`, and
// a `size` that counts the zero when `sizeCountsZero` holds. False for the empty name.
bool answerNameQuery(const std::string& name, std::string& buffer, std::uint32_t& size,
                     bool sizeCountsZero);

// The platform in use: the machine's own until a test installs another.
SysPlatform& sysPlatform();
// Installs `platform` for a test, or the machine's own again when it is null. Either way the
// cached user and computer names are forgotten.
void setSysPlatformForTesting(std::unique_ptr<SysPlatform> platform);
// The machine's own platform, defined by each platform's file.
std::unique_ptr<SysPlatform> makeNativeSysPlatform();
