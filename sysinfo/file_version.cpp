#include "sysinfo/file_version.h"

#include "sysinfo/sys_platform.h"
#include "sysinfo/version_record.h"

namespace {

VersionRecord& loadedRecord() {
    static VersionRecord record;
    return record;
}

}  // namespace

std::string getFileVersion(const std::string& path) {
    return loadVersionInfo(path) ? loadedRecord().fileVersion : std::string();
}

bool loadVersionInfo(const std::string& path) {
    return loadVersionRecord(sysPlatform(), path, loadedRecord());
}

std::string getVersionString(const std::string& key) {
    return versionRecordString(sysPlatform(), loadedRecord(), key);
}
