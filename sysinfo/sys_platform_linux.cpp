#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cctype>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "sysinfo/linux_text_sources.h"
#include "sysinfo/sys_platform.h"
#include "sysinfo/tool_windows.h"
#include "toolkit/os/file_system.h"
#include "toolkit/os/system_names.h"

namespace {

constexpr int kDocumentsFolderId = 5;
// The shell's general failure code: no folder and no message.
constexpr std::uint32_t kFolderUnknown = 0x80004005;

std::string readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : std::string();
}

std::string homeFolder() {
    std::string home = environment("HOME");
    if (home.empty()) {
        const passwd* entry = getpwuid(geteuid());
        if (entry != nullptr && entry->pw_dir != nullptr)
            home = entry->pw_dir;
    }
    return home;
}

std::string configFolder(const std::string& home) {
    const std::string config = environment("XDG_CONFIG_HOME");
    return !config.empty() && config.front() == '/' ? config : home + "/.config";
}

// The process's address-space limit; none is the largest number.
std::uint64_t addressSpaceLimit() {
    rlimit limit{};
    if (getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
        return limit.rlim_cur;
    return UINT64_MAX;
}

// The removable flag of the disk behind a device node; a partition reads its disk's flag.
bool isRemovableDevice(const std::string& device) {
    char resolved[PATH_MAX];
    const std::string node = realpath(device.c_str(), resolved) != nullptr ? resolved : device;
    const std::string block = "/sys/class/block/" + node.substr(node.find_last_of('/') + 1);
    for (const char* flag : {"/removable", "/../removable"}) {
        std::ifstream in(block + flag);
        int removable{};
        if (in >> removable)
            return removable == 1;
    }
    return false;
}

DateTime utcDateTime(const statx_timestamp& stamp) {
    return DateTime::fromCalendarSeconds(stamp.tv_sec);
}

bool isProcessId(const char* name) {
    if (*name == '\0')
        return false;
    for (const char* c = name; *c != '\0'; ++c) {
        if (!std::isdigit(static_cast<unsigned char>(*c)))
            return false;
    }
    return true;
}

bool readLink(const std::string& path, std::string& target) {
    char buffer[PATH_MAX];
    const ssize_t length = readlink(path.c_str(), buffer, sizeof buffer);
    if (length <= 0)
        return false;
    target.assign(buffer, static_cast<std::size_t>(length));
    return true;
}

// A process whose executable link could be read: the system lets us look into it.
class LinuxProcess : public ProcessHandle {
public:
    explicit LinuxProcess(std::string executable) : executable_(std::move(executable)) {}
    bool firstModuleFileName(std::string& fileName) override {
        fileName = executable_;
        return true;
    }

private:
    std::string executable_;
};

class LinuxSysPlatform : public SysPlatform {
public:
    std::uint32_t specialFolder(int folderId, std::string& path) override {
        if (folderId != kDocumentsFolderId)
            return kFolderIdInvalid;
        const std::string home = homeFolder();
        if (home.empty())
            return kFolderUnknown;
        path = documentsFolderFrom(readWholeFile(configFolder(home) + "/user-dirs.dirs"), home);
        return kFolderFound;
    }

    MemoryStatus memoryStatus() override {
        return memoryStatusFrom(readWholeFile("/proc/meminfo"), readWholeFile("/proc/self/status"),
                                addressSpaceLimit());
    }

    FreeSpaceCounts freeSpace(const std::string& drivePath) override {
        struct statvfs facts {};
        FreeSpaceCounts counts;
        if (statvfs(drivePath.c_str(), &facts) != 0)
            return counts;
        counts.totalFreeBytes = std::uint64_t{facts.f_bfree} * facts.f_frsize;
        return counts;
    }

    bool userName(std::string& buffer, std::uint32_t& size) override {
        return answerNameQuery(os::userName(), buffer, size, true);
    }

    bool computerName(std::string& buffer, std::uint32_t& size) override {
        return answerNameQuery(os::computerName(), buffer, size, false);
    }

    // The system's program tree stands where Windows keeps its own programs.
    std::uint32_t windowsFolder(std::string& buffer) override {
        buffer = "/usr/";
        return static_cast<std::uint32_t>(buffer.size());
    }

    std::vector<DriveEntry> drives() override {
        return drivesFromMounts(readWholeFile("/proc/self/mounts"), isRemovableDevice);
    }

    bool versionBlock(const std::string& path, VersionBlock& block) override {
        return peReader_.versionBlock(path, block);
    }

    bool queryVersionValue(const VersionBlock& block, const std::string& subBlock,
                           std::string& value) override {
        return peReader_.queryVersionValue(block, subBlock, value);
    }

    bool findFile(const std::string& path, FindRecord& record) override {
        osfs::FileFacts facts;
        if (!osfs::lookUp(path, facts))
            return false;
        record.attributes = facts.attributes;
        record.size = static_cast<std::uint64_t>(facts.size);
        return true;
    }

    FileTimesResult fileTimes(const std::string& path, FileTimeStamps& times) override {
        // Not blocking: opening a pipe for reading would otherwise wait for a writer.
        const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            return FileTimesResult::CannotOpen;
        struct statx facts {};
        const bool read =
            statx(fd, "", AT_EMPTY_PATH, STATX_BASIC_STATS | STATX_BTIME, &facts) == 0;
        close(fd);
        if (read && S_ISDIR(facts.stx_mode))
            return FileTimesResult::CannotOpen;
        if (!read)
            return FileTimesResult::TimesUnavailable;
        // Where the file system keeps no birth time, the status change time stands in.
        times.creation =
            utcDateTime((facts.stx_mask & STATX_BTIME) ? facts.stx_btime : facts.stx_ctime);
        times.lastAccess = utcDateTime(facts.stx_atime);
        times.lastWrite = utcDateTime(facts.stx_mtime);
        return FileTimesResult::TimesRead;
    }

    bool shellFileInfo(const std::string& path, bool /*largeIcon*/, std::string& typeName,
                       int& iconIndex) override {
        struct stat facts {};
        if (stat(path.c_str(), &facts) != 0)
            return false;
        typeName = unregisteredTypeName(path, S_ISDIR(facts.st_mode));
        iconIndex = 0;
        return true;
    }

    // Linux lists its processes the NT way: ids, then each one opened and read.
    int platformId() override { return kFamilyNt; }

    bool enumProcesses(std::vector<std::uint32_t>& ids, std::uint32_t& bytesFilled) override {
        DIR* proc = opendir("/proc");
        if (proc == nullptr)
            return false;
        std::size_t count = 0;
        while (const dirent* entry = readdir(proc)) {
            if (count == ids.size())
                break;
            if (isProcessId(entry->d_name)) {
                ids[count++] = static_cast<std::uint32_t>(std::strtoul(entry->d_name, nullptr, 10));
            }
        }
        closedir(proc);
        bytesFilled = static_cast<std::uint32_t>(count * sizeof(std::uint32_t));
        return true;
    }

    // Kernel threads and other users' processes refuse their executable link and stay out.
    std::unique_ptr<ProcessHandle> openProcess(std::uint32_t processId) override {
        std::string executable;
        if (!readLink("/proc/" + std::to_string(processId) + "/exe", executable))
            return nullptr;
        return std::make_unique<LinuxProcess>(executable);
    }

    std::unique_ptr<ProcessSnapshot> processSnapshot() override { return nullptr; }

    std::intptr_t findTopLevelWindow(const std::string& title) override {
        return findToolWindow(title);
    }
    void sendCloseCommand(std::intptr_t window) override { closeToolWindow(window); }
    void postCloseMessage(std::intptr_t window) override { closeToolWindow(window); }
    std::string windowCaption(std::intptr_t window) override { return toolWindowCaption(window); }

private:
    PeVersionSource peReader_;
};

}  // namespace

std::unique_ptr<SysPlatform> makeNativeSysPlatform() {
    return std::make_unique<LinuxSysPlatform>();
}
