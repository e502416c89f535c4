#include "sysinfo/system_facts.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <limits>

#include "sysinfo/space_trim.h"
#include "sysinfo/sys_platform.h"
#include "toolkit/format_value.h"
#include "toolkit/list_file_helpers.h"
#include "toolkit/os/os_traits.h"
#include "toolkit/ui/controls.h"
#include "toolkit/ui/ui.h"

namespace {

constexpr int kMyDocumentsFolderId = 5;
constexpr std::size_t kNameBufferSize = 128;
constexpr std::size_t kWindowsFolderBufferSize = 256;

struct NameCaches {
    std::string user;
    std::string computer;
};

NameCaches& nameCaches() {
    static NameCaches caches;
    return caches;
}

// Fills `cache` once from a name query whose reported size counts `extra` characters beyond
// the name (1 when it counts the terminating zero). A failed or empty query leaves the cache
// empty, so that the next call asks again.
template <typename Query>
const std::string& cachedName(std::string& cache, std::uint32_t extra, Query query) {
    if (!cache.empty())
        return cache;
    std::string buffer(kNameBufferSize, '\0');
    std::uint32_t size = kNameBufferSize;
    if (!query(buffer, size) || size <= extra)
        return cache;
    cache = buffer.substr(0, std::min<std::size_t>(size - extra, buffer.size()));
    return cache;
}

std::string kilobyteLine(const char* label, std::uint64_t bytes, const std::string& lineBreak) {
    return label + FormatValue(static_cast<double>(bytes) / 1024.0, kMemoryFigurePattern) +
           kKilobyteUnit + lineBreak;
}

// value / divisor rounded to the nearest whole number, a half to the even neighbour.
std::uint64_t divideRoundHalfEven(std::uint64_t value, std::uint64_t divisor) {
    const std::uint64_t quotient = value / divisor;
    const std::uint64_t twiceRemainder = (value % divisor) * 2;
    if (twiceRemainder > divisor)
        return quotient + 1;
    if (twiceRemainder == divisor)
        return quotient + (quotient & 1);
    return quotient;
}

}  // namespace

std::string getSpecialFolder(int folderId) {
    std::string path;
    switch (sysPlatform().specialFolder(folderId, path)) {
        case kFolderFound:
            return CutAtNul(path);
        case kFolderMissing:
            MsgBox("The folder does not exist");
            return std::string();
        case kFolderIdInvalid:
            MsgBox("An invalid folder ID was specified");
            return std::string();
        default:
            return std::string();
    }
}

std::string getMyDocumentsFolder() {
    return getSpecialFolder(kMyDocumentsFolderId);
}

std::string getMemoryReport(const std::string& lineBreak) {
    const MemoryStatus status = sysPlatform().memoryStatus();
    const std::uint64_t kilobyteFigures[] = {status.totalPhys,     status.availPhys,
                                             status.totalPageFile, status.availPageFile,
                                             status.totalVirtual,  status.availVirtual};
    std::string report =
        FormatValue(status.memoryLoad, kMemoryFigurePattern) + kMemoryLoadUnit + lineBreak;
    for (std::size_t line = 0; line < std::size(kMemoryLabels); ++line)
        report += kilobyteLine(kMemoryLabels[line], kilobyteFigures[line], lineBreak);
    return report;
}

int getFreeSpaceMB(const std::string& drivePath) {
    const FreeSpaceCounts counts = sysPlatform().freeSpace(drivePath);
    const std::uint64_t megabytes =
        divideRoundHalfEven(divideRoundHalfEven(counts.totalFreeBytes, 100), 10000);
    // Beyond two thousand terabytes free the figure no longer fits; it stops at the largest.
    return static_cast<int>(
        std::min<std::uint64_t>(megabytes, std::numeric_limits<std::int32_t>::max()));
}

std::string getUserName() {
    return cachedName(nameCaches().user, 1, [](std::string& buffer, std::uint32_t& size) {
        return sysPlatform().userName(buffer, size);
    });
}

std::string getComputerName() {
    return cachedName(nameCaches().computer, 0, [](std::string& buffer, std::uint32_t& size) {
        return sysPlatform().computerName(buffer, size);
    });
}

std::string getWindowsDir() {
    std::string buffer(kWindowsFolderBufferSize, ' ');
    std::uint32_t answer = sysPlatform().windowsFolder(buffer);
    // A folder too long for the buffer answers the room it needs and writes nothing: it is
    // asked again with that room, so that the report shows the whole folder.
    if (answer >= kWindowsFolderBufferSize) {
        const std::uint32_t room = answer;
        buffer.assign(room, ' ');
        answer = sysPlatform().windowsFolder(buffer);
        if (answer >= room)
            return std::string();
    }
    if (answer == 0)
        return std::string();
    std::string folder = trimSpaces(CutAtNul(buffer));
    if (folder.empty() || folder.back() != os::kPathSeparator)
        folder += os::kPathSeparator;
    return folder;
}

void listFixedDrives(ListBox& list) {
    list.setEnabled(true);
    for (const DriveEntry& drive : sysPlatform().drives()) {
        if (drive.type == DriveKind::Fixed)
            list.AddItem(drive.name);
    }
}

void resetNameCachesForTesting() {
    nameCaches() = NameCaches();
}
