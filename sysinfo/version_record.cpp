#include "sysinfo/version_record.h"

#include <cstdint>
#include <cstdio>

#include "sysinfo/space_trim.h"

bool loadVersionRecord(VersionSource& source, const std::string& path, VersionRecord& record) {
    record = VersionRecord();
    if (!source.versionBlock(path, record.block))
        return false;
    std::string entry;
    if (!source.queryVersionValue(record.block, "\\VarFileInfo\\Translation", entry))
        return false;
    record.translationCode = translationCode(entry);
    if (record.translationCode.empty())
        return false;
    record.productVersion = versionRecordString(source, record, "ProductVersion");
    record.fileVersion = versionRecordString(source, record, "FileVersion");
    return !trimSpaces(record.productVersion).empty();
}

std::string versionRecordString(VersionSource& source, const VersionRecord& record,
                                const std::string& key) {
    std::string value;
    const std::string query = "\\StringFileInfo\\" + record.translationCode + "\\" + key;
    if (!source.queryVersionValue(record.block, query, value))
        return std::string();
    // The whole value is kept, however long: nothing is cut at a fixed field width.
    return value.substr(0, value.find('\0'));
}

std::string translationCode(const std::string& entry) {
    if (entry.size() < 4)
        return std::string();
    const auto byte = [&entry](std::size_t i) { return static_cast<unsigned char>(entry[i]); };
    const unsigned language = byte(0) | (byte(1) << 8);
    const unsigned codePage = byte(2) | (byte(3) << 8);
    char code[9];
    std::snprintf(code, sizeof code, "%04X%04X", language, codePage);
    return code;
}
