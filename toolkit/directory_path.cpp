#include "toolkit/directory_path.h"

#include <stdexcept>

#include "toolkit/os/file_system.h"
#include "toolkit/os/os_traits.h"
#include "toolkit/readable_volume.h"
#include "toolkit/string_array.h"
#include "toolkit/ui/ui.h"

namespace {

const std::string kCreationFailed = "Error creating the full directory";

std::string trimSpaces(const std::string& text) {
    const std::string::size_type first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool isFolder(const std::string& path) {
    osfs::FileFacts facts;
    return osfs::lookUp(path, facts) && (facts.attributes & osfs::kAttrDirectory);
}

// Runs `step`; a failure it throws becomes a message box made of `heading` and the failure's
// description, and ends the caller's work.
template <typename Step>
void tellOnFailure(const std::string& heading, Step step) {
    try {
        step();
    } catch (const std::runtime_error& failure) {
        MsgBox(heading + "\r\n" + "\r\n" + "Err = " + failure.what());
    }
}

}  // namespace

std::string clsPath::getFullName(bool addTrailingSlash) const {
    if (path_.empty()) {
        MsgBox("The path hasnt been initialised yet (you havent told me the name!)");
        return std::string();
    }
    return addTrailingSlash ? path_ + os::kPathSeparator : path_;
}

void clsPath::init(const std::string& par, const std::string& nme, bool createIfNotThere) {
    tellOnFailure("Cant initialise the path " + nme + "\r\n" + "under the parent " + par, [&] {
        path_ = par + os::kPathSeparator + nme;
        if (createIfNotThere && !Exists() && !MakePathAux(getFullName(false))) {
            MsgBox("CreateFullDirectory : " + kCreationFailed + "\r\n" + "Err = " + creationError_);
        }
    });
}

void clsPath::initFull(std::string& pth, bool createIfNotThere) {
    pth = trimSpaces(pth);
    if (!pth.empty() && pth.back() == os::kPathSeparator)
        pth.pop_back();
    tellOnFailure("Cant initialise the FULL path \r\n" + pth, [&] {
        path_ = pth;
        if (createIfNotThere && !Exists() && !MakePathAux(pth)) {
            MsgBox("initFull : " + kCreationFailed + "\r\n" + "Err = " + creationError_);
        }
    });
}

std::string clsPath::ExtractParent(const std::string& pth) const {
    const std::string::size_type last = pth.rfind(os::kPathSeparator);
    if (last == std::string::npos)
        return std::string();
    return pth.substr(0, last + 1);
}

bool clsPath::MakePathAux(const std::string& strDirName) {
    std::string name = strDirName;
    if (name.empty() || name.back() != os::kPathSeparator)
        name += os::kPathSeparator;
    // The text before the first separator (a drive, the root, or a relative path's first
    // folder) is never created; every level after it is, where missing. A level that cannot
    // be created does not stop the others.
    bool created = true;
    const std::string::size_type first = name.find(os::kPathSeparator);
    for (std::string::size_type next = name.find(os::kPathSeparator, first + 1);
         next != std::string::npos; next = name.find(os::kPathSeparator, next + 1)) {
        const std::string level = name.substr(0, next);
        if (isFolder(level) || osfs::createFolder(level))
            continue;
        if (created)
            creationError_ = osfs::lastErrorDescription();
        created = false;
    }
    return created;
}

bool clsPath::Exists() const {
    const std::string name = getFullName(true);
    if (name.empty())
        return false;
    std::string fullPath;
    if (osfs::folderFullPath(name, fullPath))
        return true;
    requireReadableVolume(name);
    return false;
}

DateTime clsPath::DateCreated() {
    osfs::FileFacts facts;
    if (!osfs::lookUp(getFullName(false), facts)) {
        throw std::runtime_error(osfs::lastErrorDescription());
    }
    date_ = facts.lastWrite;
    return date_;
}

int clsPath::GetListOFiles(clsArray& arr, const std::string& fileSpec) {
    arr.init(99);
    const std::string base = getFullName(true);
    osfs::DirectorySearch search(base + (fileSpec.empty() ? "*" : fileSpec));
    osfs::FileFacts entry;
    int count = 0;
    while (search.next(entry)) {
        if (!osfs::isOrdinaryFile(entry.attributes) || entry.name.empty())
            continue;
        arr.Add(base + entry.name);
        ++count;
    }
    if (count == 0)
        requireReadableVolume(base);
    return count;
}

int clsPath::GetListOfSubDirectories(clsArray& arr) {
    arr.init(99);
    const std::string base = getFullName(true);
    osfs::DirectorySearch search(base + "*");
    osfs::FileFacts entry;
    int count = 0;
    while (search.next(entry)) {
        if ((entry.attributes & (osfs::kAttrHidden | osfs::kAttrSystem)) || entry.name.empty()) {
            continue;
        }
        // A file keeps its place in the list but not its name.
        arr.Add((entry.attributes & osfs::kAttrDirectory) ? entry.name : std::string());
        ++count;
    }
    if (count == 0)
        requireReadableVolume(base);
    return count;
}
