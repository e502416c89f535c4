#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <unordered_set>

#include "toolkit/local_clock.h"
#include "toolkit/os/errno_failure_linux.h"
#include "toolkit/os/file_handle.h"
#include "toolkit/os/file_system.h"

namespace osfs {

namespace {

using detail::Failure;
using detail::failureOf;

std::string folderOf(const std::string& path) {
    const std::size_t cut = path.rfind('/');
    if (cut == std::string::npos)
        return ".";
    return cut == 0 ? "/" : path.substr(0, cut);
}

std::string nameOf(const std::string& path) {
    const std::size_t cut = path.rfind('/');
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string joinPath(const std::string& folder, const std::string& name) {
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

bool isFolder(const std::string& path) {
    struct stat facts {};
    return stat(path.c_str(), &facts) == 0 && S_ISDIR(facts.st_mode);
}

// Notes the failure of the last call on `path`. A missing file whose folder is missing too is
// "Path not found", as Windows words it.
void noteFailureOn(const std::string& path, int error) {
    if (error == ENOENT && !isFolder(folderOf(path))) {
        detail::noteFailure(Failure::PathNotFound);
    } else {
        detail::noteFailure(failureOf(error));
    }
}

FileFacts factsOf(const std::string& name, const struct stat& facts) {
    FileFacts result;
    result.name = name;
    if (S_ISDIR(facts.st_mode)) {
        result.attributes |= kAttrDirectory;
    } else if (!S_ISREG(facts.st_mode)) {
        // Pipes, sockets and devices are marked as system files, so that the ordinary file
        // lookups leave them out: opening a pipe to read it would wait for a writer forever.
        result.attributes |= kAttrSystem;
    }
    if (!name.empty() && name[0] == '.')
        result.attributes |= kAttrHidden;
    if ((facts.st_mode & S_IWUSR) == 0)
        result.attributes |= kAttrReadOnly;
    if (result.attributes == 0)
        result.attributes = kAttrNormal;
    result.size = S_ISREG(facts.st_mode) ? static_cast<std::int64_t>(facts.st_size) : 0;
    result.lastWrite = localTimeOf(static_cast<std::int64_t>(facts.st_mtime));
    return result;
}

// The facts of `path`, following a link; a broken link answers for the link itself.
bool statPath(const std::string& path, const std::string& name, FileFacts& facts) {
    struct stat raw {};
    if (stat(path.c_str(), &raw) != 0 && lstat(path.c_str(), &raw) != 0) {
        noteFailureOn(path, errno);
        return false;
    }
    facts = factsOf(name, raw);
    return true;
}

// The same for an entry of an open folder, asked relative to the folder: the kernel then does
// not walk the whole path again for every entry of a deep folder.
bool statEntry(int fd, const std::string& folder, const std::string& name, FileFacts& facts) {
    struct stat raw {};
    if (fstatat(fd, name.c_str(), &raw, 0) != 0 &&
        fstatat(fd, name.c_str(), &raw, AT_SYMLINK_NOFOLLOW) != 0) {
        noteFailureOn(joinPath(folder, name), errno);
        return false;
    }
    facts = factsOf(name, raw);
    return true;
}

bool hasWildcards(const std::string& name) {
    return name.find_first_of("*?") != std::string::npos;
}

}  // namespace

struct DirectorySearch::Impl {
    std::string folder;
    std::string pattern;
    DIR* directory = nullptr;
    bool singleName = false;  // a plain full name: one look-up, no listing
    bool done = false;
};

DirectorySearch::DirectorySearch(const std::string& pathPattern) : impl_(std::make_unique<Impl>()) {
    impl_->folder = folderOf(pathPattern);
    impl_->pattern = nameOf(pathPattern);
    impl_->singleName = !hasWildcards(impl_->pattern);
    if (impl_->pattern.empty()) {
        impl_->done = true;
    } else if (!impl_->singleName) {
        impl_->directory = opendir(impl_->folder.c_str());
        if (impl_->directory == nullptr) {
            noteFailureOn(impl_->folder + "/", errno);
            impl_->done = true;
        }
    }
}

DirectorySearch::~DirectorySearch() {
    if (impl_->directory != nullptr)
        closedir(impl_->directory);
}

bool DirectorySearch::next(FileFacts& entry) {
    Impl& search = *impl_;
    if (search.done)
        return false;
    if (search.singleName) {
        search.done = true;
        const std::string name = search.pattern;
        if (name == "." || name == "..")
            return false;
        return statPath(joinPath(search.folder, name), name, entry);
    }
    while (const dirent* found = readdir(search.directory)) {
        const std::string name = found->d_name;
        if (name == "." || name == ".." || !matchesPattern(name, search.pattern, false))
            continue;
        if (statEntry(dirfd(search.directory), search.folder, name, entry))
            return true;
    }
    search.done = true;
    return false;
}

struct HeldFolder::Impl {
    std::string path;
    int descriptor = -1;
    // The names whose latest look-up found an ordinary file.
    std::unordered_set<std::string> ordinaryNames;
};

// O_PATH asks for no access to the folder itself, only for a place to start names from.
HeldFolder::HeldFolder(const std::string& folder) : impl_(std::make_unique<Impl>()) {
    impl_->path = folder;
    impl_->descriptor = ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
}

HeldFolder::~HeldFolder() {
    if (impl_->descriptor >= 0)
        ::close(impl_->descriptor);
}

namespace {

// Keeps whether the latest look-up of `name` found an ordinary file, for its open.
void rememberLookUp(HeldFolder::Impl& folder, const std::string& name, bool found,
                    const FileFacts& facts) {
    if (found && isOrdinaryHere(facts.attributes)) {
        folder.ordinaryNames.insert(name);
    } else {
        folder.ordinaryNames.erase(name);
    }
}

}  // namespace

bool HeldFolder::lookUp(const std::string& name, FileFacts& facts) {
    const bool found = statEntry(impl_->descriptor, impl_->path, name, facts);
    rememberLookUp(*impl_, name, found, facts);
    return found;
}

// The listing looked the entry up relative to the same folder, as lookUp would now.
bool HeldFolder::listedFacts(const std::string& name, const FileFacts& listed, FileFacts& facts) {
    facts = listed;
    rememberLookUp(*impl_, name, true, facts);
    return true;
}

namespace {

std::vector<std::string> subfolderNames(const std::string& folder) {
    std::vector<std::string> names;
    DIR* directory = opendir(folder.c_str());
    if (directory == nullptr) {
        noteFailureOn(folder + "/", errno);
        return names;
    }
    while (const dirent* found = readdir(directory)) {
        const std::string name = found->d_name;
        if (name == "." || name == "..")
            continue;
        // The entry's type comes with the listing; only links and file systems that do not
        // tell it need a look at the entry itself.
        const bool mustLook = found->d_type == DT_LNK || found->d_type == DT_UNKNOWN;
        if (found->d_type == DT_DIR || (mustLook && isFolder(joinPath(folder, name))))
            names.push_back(name);
    }
    closedir(directory);
    return names;
}

}  // namespace

bool lookUp(const std::string& path, FileFacts& facts) {
    return statPath(path, nameOf(path), facts);
}

bool folderFullPath(const std::string& path, std::string& fullPath) {
    char resolved[PATH_MAX];
    if (realpath(path.c_str(), resolved) == nullptr) {
        noteFailureOn(path, errno);
        return false;
    }
    DIR* directory = opendir(resolved);
    if (directory == nullptr) {
        noteFailureOn(resolved, errno);
        return false;
    }
    closedir(directory);
    fullPath = resolved;
    return true;
}

// A folder's identity needs only a look-up, which works on a folder that cannot be read, so the
// listing is a second opening.
bool openFolder(const std::string& path, FolderIdentity& identity,
                std::vector<std::string>& subfolders) {
    struct stat facts {};
    if (stat(path.c_str(), &facts) != 0) {
        noteFailureOn(path, errno);
        return false;
    }
    identity = FolderIdentity();
    identity.volume = static_cast<std::uint64_t>(facts.st_dev);
    identity.idLow = static_cast<std::uint64_t>(facts.st_ino);
    identity.idsUnique = true;
    char resolved[PATH_MAX];
    if (!identity.vouched() && realpath(path.c_str(), resolved) != nullptr)
        identity.finalPath = resolved;
    subfolders = subfolderNames(path);
    return true;
}

void removeFile(const std::string& path) {
    if (unlink(path.c_str()) != 0)
        noteFailureOn(path, errno);
}

bool createFolder(const std::string& path) {
    if (mkdir(path.c_str(), 0777) == 0)
        return true;
    noteFailureOn(path, errno);
    return false;
}

namespace detail {

Failure failureOf(int error) {
    switch (error) {
        case ENOENT:
            return Failure::FileNotFound;
        case ENOTDIR:
            return Failure::PathNotFound;
        case EACCES:
        case EPERM:
        // A descriptor of the tool's is never closed while in use, so this is a read of a file
        // opened to write, or the reverse, which Windows refuses as access denied.
        case EBADF:
        case EROFS:
        case ETXTBSY:
        case EBUSY:
            return Failure::PermissionDenied;
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return Failure::DiskFull;
        case EMFILE:
        case ENFILE:
            return Failure::TooManyFiles;
        case ENAMETOOLONG:
        case EINVAL:
        case EILSEQ:
            return Failure::BadFileName;
        case ENXIO:
        case ENODEV:
            return Failure::DeviceUnavailable;
        case EIO:
            return Failure::DeviceIoError;
        // A link where the tool's own file goes (O_NOFOLLOW), or a loop of links.
        case ELOOP:
            return Failure::AccessError;
        case EEXIST:
            return Failure::FileAlreadyExists;
        default:
            return Failure::AccessError;
    }
}

namespace {

int openFlags(OpenMode mode, FinalLink link) {
    // O_NONBLOCK keeps the open of a pipe from waiting for its other end, and O_NOCTTY the open
    // of a terminal from making it the tool's; openedRegular then refuses everything but
    // regular files, as a text file of the tool must be one. A refused final link fails with
    // ELOOP.
    const int always =
        O_CLOEXEC | O_NONBLOCK | O_NOCTTY | (link == FinalLink::Refused ? O_NOFOLLOW : 0);
    switch (mode) {
        case OpenMode::Write:
            return always | O_WRONLY | O_CREAT | O_TRUNC;
        case OpenMode::Append:
            return always | O_WRONLY | O_CREAT | O_APPEND;
        case OpenMode::Read:
            break;
    }
    return always | O_RDONLY;
}

// The descriptor of an open that gave one, when it is a regular file or `nonRegular` accepts
// what it is; `facts` from the same look.
std::intptr_t openedRegular(int descriptor, const std::string& path, struct stat& facts,
                            NonRegular nonRegular = NonRegular::Refused) {
    if (descriptor < 0) {
        noteFailureOn(path, errno);
        return kNoHandle;
    }
    if (fstat(descriptor, &facts) != 0 ||
        (nonRegular == NonRegular::Refused && !S_ISREG(facts.st_mode))) {
        ::close(descriptor);
        noteFailure(Failure::AccessError);
        return kNoHandle;
    }
    return descriptor;
}

std::intptr_t openedRegular(int descriptor, const std::string& path, NonRegular nonRegular,
                            std::int64_t& size) {
    struct stat facts {};
    const std::intptr_t handle = openedRegular(descriptor, path, facts, nonRegular);
    if (handle != kNoHandle)
        size = static_cast<std::int64_t>(facts.st_size);
    return handle;
}

// The count of a read, tried again when a signal interrupted it; -1, with the failure noted,
// when it failed.
template <typename Read>
long long countOf(Read read) {
    for (;;) {
        const ssize_t count = read();
        if (count >= 0)
            return count;
        if (errno != EINTR) {
            noteFailure(failureOf(errno));
            return -1;
        }
    }
}

}  // namespace

std::intptr_t openHandle(const std::string& path, OpenMode mode, FinalLink link,
                         NonRegular nonRegular, std::int64_t& size) {
    // Without O_NONBLOCK where a pipe is accepted: its writes wait for its reader.
    const int flags =
        openFlags(mode, link) & ~(nonRegular == NonRegular::Accepted ? O_NONBLOCK : 0);
    return openedRegular(::open(path.c_str(), flags, 0666), path, nonRegular, size);
}

// Only a regular file is ever opened. Opening a pipe releases a writer that waits in its own
// open, and the pipe closed again then kills it with SIGPIPE at its next write; opening a device
// can act on it (a tape rewinds when closed). A name whose latest look-up in this folder found
// an ordinary file (the file table has just looked up every listed file) is opened at once; any
// other name is looked up first. A file swapped for a pipe or a terminal in between still
// neither blocks the open nor becomes the tool's terminal (O_NONBLOCK, O_NOCTTY), and the open's
// own look at what it opened refuses it.
OrdinaryOpen openOrdinaryIn(const HeldFolder::Impl& folder, const std::string& name,
                            std::intptr_t& handle, std::int64_t& size) {
    handle = kNoHandle;
    FileFacts facts;
    const auto isOrdinaryNow = [&] {
        return statEntry(folder.descriptor, folder.path, name, facts) &&
               isOrdinaryHere(facts.attributes);
    };
    if (folder.ordinaryNames.count(name) == 0 && !isOrdinaryNow())
        return OrdinaryOpen::NotOrdinary;
    struct stat raw {};
    handle = openedRegular(
        ::openat(folder.descriptor, name.c_str(), openFlags(OpenMode::Read, FinalLink::Followed)),
        joinPath(folder.path, name), raw);
    if (handle != kNoHandle) {
        size = static_cast<std::int64_t>(raw.st_size);
        return OrdinaryOpen::Opened;
    }
    // A file that may not be read keeps the open's failure noted, unless the look fails too.
    return isOrdinaryNow() ? OrdinaryOpen::Unreadable : OrdinaryOpen::NotOrdinary;
}

long long readHandle(std::intptr_t handle, char* buffer, std::size_t size) {
    return countOf([&] { return ::read(static_cast<int>(handle), buffer, size); });
}

long long readHandleAt(std::intptr_t handle, std::int64_t offset, char* buffer, std::size_t size) {
    return countOf([&] { return ::pread(static_cast<int>(handle), buffer, size, offset); });
}

bool writeHandle(std::intptr_t handle, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t count = ::write(static_cast<int>(handle), data, size);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0) {
            noteFailure(count < 0 ? failureOf(errno) : Failure::DiskFull);
            return false;
        }
        data += count;
        size -= static_cast<std::size_t>(count);
    }
    return true;
}

bool closeHandle(std::intptr_t handle) {
    if (::close(static_cast<int>(handle)) == 0)
        return true;
    noteFailure(failureOf(errno));
    return false;
}

}  // namespace detail

}  // namespace osfs
