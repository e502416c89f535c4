#pragma once

#include <cstdint>
#include <string>

#include "toolkit/date_time.h"

struct FileTimeStamps;

// Facts about one file gathered in one call of FindFileInfo: its time stamps, attribute flags,
// size, the shell's type name and icon, and the strings of its version block as a plain text
// search finds them. Meant for one file: a second FindFileInfo overwrites only what it can
// fill, so callers use a new object per file.
class clsFileProp {
public:
    int IconIndex() const { return iconIndex_; }
    const std::string& FileType() const { return fileType_; }
    bool Compress() const { return compress_; }
    bool Temporary() const { return temporary_; }
    bool Normal() const { return normal_; }
    bool Archive() const { return archive_; }
    bool Directory() const { return directory_; }
    bool System() const { return system_; }
    bool Hidden() const { return hidden_; }
    bool ReadOnly() const { return readOnly_; }
    const std::string& LastWriteTime() const { return lastWriteTime_; }
    const std::string& LastAccessTime() const { return lastAccessTime_; }
    const std::string& CreationTime() const { return creationTime_; }
    const std::string& ByteSize() const { return byteSize_; }
    const std::string& ProductVersion() const { return productVersion_; }
    const std::string& ProductName() const { return productName_; }
    const std::string& OriginalFileName() const { return originalFileName_; }
    const std::string& LegalCopyright() const { return legalCopyright_; }
    const std::string& InternalName() const { return internalName_; }
    const std::string& FileVersion() const { return fileVersion_; }
    const std::string& FileDescription() const { return fileDescription_; }
    const std::string& CompanyName() const { return companyName_; }
    const std::string& FileName() const { return fileName_; }

    // Fills the fields for the file; bLargeIcon picks the large shell icon. Shows "Can't open
    // the file" when the file cannot be opened for reading. Always 0.
    std::int32_t FindFileInfo(const std::string& strFilename, bool bLargeIcon);

    std::string GetDateCreated() const;   // "yyyy-mm-dd hh:mm:ss"
    std::string GetDateModified() const;  // "yyyy-mm-dd hh:mm:ss"
    std::string GetDateAccessed() const;  // "yyyy-mm-dd"
    // The multi-line summary, each line ended by CR LF.
    std::string GetAllFileInfo() const;

private:
    // A stamp split into its calendar date (midnight) and its time of day (on the zero date).
    struct SplitStamp {
        DateTime date;
        DateTime time;
    };

    void setTimes(const FileTimeStamps& stamps);
    void setFlags(std::uint32_t attributes);
    void searchVersionBlock(const std::string& strFilename);

    std::string companyName_;
    std::string fileDescription_;
    std::string fileVersion_;
    std::string internalName_;
    std::string legalCopyright_;
    std::string originalFileName_;
    std::string productName_;
    std::string productVersion_;
    std::string fileName_;
    std::string byteSize_;
    std::string creationTime_;
    std::string lastAccessTime_;
    std::string lastWriteTime_;
    SplitStamp creation_;
    SplitStamp lastAccess_;
    SplitStamp lastWrite_;
    bool readOnly_ = false;
    bool hidden_ = false;
    bool system_ = false;
    bool directory_ = false;
    bool archive_ = false;
    bool normal_ = false;
    bool temporary_ = false;
    bool compress_ = false;
    std::string fileType_;
    int iconIndex_ = 0;
};
