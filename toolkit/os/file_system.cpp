#include "toolkit/os/file_system.h"

#include <cctype>
#include <utility>

#include "toolkit/os/code_page.h"
#include "toolkit/os/file_handle.h"

namespace osfs {

namespace {

// Writes reach the disk in pieces of this size, and at the latest on close.
constexpr std::size_t kWriteBufferBytes = 64 * 1024;

// Each thread's own: the folder walk opens folders on threads of its own, and a failure is read
// on the thread whose call failed.
std::string& lastError() {
    thread_local std::string text;
    return text;
}

bool sameCharacter(char a, char b, bool ignoreCase) {
    if (!ignoreCase)
        return a == b;
    return std::tolower(static_cast<unsigned char>(a)) ==
           std::tolower(static_cast<unsigned char>(b));
}

bool isUtf8Continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The length of the UTF-8 character at `at`, so that "?" matches one character, not one byte.
std::size_t characterLength(std::string_view text, std::size_t at) {
    std::size_t length = 1;
    while (at + length < text.size() && isUtf8Continuation(text[at + length]))
        ++length;
    return length;
}

bool matchesWildcards(std::string_view name, std::string_view pattern, bool ignoreCase) {
    std::size_t n = 0;
    std::size_t p = 0;
    std::size_t starPattern = std::string_view::npos;
    std::size_t starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starPattern = p++;
            starName = n;
        } else if (p < pattern.size() && pattern[p] == '?') {
            ++p;
            n += characterLength(name, n);
        } else if (p < pattern.size() && sameCharacter(pattern[p], name[n], ignoreCase)) {
            ++p;
            ++n;
        } else if (starPattern != std::string_view::npos) {
            // Let the last "*" take one more character and try again from there.
            p = starPattern;
            n = starName + characterLength(name, starName);
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

std::function<void(std::string&)>& textRewrite() {
    static std::function<void(std::string&)> rewrite;
    return rewrite;
}

}  // namespace

void setTextRewrite(std::function<void(std::string&)> rewrite) {
    textRewrite() = std::move(rewrite);
}

bool isOrdinaryFile(unsigned attributes) {
    return (attributes & (kAttrDirectory | kAttrHidden | kAttrSystem)) == 0;
}

bool isCloudOnly(unsigned attributes) {
    return (attributes & (kAttrOffline | kAttrRecallOnOpen | kAttrRecallOnDataAccess)) != 0;
}

bool isOrdinaryHere(unsigned attributes) {
    return isOrdinaryFile(attributes) && !isCloudOnly(attributes);
}

bool matchesPattern(std::string_view name, std::string_view pattern, bool ignoreCase) {
    if (matchesWildcards(name, pattern, ignoreCase))
        return true;
    // A pattern that ends in ".*" also takes names without an extension, so "*.*" lists a
    // file named CHANGE and "CHANGE.*" finds it, as a Windows directory search does.
    constexpr std::string_view kAnyExtension = ".*";
    if (pattern.size() < kAnyExtension.size() ||
        pattern.substr(pattern.size() - kAnyExtension.size()) != kAnyExtension ||
        name.find('.') != std::string_view::npos) {
        return false;
    }
    return matchesWildcards(name, pattern.substr(0, pattern.size() - kAnyExtension.size()),
                            ignoreCase);
}

std::string lastErrorDescription() {
    return lastError();
}

namespace detail {

const char* describe(Failure failure) {
    switch (failure) {
        case Failure::FileNotFound:
            return "File not found";
        case Failure::PathNotFound:
            return "Path not found";
        case Failure::PermissionDenied:
            return "Permission denied";
        case Failure::DiskFull:
            return "Disk full";
        case Failure::FileAlreadyOpen:
            return "File already open";
        case Failure::BadFileName:
            return "Bad file name or number";
        case Failure::TooManyFiles:
            return "Too many files";
        case Failure::DeviceUnavailable:
            return "Device unavailable";
        case Failure::DeviceIoError:
            return "Device I/O error";
        case Failure::FileAlreadyExists:
            return "File already exists";
        case Failure::AccessError:
            break;
    }
    return "Path/File access error";
}

void noteFailure(Failure failure) {
    lastError() = describe(failure);
}

}  // namespace detail

File::File() : handle_(detail::kNoHandle) {}

File::~File() {
    close();
}

bool File::open(const std::string& path, OpenMode mode, FinalLink link, NonRegular nonRegular) {
    close();
    return opened(detail::openHandle(path, mode, link, nonRegular, size_));
}

OrdinaryOpen File::openOrdinary(const HeldFolder& folder, const std::string& name) {
    close();
    std::intptr_t handle = detail::kNoHandle;
    const OrdinaryOpen found = detail::openOrdinaryIn(folder.impl(), name, handle, size_);
    opened(handle);
    return found;
}

bool File::opened(std::intptr_t handle) {
    handle_ = handle;
    if (handle_ == detail::kNoHandle) {
        error_ = lastErrorDescription();
        return false;
    }
    return true;
}

bool File::isOpen() const {
    return handle_ != detail::kNoHandle;
}

long long File::read(char* buffer, std::size_t size) {
    return readable() ? counted(detail::readHandle(handle_, buffer, size)) : -1;
}

long long File::readAt(std::int64_t offset, char* buffer, std::size_t size) {
    return readable() ? counted(detail::readHandleAt(handle_, offset, buffer, size)) : -1;
}

bool File::readable() {
    if (!isOpen()) {
        error_ = detail::describe(detail::Failure::BadFileName);
        return false;
    }
    return flush();
}

long long File::counted(long long count) {
    if (count < 0)
        error_ = lastErrorDescription();
    return count;
}

bool File::write(const char* data, std::size_t size) {
    if (!writable())
        return false;
    // A piece of a whole buffer or more goes to the disk as it is, after what waits: copying
    // it into the buffer first would only add a copy of every byte.
    if (size >= kWriteBufferBytes)
        return flush() && writeThrough(data, size);
    pending_.append(data, size);
    return flushWhenFull();
}

bool File::writeText(std::string_view text) {
    if (!writable())
        return false;
    if (const std::function<void(std::string&)>& rewrite = textRewrite()) {
        std::string rewritten(text);
        rewrite(rewritten);
        os::appendInCodePage(pending_, rewritten);
    } else {
        os::appendInCodePage(pending_, text);
    }
    return flushWhenFull();
}

bool File::writable() {
    if (isOpen())
        return true;
    error_ = detail::describe(detail::Failure::BadFileName);
    return false;
}

bool File::flushWhenFull() {
    return pending_.size() < kWriteBufferBytes || flush();
}

bool File::close() {
    if (!isOpen())
        return true;
    const bool flushed = flush();
    const bool closed = detail::closeHandle(handle_);
    if (!closed && flushed)
        error_ = lastErrorDescription();
    handle_ = detail::kNoHandle;
    size_ = -1;
    return flushed && closed;
}

bool File::flush() {
    if (pending_.empty())
        return true;
    const bool written = writeThrough(pending_.data(), pending_.size());
    // What could not be written is dropped: writing it again later would put it out of order.
    pending_.clear();
    return written;
}

bool File::writeThrough(const char* data, std::size_t size) {
    const bool written = detail::writeHandle(handle_, data, size);
    if (!written)
        error_ = lastErrorDescription();
    return written;
}

}  // namespace osfs
