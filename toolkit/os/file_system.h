#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/date_time.h"

// The file-system questions the program asks, answered by each platform in its own file
// (file_system_linux.cpp, file_system_win32.cpp). Paths are UTF-8; Windows converts them to
// UTF-16 at the call. Every answer is data plus a plain failure value; nothing here shows or
// prints anything.
namespace osfs {

// Attribute bits, with the values Windows uses. On Linux a name that begins with "." is hidden,
// nothing is a system file, and read-only means the owner has no write permission.
enum Attribute : unsigned {
    kAttrReadOnly = 0x1,
    kAttrHidden = 0x2,
    kAttrSystem = 0x4,
    kAttrDirectory = 0x10,
    kAttrArchive = 0x20,
    kAttrNormal = 0x80,
    kAttrTemporary = 0x100,
    kAttrCompressed = 0x800,
    kAttrOffline = 0x1000,
    kAttrRecallOnOpen = 0x40000,
    kAttrRecallOnDataAccess = 0x400000,
};

struct FileFacts {
    std::string name;  // the entry's own name, without its folder
    unsigned attributes = 0;
    std::int64_t size = 0;
    DateTime lastWrite;  // local time
};

// An ordinary file: not a folder, not hidden, not a system file.
bool isOrdinaryFile(unsigned attributes);

// A file whose data the system keeps only in the cloud: opening or reading it starts a
// download, so the report lists it but never opens it.
bool isCloudOnly(unsigned attributes);

// An ordinary file whose data is on this machine: one whose text the report may read.
bool isOrdinaryHere(unsigned attributes);

// Windows wildcard rules on both platforms: "*" any run of characters, "?" one character, and
// "*.*" every name, with or without a dot.
bool matchesPattern(std::string_view name, std::string_view pattern, bool ignoreCase);

// A directory search as FindFirstFile takes it: a folder and a wildcard pattern in the last
// component ("C:\a\*.*", "/opt/x/*.log"), or a plain full name. Entries come in the order the
// file system lists them; "." and ".." are never returned. Names compare as the platform's
// file system compares them.
class DirectorySearch {
public:
    explicit DirectorySearch(const std::string& pathPattern);
    ~DirectorySearch();
    DirectorySearch(const DirectorySearch&) = delete;
    DirectorySearch& operator=(const DirectorySearch&) = delete;

    // The next matching entry; false at the end or when the folder cannot be read.
    bool next(FileFacts& entry);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// The facts of one path, file or folder, following links; false when it cannot be found.
bool lookUp(const std::string& path, FileFacts& facts);

// The folder's full, absolute path without a trailing separator (a root keeps its separator);
// false when it is not a folder that can be opened.
bool folderFullPath(const std::string& path, std::string& fullPath);

// Identity of a folder, so that a walk can tell a folder it has already visited through a
// symbolic link or junction. The id is the file system's own (128 bits on Windows, the inode on
// Linux); it tells folders apart only where the file system guarantees it unique on the volume,
// and 0 means the system gave none. Where the id does not tell, the final path does: every
// link, junction and mount point on the way resolved, one path per folder however it was
// reached (empty when the system cannot give it).
struct FolderIdentity {
    std::uint64_t volume = 0;
    std::uint64_t idHigh = 0;
    std::uint64_t idLow = 0;
    bool idsUnique = false;  // the volume guarantees each file its own id
    std::string finalPath;   // only where the id is not vouched for

    // Whether the id alone tells the folder apart.
    bool vouched() const { return idsUnique && (idHigh != 0 || idLow != 0); }
};
// A folder as the folder walk meets it: its identity and the names of its direct subfolders
// (hidden ones and links to folders included, in the order the file system lists them), from
// one opening of the folder where the system allows it. False when the folder cannot be opened;
// a folder that opens but cannot be read has no subfolders.
bool openFolder(const std::string& path, FolderIdentity& identity,
                std::vector<std::string>& subfolders);

// A failure is noted for lastErrorDescription().
void removeFile(const std::string& path);
bool createFolder(const std::string& path);

enum class OpenMode {
    Read,    // from the start; the file must exist
    Write,   // created, or emptied when it exists
    Append,  // at the end; created when it does not exist
};

// Whether an open goes through a symbolic link that stands at the path's last component. The
// files the tool writes and reads back in its own folder refuse one: where that folder is shared
// with another user, a link planted in place of the report or the log would turn the tool's
// writes onto a file of that user's choosing. Windows follows: see File::open.
enum class FinalLink { Refused, Followed };

// Whether an open accepts what is not a regular file: a device, a pipe, a socket. The tool's own
// files and a product's refuse them, since opening a pipe or a device can act on it. A file that
// a program's user names for its output may be one (/dev/null, /dev/stdout, a pipe another
// program reads), and its open then waits for a pipe's reader as any program's does. Windows
// opens what it is given either way.
enum class NonRegular { Refused, Accepted };

// What File::openOrdinary found.
enum class OrdinaryOpen {
    Opened,       // an ordinary file whose data is on this machine, now open to read
    NotOrdinary,  // gone, or no ordinary file, or kept only in the cloud: not opened
    Unreadable,   // an ordinary file that could not be opened (no permission, for one)
};

// A folder held for the look-ups and opens of the files in it, so that the system does not walk
// the folder's whole path again for each of them: on Linux a descriptor of the folder that the
// calls take relative names to, on Windows the folder's path, which its calls take whole. When
// the folder cannot be held, every look-up and open in it fails.
class HeldFolder {
public:
    explicit HeldFolder(const std::string& folder);
    ~HeldFolder();
    HeldFolder(const HeldFolder&) = delete;
    HeldFolder& operator=(const HeldFolder&) = delete;

    // The facts of the folder's entry `name`, as lookUp gives them for its full path. The folder
    // remembers what it found, for the open of the same name (File::openOrdinary).
    bool lookUp(const std::string& name, FileFacts& facts);
    // The facts of the folder's entry `name`, given `listed`, what a listing of this folder
    // found for it a moment ago: the listing's own where it asked what lookUp asks (Linux: one
    // look-up relative to the folder), else looked up again (Windows: a folder's listing can
    // hold an old size of a file being written). Remembered as lookUp remembers them.
    bool listedFacts(const std::string& name, const FileFacts& listed, FileFacts& facts);

    struct Impl;  // each platform's own
    const Impl& impl() const { return *impl_; }

private:
    std::unique_ptr<Impl> impl_;
};

// A short, plain description of the last failure of a call in this namespace, in the words the
// tool shows after "Err = " ("File not found", "Path not found", "Permission denied",
// "Disk full", ...). The same words on both platforms.
std::string lastErrorDescription();

// A rewrite that every text written with File::writeText passes through before it is encoded,
// for the whole process; none by default, and an empty one removes it. What the tool writes to
// its files then says what the rewrite lets it say, whichever part writes it.
void setTextRewrite(std::function<void(std::string&)> rewrite);

// An open file, read or written byte for byte, or written as text (writeText). Writes are
// buffered and reach the disk at the latest when the file is closed.
class File {
public:
    File();
    ~File();  // closes
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    // A final link that is refused fails the open with "Path/File access error" on Linux. On
    // Windows every open follows: making a file link there takes a privilege that ordinary
    // users lack unless the machine is set up for development.
    bool open(const std::string& path, OpenMode mode, FinalLink link = FinalLink::Refused,
              NonRegular nonRegular = NonRegular::Refused);
    // Opens the entry `name` of `folder` to read it when it is an ordinary file whose data is
    // on this machine (isOrdinaryHere); nothing else is opened. Linux takes the folder's latest
    // look-up of the name where it found an ordinary file, and looks the name up otherwise;
    // Windows always looks up first, since opening a cloud-only file starts its download.
    OrdinaryOpen openOrdinary(const HeldFolder& folder, const std::string& name);
    bool isOpen() const;
    // The file's size in bytes when it was opened; -1 when it is not open.
    std::int64_t size() const { return size_; }
    // Reads up to `size` bytes: the count read, 0 at the end, -1 on failure.
    long long read(char* buffer, std::size_t size);
    // Reads up to `size` bytes from `offset` on, as read does, for a reader that jumps about
    // the file. Where read goes on afterwards differs between the systems.
    long long readAt(std::int64_t offset, char* buffer, std::size_t size);
    bool write(const char* data, std::size_t size);
    // Writes `text`, UTF-8, in the system's code page (toolkit/os/code_page.h).
    bool writeText(std::string_view text);
    // Hands what the writes left waiting to the disk; what cannot be written is dropped.
    bool flush();
    bool close();
    // The description of this file's last failure, as lastErrorDescription() words it.
    const std::string& errorDescription() const { return error_; }

private:
    // False, with the failure kept, when the file is not open; reading first writes what waits.
    bool readable();
    // A read's count, with the failure kept when it is one.
    long long counted(long long count);
    // False, with the failure kept, when the file is not open.
    bool writable();
    // Hands the buffer to the disk once it has grown to a whole piece.
    bool flushWhenFull();
    // Hands `size` bytes at `data` to the disk at once, keeping the failure.
    bool writeThrough(const char* data, std::size_t size);
    // Keeps the handle of an open, or the failure of one that did not open.
    bool opened(std::intptr_t handle);
    friend class FileMapping;  // maps the open file's bytes through its handle
    std::intptr_t handle_;
    std::int64_t size_ = -1;
    std::string pending_;
    std::string error_;
};

}  // namespace osfs
