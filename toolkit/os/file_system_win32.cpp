#include <windows.h>

#include <cstring>
#include <memory>
#include <mutex>
#include <set>

#include "toolkit/local_clock.h"
#include "toolkit/os/file_handle.h"
#include "toolkit/os/file_system.h"
#include "toolkit/os/quiet_drive_errors_win32.h"
#include "toolkit/os/wide_text_win32.h"

namespace osfs {

namespace {

using detail::Failure;

Failure failureOf(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_NO_MORE_FILES:
            return Failure::FileNotFound;
        case ERROR_PATH_NOT_FOUND:
        case ERROR_DIRECTORY:
            return Failure::PathNotFound;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_WRITE_PROTECT:
            return Failure::PermissionDenied;
        case ERROR_HANDLE_DISK_FULL:
        case ERROR_DISK_FULL:
            return Failure::DiskFull;
        case ERROR_TOO_MANY_OPEN_FILES:
            return Failure::TooManyFiles;
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_FILENAME_EXCED_RANGE:
            return Failure::BadFileName;
        case ERROR_INVALID_DRIVE:
        case ERROR_NOT_READY:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
            return Failure::DeviceUnavailable;
        case ERROR_CRC:
        case ERROR_READ_FAULT:
        case ERROR_WRITE_FAULT:
        case ERROR_GEN_FAILURE:
            return Failure::DeviceIoError;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return Failure::FileAlreadyExists;
        default:
            return Failure::AccessError;
    }
}

void noteLastError() {
    detail::noteFailure(failureOf(GetLastError()));
}

bool isSeparator(char c) {
    return c == '\\' || c == '/' || c == ':';
}

// `name` inside `folder`, with one separator between them.
std::string joinPath(const std::string& folder, const std::string& name) {
    return !folder.empty() && isSeparator(folder.back()) ? folder + name : folder + "\\" + name;
}

std::string nameOf(const std::string& path) {
    std::size_t cut = path.size();
    while (cut > 0 && !isSeparator(path[cut - 1]))
        --cut;
    return path.substr(cut);
}

std::int64_t unixSecondsOf(const FILETIME& time) {
    // FILETIME counts 100-nanosecond steps from 1 January 1601 UTC.
    const std::uint64_t units =
        (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    return static_cast<std::int64_t>(units / 10000000) - 11644473600LL;
}

FileFacts factsOf(const std::string& name, DWORD attributes, DWORD sizeHigh, DWORD sizeLow,
                  const FILETIME& lastWrite) {
    FileFacts facts;
    facts.name = name;
    facts.attributes = attributes;
    facts.size = static_cast<std::int64_t>((static_cast<std::uint64_t>(sizeHigh) << 32) | sizeLow);
    facts.lastWrite = localTimeOf(unixSecondsOf(lastWrite));
    return facts;
}

bool isFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// A handle closed when it goes out of scope.
class HandleOwner {
public:
    explicit HandleOwner(HANDLE handle) : handle_(handle) {}
    ~HandleOwner() {
        if (valid())
            CloseHandle(handle_);
    }
    HandleOwner(const HandleOwner&) = delete;
    HandleOwner& operator=(const HandleOwner&) = delete;
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

// A folder opened for its identity and its listing or, where it may not be listed, for its
// identity alone. Folders open only with FILE_FLAG_BACKUP_SEMANTICS.
// https://learn.microsoft.com/en-us/windows/win32/api/fileapi/nf-fileapi-createfilew
HANDLE openFolderHandle(const std::wstring& path, bool& listable) {
    const auto open = [&](DWORD access) {
        return CreateFileW(path.c_str(), access,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    };
    HANDLE folder = open(FILE_LIST_DIRECTORY);
    listable = folder != INVALID_HANDLE_VALUE;
    if (!listable && GetLastError() == ERROR_ACCESS_DENIED)
        folder = open(0);
    return folder;
}

// The names of the subfolders of a folder opened for listing, read from its handle, so that the
// listing needs no second opening. False, with nothing read, when the folder's file system does
// not answer this kind of listing; some network and third-party file systems do not.
// https://learn.microsoft.com/en-us/windows/win32/api/winbase/nf-winbase-getfileinformationbyhandleex
bool readSubfolderNames(HANDLE folder, std::vector<std::string>& names) {
    names.clear();
    // 64 KiB, aligned as the entries need, and not zeroed: the system fills what it answers, and
    // the walk asks once per folder.
    constexpr std::size_t kWords = 8192;
    const std::unique_ptr<std::uint64_t[]> batch(new std::uint64_t[kWords]);
    const auto bytes = static_cast<DWORD>(kWords * sizeof(std::uint64_t));
    FILE_INFO_BY_HANDLE_CLASS nextBatch = FileIdBothDirectoryRestartInfo;
    while (GetFileInformationByHandleEx(folder, nextBatch, batch.get(), bytes)) {
        nextBatch = FileIdBothDirectoryInfo;
        const auto* at = reinterpret_cast<const unsigned char*>(batch.get());
        for (;;) {
            const auto& entry = *reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(at);
            const std::wstring name(entry.FileName, entry.FileNameLength / sizeof(WCHAR));
            if ((entry.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != L"." && name != L"..")
                names.push_back(narrow(name));
            if (entry.NextEntryOffset == 0)
                break;
            at += entry.NextEntryOffset;
        }
    }
    // A folder without any entry, not even "." (an empty drive's root), answers "not found".
    const DWORD error = GetLastError();
    if (error == ERROR_NO_MORE_FILES || error == ERROR_FILE_NOT_FOUND)
        return true;
    if (nextBatch == FileIdBothDirectoryRestartInfo)
        return false;
    noteLastError();  // the listing broke off; what it gave stands
    return true;
}

// FILE_ID_INFO and its class number, which the headers declare only for Windows 8 and later;
// on older systems the query fails and the folder has no id.
struct FileIdInformation {
    ULONGLONG VolumeSerialNumber;
    FILE_ID_128 FileId;
};
constexpr auto kFileIdInfo = static_cast<FILE_INFO_BY_HANDLE_CLASS>(18);

std::wstring finalPathOf(HANDLE folder, DWORD form) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD room = static_cast<DWORD>(path.size());
        const DWORD length = GetFinalPathNameByHandleW(folder, path.data(), room, form);
        if (length == 0)
            return std::wstring();
        // Too small a buffer answers the room needed, its zero included.
        if (length < room) {
            path.resize(length);
            return path;
        }
        path.assign(length, L'\0');
    }
}

// The folder's final path, every link, junction and mount point resolved: with its drive
// ("\\?\C:\a\b", "\\?\UNC\server\share\a") or, on a volume without one, in the system's own
// form ("\Device\HarddiskVolume2\a\b"). Either way the same folder has one such path however
// it was reached. The drive's form comes first because Wine gives it from the handle alone,
// while the system's own form costs three more round trips to its server. Empty when the
// system cannot give it.
// https://learn.microsoft.com/en-us/windows/win32/api/fileapi/nf-fileapi-getfinalpathnamebyhandlew
std::wstring finalPathOf(HANDLE folder) {
    const std::wstring withDrive = finalPathOf(folder, VOLUME_NAME_DOS);
    return withDrive.empty() ? finalPathOf(folder, VOLUME_NAME_NT) : withDrive;
}

// The volume part of a final path: "\\?\C:", "\\?\UNC\server\share" or
// "\Device\HarddiskVolume2" (for a share in that form, "\Device\Mup", the network redirector).
// Empty when the path has none.
std::wstring volumeOf(const std::wstring& finalPath) {
    const auto startsWith = [&](const wchar_t* prefix) { return finalPath.rfind(prefix, 0) == 0; };
    // The separator that ends the volume's part, counted from the first.
    int separators = startsWith(L"\\\\?\\UNC\\") ? 6 : startsWith(L"\\\\?\\") ? 4 : 3;
    for (std::size_t at = 0; at < finalPath.size(); ++at) {
        if (finalPath[at] == L'\\' && --separators == 0)
            return finalPath.substr(0, at);
    }
    return std::wstring();
}

// The volumes that did not vouch for unique ids. Asking a volume for its flags costs a round
// trip to the mount manager under Wine, for every folder; the answer "no" is kept, since at
// worst it makes a folder known by its final path. A "yes" is asked again each time, because
// one device (the network redirector) serves many shares. Folders are opened on several threads.
class VolumesWithoutUniqueIds {
public:
    bool contain(const std::wstring& volume) {
        const std::lock_guard<std::mutex> lock(mutex_);
        return volumes_.count(volume) != 0;
    }
    void add(const std::wstring& volume) {
        const std::lock_guard<std::mutex> lock(mutex_);
        volumes_.insert(volume);
    }

private:
    std::mutex mutex_;
    std::set<std::wstring> volumes_;
};

// Never destroyed: a folder may still be opening on another thread while the program ends.
VolumesWithoutUniqueIds& volumesWithoutUniqueIds() {
    static auto* volumes = new VolumesWithoutUniqueIds;
    return *volumes;
}

// The 64-bit file index is not unique on ReFS and on some network and emulated file systems;
// the 128-bit id is, where the volume says it can open files by id.
// https://learn.microsoft.com/en-us/windows/win32/api/winbase/ns-winbase-file_id_info
bool volumeIdsUnique(HANDLE folder, const std::wstring& finalPath) {
    const std::wstring volume = volumeOf(finalPath);
    VolumesWithoutUniqueIds& without = volumesWithoutUniqueIds();
    if (!volume.empty() && without.contain(volume))
        return false;
    DWORD flags = 0;
    if (GetVolumeInformationByHandleW(folder, nullptr, 0, nullptr, nullptr, &flags, nullptr, 0) &&
        (flags & FILE_SUPPORTS_OPEN_BY_FILE_ID))
        return true;
    if (!volume.empty())
        without.add(volume);
    return false;
}

}  // namespace

struct DirectorySearch::Impl {
    HANDLE find = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAW data{};
    bool havePending = false;
    std::string pattern;  // the last component, to drop matches on 8.3 short names
};

DirectorySearch::DirectorySearch(const std::string& pathPattern) : impl_(std::make_unique<Impl>()) {
    QuietDriveErrors quiet;
    impl_->pattern = nameOf(pathPattern);
    impl_->find = FindFirstFileExW(widen(pathPattern).c_str(), FindExInfoBasic, &impl_->data,
                                   FindExSearchNameMatch, nullptr, 0);
    if (impl_->find == INVALID_HANDLE_VALUE) {
        noteLastError();
        return;
    }
    impl_->havePending = true;
}

DirectorySearch::~DirectorySearch() {
    if (impl_->find != INVALID_HANDLE_VALUE)
        FindClose(impl_->find);
}

bool DirectorySearch::next(FileFacts& entry) {
    Impl& search = *impl_;
    QuietDriveErrors quiet;
    while (search.havePending) {
        const WIN32_FIND_DATAW found = search.data;
        search.havePending = FindNextFileW(search.find, &search.data) != 0;
        const std::string name = narrow(found.cFileName);
        // Windows also matches a pattern against the short 8.3 names ("*.htm" finds
        // "page.html"); the one wildcard rule of the tool decides instead.
        if (name == "." || name == ".." || !matchesPattern(name, search.pattern, true))
            continue;
        entry = factsOf(name, found.dwFileAttributes, found.nFileSizeHigh, found.nFileSizeLow,
                        found.ftLastWriteTime);
        return true;
    }
    return false;
}

namespace {

// The subfolders that a directory search finds, for file systems that do not list a folder
// through its handle.
std::vector<std::string> searchSubfolderNames(const std::string& folder) {
    std::vector<std::string> names;
    DirectorySearch search(joinPath(folder, "*"));
    FileFacts entry;
    while (search.next(entry)) {
        if (entry.attributes & kAttrDirectory)
            names.push_back(entry.name);
    }
    return names;
}

}  // namespace

bool lookUp(const std::string& path, FileFacts& facts) {
    QuietDriveErrors quiet;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(widen(path).c_str(), GetFileExInfoStandard, &data)) {
        noteLastError();
        return false;
    }
    facts = factsOf(nameOf(path), data.dwFileAttributes, data.nFileSizeHigh, data.nFileSizeLow,
                    data.ftLastWriteTime);
    return true;
}

// The system's calls take a path whole; holding the folder's path saves nothing there but keeps
// the report's code the same on both systems.
struct HeldFolder::Impl {
    std::string path;
    std::string pathOf(const std::string& name) const { return joinPath(path, name); }
};

HeldFolder::HeldFolder(const std::string& folder) : impl_(std::make_unique<Impl>()) {
    impl_->path = folder;
}

HeldFolder::~HeldFolder() = default;

bool HeldFolder::lookUp(const std::string& name, FileFacts& facts) {
    return osfs::lookUp(impl_->pathOf(name), facts);
}

// A folder's entry, which the listing reads, may hold an old size of a file being written;
// the file's own facts are current.
bool HeldFolder::listedFacts(const std::string& name, const FileFacts&, FileFacts& facts) {
    return lookUp(name, facts);
}

bool folderFullPath(const std::string& path, std::string& fullPath) {
    QuietDriveErrors quiet;
    const std::wstring wide = widen(path);
    const DWORD length = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (length == 0) {
        noteLastError();
        return false;
    }
    std::wstring full(length, L'\0');
    full.resize(GetFullPathNameW(wide.c_str(), length, full.data(), nullptr));
    if (!isFolder(full)) {
        detail::noteFailure(Failure::PathNotFound);
        return false;
    }
    // A root such as C:\ keeps its separator; every other folder loses a trailing one.
    if (full.size() > 3 && full.back() == L'\\')
        full.pop_back();
    fullPath = narrow(full);
    return true;
}

bool openFolder(const std::string& path, FolderIdentity& identity,
                std::vector<std::string>& subfolders) {
    QuietDriveErrors quiet;
    bool listable = false;
    const HandleOwner folder(openFolderHandle(widen(path), listable));
    if (!folder.valid()) {
        noteLastError();
        return false;
    }
    identity = FolderIdentity();
    const std::wstring finalPath = finalPathOf(folder.get());
    if (volumeIdsUnique(folder.get(), finalPath)) {
        FileIdInformation id{};
        if (GetFileInformationByHandleEx(folder.get(), kFileIdInfo, &id, sizeof id)) {
            identity.volume = id.VolumeSerialNumber;
            std::memcpy(&identity.idLow, id.FileId.Identifier, 8);
            std::memcpy(&identity.idHigh, id.FileId.Identifier + 8, 8);
            identity.idsUnique = true;
        }
    }
    if (!identity.vouched())
        identity.finalPath = narrow(finalPath);
    if (listable) {
        if (!readSubfolderNames(folder.get(), subfolders))
            subfolders = searchSubfolderNames(path);
    } else {
        subfolders.clear();
        detail::noteFailure(Failure::PermissionDenied);
    }
    return true;
}

void removeFile(const std::string& path) {
    QuietDriveErrors quiet;
    if (!DeleteFileW(widen(path).c_str()))
        noteLastError();
}

bool createFolder(const std::string& path) {
    QuietDriveErrors quiet;
    if (CreateDirectoryW(widen(path).c_str(), nullptr))
        return true;
    noteLastError();
    return false;
}

namespace detail {

std::intptr_t openHandle(const std::string& path, OpenMode mode, FinalLink /*link*/,
                         NonRegular /*nonRegular*/, std::int64_t& size) {
    QuietDriveErrors quiet;
    const std::wstring wide = widen(path);
    const DWORD access = mode == OpenMode::Read ? GENERIC_READ : GENERIC_WRITE;
    const DWORD disposition = mode == OpenMode::Read    ? OPEN_EXISTING
                              : mode == OpenMode::Write ? CREATE_ALWAYS
                                                        : OPEN_ALWAYS;
    const HANDLE file = CreateFileW(wide.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        // A folder refuses to open as a file with "access denied"; say what it is instead.
        noteFailure(error == ERROR_ACCESS_DENIED && isFolder(wide) ? Failure::AccessError
                                                                   : failureOf(error));
        return kNoHandle;
    }
    if (mode == OpenMode::Append) {
        LARGE_INTEGER start{};
        if (!SetFilePointerEx(file, start, nullptr, FILE_END)) {
            noteLastError();
            CloseHandle(file);
            return kNoHandle;
        }
    }
    LARGE_INTEGER bytes{};
    size = GetFileSizeEx(file, &bytes) ? static_cast<std::int64_t>(bytes.QuadPart) : -1;
    return reinterpret_cast<std::intptr_t>(file);
}

// The look-up comes first: a cloud-only file must be known before it is opened, since opening
// it starts its download.
OrdinaryOpen openOrdinaryIn(const HeldFolder::Impl& folder, const std::string& name,
                            std::intptr_t& handle, std::int64_t& size) {
    handle = kNoHandle;
    const std::string path = folder.pathOf(name);
    FileFacts facts;
    if (!lookUp(path, facts) || !isOrdinaryHere(facts.attributes))
        return OrdinaryOpen::NotOrdinary;
    handle = openHandle(path, OpenMode::Read, FinalLink::Followed, NonRegular::Refused, size);
    return handle == kNoHandle ? OrdinaryOpen::Unreadable : OrdinaryOpen::Opened;
}

namespace {

// ReadFile from the file's position, or from the offset that `at` gives; a read at or past the
// end gives 0 bytes.
// https://learn.microsoft.com/en-us/windows/win32/api/fileapi/nf-fileapi-readfile
long long readFile(std::intptr_t handle, char* buffer, std::size_t size, OVERLAPPED* at) {
    constexpr std::size_t kLargestRead = 1u << 30;
    DWORD count = 0;
    if (!ReadFile(reinterpret_cast<HANDLE>(handle), buffer,
                  static_cast<DWORD>(size < kLargestRead ? size : kLargestRead), &count, at)) {
        if (GetLastError() == ERROR_HANDLE_EOF)
            return 0;
        noteLastError();
        return -1;
    }
    return count;
}

}  // namespace

long long readHandle(std::intptr_t handle, char* buffer, std::size_t size) {
    return readFile(handle, buffer, size, nullptr);
}

long long readHandleAt(std::intptr_t handle, std::int64_t offset, char* buffer, std::size_t size) {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(static_cast<std::uint64_t>(offset));
    at.OffsetHigh = static_cast<DWORD>(static_cast<std::uint64_t>(offset) >> 32);
    return readFile(handle, buffer, size, &at);
}

bool writeHandle(std::intptr_t handle, const char* data, std::size_t size) {
    constexpr std::size_t kLargestWrite = 1u << 30;
    while (size > 0) {
        DWORD count = 0;
        const DWORD wanted = static_cast<DWORD>(size < kLargestWrite ? size : kLargestWrite);
        if (!WriteFile(reinterpret_cast<HANDLE>(handle), data, wanted, &count, nullptr)) {
            noteLastError();
            return false;
        }
        if (count == 0) {
            noteFailure(Failure::DiskFull);
            return false;
        }
        data += count;
        size -= count;
    }
    return true;
}

bool closeHandle(std::intptr_t handle) {
    if (CloseHandle(reinterpret_cast<HANDLE>(handle)))
        return true;
    noteLastError();
    return false;
}

}  // namespace detail

}  // namespace osfs
