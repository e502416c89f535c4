#include <windows.h>
// After windows.h, which the following need.
#include <psapi.h>
#include <shellapi.h>
#include <shlobj.h>
#include <tlhelp32.h>
#include <winver.h>

#include <algorithm>
#include <cstdint>

#include "sysinfo/sys_platform.h"
#include "sysinfo/version_block.h"
#include "toolkit/os/quiet_drive_errors_win32.h"
#include "toolkit/os/system_names.h"
#include "toolkit/os/wide_text_win32.h"

namespace {

constexpr int kCaptionBuffer = 128;
constexpr DWORD kQueryAndRead = PROCESS_QUERY_INFORMATION | PROCESS_VM_READ;
// Room for 200 bytes of module handles; only the first, the executable, is used.
constexpr int kModuleHandles = 200 / sizeof(HMODULE);

DriveKind driveTypeOf(UINT systemType) {
    switch (systemType) {
        case DRIVE_REMOVABLE:
            return DriveKind::Removable;
        case DRIVE_FIXED:
            return DriveKind::Fixed;
        case DRIVE_REMOTE:
            return DriveKind::Network;
        case DRIVE_CDROM:
            return DriveKind::CdRom;
        case DRIVE_RAMDISK:
            return DriveKind::RamDisk;
        default:
            return DriveKind::Unknown;
    }
}

DateTime dateTimeOf(const FILETIME& stamp) {
    SYSTEMTIME utc{};
    DateTime value;
    if (!FileTimeToSystemTime(&stamp, &utc))
        return value;
    value.year = utc.wYear;
    value.month = utc.wMonth;
    value.day = utc.wDay;
    value.hour = utc.wHour;
    value.minute = utc.wMinute;
    value.second = utc.wSecond;
    return value;
}

// The text before the first zero among `length` units, or all of them when none is zero.
std::string textUpToZero(const wchar_t* text, std::size_t length) {
    return narrow(std::wstring(text, std::find(text, text + length, L'\0')));
}

// The bytes from `value` to the end of the version block. A value inside the resource ends
// with it (the root's declared length); one the system put after it, in the room it keeps for
// text it converts, ends with the buffer. 0 for an address outside the buffer.
std::size_t bytesLeftInBlock(const VersionBlock& block, const void* value) {
    const auto first = reinterpret_cast<std::uintptr_t>(block.data());
    const auto at = reinterpret_cast<std::uintptr_t>(value);
    if (at < first || at - first > block.size())
        return 0;
    const std::size_t offset = at - first;
    const std::size_t declared = block.size() < 2 ? 0 : (block[0] | (block[1] << 8));
    const std::size_t end = offset <= declared ? std::min(declared, block.size()) : block.size();
    return end - offset;
}

class WinProcess : public ProcessHandle {
public:
    explicit WinProcess(HANDLE process) : process_(process) {}
    ~WinProcess() override { CloseHandle(process_); }
    WinProcess(const WinProcess&) = delete;
    WinProcess& operator=(const WinProcess&) = delete;

    bool firstModuleFileName(std::string& fileName) override {
        HMODULE modules[kModuleHandles] = {};
        DWORD needed = 0;
        if (!EnumProcessModules(process_, modules, sizeof modules, &needed))
            return false;
        wchar_t name[MAX_PATH];
        const DWORD length = GetModuleFileNameExW(process_, modules[0], name, MAX_PATH);
        fileName = narrow(std::wstring(name, length));
        return true;
    }

private:
    HANDLE process_;
};

class WinSnapshot : public ProcessSnapshot {
public:
    explicit WinSnapshot(HANDLE snapshot) : snapshot_(snapshot) { entry_.dwSize = sizeof entry_; }
    ~WinSnapshot() override { CloseHandle(snapshot_); }
    WinSnapshot(const WinSnapshot&) = delete;
    WinSnapshot& operator=(const WinSnapshot&) = delete;

    bool first(std::string& exeName) override {
        return take(Process32FirstW(snapshot_, &entry_), exeName);
    }
    bool next(std::string& exeName) override {
        return take(Process32NextW(snapshot_, &entry_), exeName);
    }

private:
    bool take(BOOL found, std::string& exeName) {
        if (found)
            exeName = textUpToZero(entry_.szExeFile, MAX_PATH);
        return found;
    }
    HANDLE snapshot_;
    PROCESSENTRY32W entry_{};
};

HWND windowOf(std::intptr_t handle) {
    return reinterpret_cast<HWND>(handle);
}

class WinSysPlatform : public SysPlatform {
public:
    std::uint32_t specialFolder(int folderId, std::string& path) override {
        wchar_t folder[MAX_PATH] = {};
        const HRESULT result =
            SHGetFolderPathW(nullptr, folderId, nullptr, SHGFP_TYPE_CURRENT, folder);
        if (result == S_OK) {
            path = textUpToZero(folder, MAX_PATH);
            return kFolderFound;
        }
        // The Unicode call reports a missing folder as E_FAIL where the ANSI call says S_FALSE.
        // https://learn.microsoft.com/windows/win32/api/shlobj_core/nf-shlobj_core-shgetfolderpathw
        if (result == E_FAIL || result == S_FALSE)
            return kFolderMissing;
        return static_cast<std::uint32_t>(result);
    }

    MemoryStatus memoryStatus() override {
        MEMORYSTATUSEX memory{};
        memory.dwLength = sizeof memory;
        MemoryStatus status;
        if (!GlobalMemoryStatusEx(&memory))
            return status;
        status.memoryLoad = memory.dwMemoryLoad;
        status.totalPhys = memory.ullTotalPhys;
        status.availPhys = memory.ullAvailPhys;
        status.totalPageFile = memory.ullTotalPageFile;
        status.availPageFile = memory.ullAvailPageFile;
        status.totalVirtual = memory.ullTotalVirtual;
        status.availVirtual = memory.ullAvailVirtual;
        return status;
    }

    FreeSpaceCounts freeSpace(const std::string& drivePath) override {
        const QuietDriveErrors quiet;
        ULARGE_INTEGER free{};
        FreeSpaceCounts counts;
        if (GetDiskFreeSpaceExW(widen(drivePath).c_str(), nullptr, nullptr, &free))
            counts.totalFreeBytes = free.QuadPart;
        return counts;
    }

    bool userName(std::string& buffer, std::uint32_t& size) override {
        return answerNameQuery(os::userName(), buffer, size, true);
    }

    bool computerName(std::string& buffer, std::uint32_t& size) override {
        return answerNameQuery(os::computerName(), buffer, size, false);
    }

    std::uint32_t windowsFolder(std::string& buffer) override {
        std::wstring folder(buffer.size(), L'\0');
        const UINT length = GetWindowsDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
        // A length beyond the buffer is the room it would need: nothing was written.
        if (length > 0 && length < folder.size())
            buffer = narrow(folder.substr(0, length));
        return length;
    }

    std::vector<DriveEntry> drives() override {
        const QuietDriveErrors quiet;
        std::vector<DriveEntry> drives;
        const DWORD letters = GetLogicalDrives();
        for (int i = 0; i < 26; ++i) {
            if (!(letters & (1u << i)))
                continue;
            const std::string name = std::string(1, static_cast<char>('A' + i)) + ":";
            drives.push_back({name, driveTypeOf(GetDriveTypeW(widen(name + "\\").c_str()))});
        }
        return drives;
    }

    bool versionBlock(const std::string& path, VersionBlock& block) override {
        const QuietDriveErrors quiet;
        const std::wstring file = widen(path);
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &ignored);
        if (size == 0)
            return false;
        block.assign(size, 0);
        return GetFileVersionInfoW(file.c_str(), 0, size, block.data());
    }

    bool queryVersionValue(const VersionBlock& block, const std::string& subBlock,
                           std::string& value) override {
        void* data = nullptr;
        UINT length = 0;
        if (block.empty() ||
            !VerQueryValueW(block.data(), widen(subBlock).c_str(), &data, &length)) {
            return false;
        }
        // The length comes from the file as it was written, so a damaged or crafted resource
        // can declare far more than the block holds: nothing is read past the block's end.
        const std::size_t room = bytesLeftInBlock(block, data);
        if (isStringFileInfoPath(subBlock)) {
            const std::size_t units = std::min<std::size_t>(length, room / sizeof(wchar_t));
            value = textUpToZero(static_cast<const wchar_t*>(data), units);
        } else {
            value.assign(static_cast<const char*>(data), std::min<std::size_t>(length, room));
        }
        return true;
    }

    bool findFile(const std::string& path, FindRecord& record) override {
        const QuietDriveErrors quiet;
        WIN32_FIND_DATAW found{};
        const HANDLE search = FindFirstFileW(widen(path).c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return false;
        FindClose(search);
        record.attributes = found.dwFileAttributes;
        record.size = (std::uint64_t{found.nFileSizeHigh} << 32) | found.nFileSizeLow;
        return true;
    }

    FileTimesResult fileTimes(const std::string& path, FileTimeStamps& times) override {
        const QuietDriveErrors quiet;
        const HANDLE file = CreateFileW(widen(path).c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return FileTimesResult::CannotOpen;
        FILETIME created{}, accessed{}, written{};
        const bool read = GetFileTime(file, &created, &accessed, &written);
        CloseHandle(file);
        if (!read)
            return FileTimesResult::TimesUnavailable;
        times.creation = dateTimeOf(created);
        times.lastAccess = dateTimeOf(accessed);
        times.lastWrite = dateTimeOf(written);
        return FileTimesResult::TimesRead;
    }

    bool shellFileInfo(const std::string& path, bool largeIcon, std::string& typeName,
                       int& iconIndex) override {
        const QuietDriveErrors quiet;
        SHFILEINFOW info{};
        const UINT flags = SHGFI_TYPENAME | SHGFI_SYSICONINDEX | (largeIcon ? 0 : SHGFI_SMALLICON);
        if (SHGetFileInfoW(widen(path).c_str(), 0, &info, sizeof info, flags) == 0)
            return false;
        typeName = textUpToZero(info.szTypeName, sizeof info.szTypeName / sizeof(wchar_t));
        iconIndex = info.iIcon;
        return true;
    }

    int platformId() override {
        OSVERSIONINFOW version{};
        version.dwOSVersionInfoSize = sizeof version;
        GetVersionExW(&version);
        return static_cast<int>(version.dwPlatformId);
    }

    bool enumProcesses(std::vector<std::uint32_t>& ids, std::uint32_t& bytesFilled) override {
        DWORD filled = 0;
        const DWORD room = static_cast<DWORD>(ids.size() * sizeof(DWORD));
        if (!EnumProcesses(reinterpret_cast<DWORD*>(ids.data()), room, &filled))
            return false;
        bytesFilled = filled;
        return true;
    }

    std::unique_ptr<ProcessHandle> openProcess(std::uint32_t processId) override {
        const HANDLE process = OpenProcess(kQueryAndRead, FALSE, processId);
        if (process == nullptr)
            return nullptr;
        return std::make_unique<WinProcess>(process);
    }

    std::unique_ptr<ProcessSnapshot> processSnapshot() override {
        const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        if (snapshot == INVALID_HANDLE_VALUE)
            return nullptr;
        return std::make_unique<WinSnapshot>(snapshot);
    }

    std::intptr_t findTopLevelWindow(const std::string& title) override {
        return reinterpret_cast<std::intptr_t>(FindWindowW(nullptr, widen(title).c_str()));
    }

    void sendCloseCommand(std::intptr_t window) override {
        SendMessageW(windowOf(window), WM_SYSCOMMAND, SC_CLOSE, 0);
    }

    void postCloseMessage(std::intptr_t window) override {
        // Posted to no window, the message would land in this thread's own queue.
        if (window != 0)
            PostMessageW(windowOf(window), WM_CLOSE, 1, 1);
    }

    std::string windowCaption(std::intptr_t window) override {
        wchar_t caption[kCaptionBuffer];
        const int length = GetWindowTextW(windowOf(window), caption, kCaptionBuffer);
        return length > 0 ? narrow(std::wstring(caption, static_cast<std::size_t>(length)))
                          : std::string();
    }
};

}  // namespace

std::unique_ptr<SysPlatform> makeNativeSysPlatform() {
    return std::make_unique<WinSysPlatform>();
}
