#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "sysinfo/sys_platform.h"

// Readers of the Linux system's own text files, kept apart from the calls that fetch them so
// that tests can give them fixed texts.

// The memory status from /proc/meminfo and the process's /proc/self/status: load is the used
// share of physical memory; physical memory is MemTotal and MemAvailable; the page file is
// CommitLimit and what Committed_AS leaves of it; virtual memory is the user address space (47
// bits less one page on 64-bit Linux, 3 GB on 32-bit) or the process's `addressSpaceLimit` where
// that is smaller, and what VmSize leaves of it. A missing figure counts 0.
MemoryStatus memoryStatusFrom(const std::string& meminfo, const std::string& selfStatus,
                              std::uint64_t addressSpaceLimit);

// The documents folder named by XDG_DOCUMENTS_DIR in a user-dirs.dirs text ("$HOME/Documents"
// or an absolute path, shell-quoted), without a trailing "/"; `home` + "/Documents" when the
// text names none.
std::string documentsFolderFrom(const std::string& userDirs, const std::string& home);

// The drives of a /proc/self/mounts text, sorted by mount point, each device once (at its
// first mount point in that order). A local block device is fixed, or removable when
// `isRemovable(device)` says so, or a CD-ROM for CD file systems; network file systems are
// network drives and tmpfs/ramfs RAM disks. Loop devices and pseudo file systems are left out.
std::vector<DriveEntry> drivesFromMounts(
    const std::string& mounts, const std::function<bool(const std::string&)>& isRemovable);

// The type name Windows gives a file of no registered type: the extension in upper case and
// " File" ("TXT File"), "File" without an extension, "File folder" for a folder.
std::string unregisteredTypeName(const std::string& fileName, bool isFolder);
