#include "sysinfo/file_properties.h"

#include "sysinfo/sys_platform.h"
#include "toolkit/format_value.h"
#include "toolkit/os/file_system.h"
#include "toolkit/os/os_traits.h"
#include "toolkit/os/text_case.h"
#include "toolkit/ui/ui.h"

namespace {

// A key of the version block's strings and where its value starts after it: the key's length
// plus its terminating zero, rounded up to a multiple of 4, as in a block whose strings are
// stored one byte per character.
struct VersionKey {
    const char* key;
    std::size_t skip;
    std::string clsFileProp::*field;
};

std::string stampText(const DateTime& t) {
    return std::to_string(t.year) + "-" + std::to_string(t.month) + "-" + std::to_string(t.day) +
           " at " + std::to_string(t.hour) + ":" + std::to_string(t.minute) + ":" +
           std::to_string(t.second);
}

std::string trueFalse(bool flag) {
    return flag ? "True" : "False";
}

}  // namespace

std::int32_t clsFileProp::FindFileInfo(const std::string& strFilename, bool bLargeIcon) {
    if (strFilename.empty())
        return 0;
    SysPlatform& platform = sysPlatform();

    FindRecord record;
    if (!platform.findFile(strFilename, record))
        record = FindRecord();

    FileTimeStamps stamps;
    const FileTimesResult times = platform.fileTimes(strFilename, stamps);
    if (times == FileTimesResult::CannotOpen) {
        MsgBox("Can't open the file", MsgButtons::OK, MsgIcon::Exclamation);
        return 0;
    }
    if (times == FileTimesResult::TimesRead)
        setTimes(stamps);
    setFlags(record.attributes);
    fileName_ = os::upperCase(strFilename);
    byteSize_ = FormatValue(static_cast<std::int64_t>(record.size), "###,###,###") + " bytes";

    searchVersionBlock(strFilename);

    const std::string netHood = std::string(1, os::kPathSeparator) + "NetHood" + os::kPathSeparator;
    if (strFilename.find(netHood) == std::string::npos) {
        std::string typeName;
        int iconIndex{};
        if (platform.shellFileInfo(strFilename, bLargeIcon, typeName, iconIndex)) {
            fileType_ = typeName.substr(0, typeName.find('\0'));
            iconIndex_ = iconIndex;
        }
    }
    return 0;
}

void clsFileProp::setTimes(const FileTimeStamps& stamps) {
    const auto split = [](const DateTime& t) {
        DateTime timeOfDay;
        timeOfDay.hour = t.hour;
        timeOfDay.minute = t.minute;
        timeOfDay.second = t.second;
        return SplitStamp{t.dateOnly(), timeOfDay};
    };
    creation_ = split(stamps.creation);
    lastAccess_ = split(stamps.lastAccess);
    lastWrite_ = split(stamps.lastWrite);
    creationTime_ = stampText(stamps.creation);
    lastAccessTime_ = stampText(stamps.lastAccess);
    lastWriteTime_ = stampText(stamps.lastWrite);
}

void clsFileProp::setFlags(std::uint32_t attributes) {
    readOnly_ = attributes & osfs::kAttrReadOnly;
    hidden_ = attributes & osfs::kAttrHidden;
    system_ = attributes & osfs::kAttrSystem;
    directory_ = attributes & osfs::kAttrDirectory;
    archive_ = attributes & osfs::kAttrArchive;
    normal_ = attributes & osfs::kAttrNormal;
    temporary_ = attributes & osfs::kAttrTemporary;
    compress_ = attributes & osfs::kAttrCompressed;
}

// Finds each key as plain bytes in the raw block. In a block whose strings are stored as
// 16-bit characters the keys are not found, and the fields keep what they held.
void clsFileProp::searchVersionBlock(const std::string& strFilename) {
    static const VersionKey kKeys[] = {
        {"CompanyName", 12, &clsFileProp::companyName_},
        {"FileDescription", 16, &clsFileProp::fileDescription_},
        {"FileVersion", 12, &clsFileProp::fileVersion_},
        {"InternalName", 16, &clsFileProp::internalName_},
        {"LegalCopyright", 16, &clsFileProp::legalCopyright_},
        {"OriginalFilename", 20, &clsFileProp::originalFileName_},
        {"ProductName", 12, &clsFileProp::productName_},
        {"ProductVersion", 16, &clsFileProp::productVersion_},
    };
    VersionBlock block;
    if (!sysPlatform().versionBlock(strFilename, block))
        return;
    const std::string text(block.begin(), block.end());
    for (const VersionKey& entry : kKeys) {
        const std::size_t found = text.find(entry.key);
        if (found == std::string::npos)
            continue;
        const std::size_t start = found + entry.skip;
        const std::size_t end = start < text.size() ? text.find('\0', start) : std::string::npos;
        // A value that runs to the end of the block without its zero is not taken.
        if (end != std::string::npos)
            this->*entry.field = text.substr(start, end - start);
    }
}

std::string clsFileProp::GetDateCreated() const {
    return FormatValue(creation_.date, "yyyy-mm-dd") + " " +
           FormatValue(creation_.time, "hh:mm:ss");
}

std::string clsFileProp::GetDateModified() const {
    return FormatValue(lastWrite_.date, "yyyy-mm-dd") + " " +
           FormatValue(lastWrite_.time, "hh:mm:ss");
}

std::string clsFileProp::GetDateAccessed() const {
    return FormatValue(lastAccess_.date, "yyyy-mm-dd");
}

std::string clsFileProp::GetAllFileInfo() const {
    const auto date = [](const DateTime& d) { return FormatValue(d, "dd-MMM-yyyy (DDD)"); };
    const auto time = [](const DateTime& t) { return FormatValue(t, "hh:mm:ss"); };
    return "File Created on = " + date(creation_.date) + " at " + time(creation_.time) + "  " +
           "Last Written on = " + date(lastWrite_.date) + " at " + time(lastWrite_.time) + "  " +
           "Last Accessed on= " + date(lastAccess_.date) + "\r\n" +
           "OriginalFileName= " + originalFileName_ + "\r\n" + "ProductName     = " + productName_ +
           "\r\n" + "FileVersion     = " + fileVersion_ + "\r\n" +
           "Temporary       = " + trueFalse(temporary_) + "\r\n" +
           "IconIndex       = " + std::to_string(iconIndex_) + "\r\n" + "\r\n" +
           "Normal          = " + trueFalse(normal_) + "\r\n" +
           "Archive         = " + trueFalse(archive_) + "\r\n" +
           "ReadOnly        = " + trueFalse(readOnly_) + "\r\n" +
           "System          = " + trueFalse(system_) + "\r\n" +
           "Hidden          = " + trueFalse(hidden_) + "\r\n" +
           "Compress        = " + trueFalse(compress_) + "\r\n";
}
