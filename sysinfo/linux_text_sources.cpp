#include "sysinfo/linux_text_sources.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <sstream>

namespace {

constexpr std::uint64_t kBytesPerKilobyte = 1024;
constexpr std::uint64_t kUserAddressSpace64 = (std::uint64_t{1} << 47) - 4096;
constexpr std::uint64_t kUserAddressSpace32 = std::uint64_t{3} << 30;

// "Name:   1234 kB" lines as bytes by name.
std::map<std::string, std::uint64_t> kilobyteFields(const std::string& text) {
    std::map<std::string, std::uint64_t> fields;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos)
            continue;
        std::istringstream value(line.substr(colon + 1));
        std::uint64_t kilobytes = 0;
        if (value >> kilobytes)
            fields[line.substr(0, colon)] = kilobytes * kBytesPerKilobyte;
    }
    return fields;
}

std::uint64_t field(const std::map<std::string, std::uint64_t>& fields, const char* name) {
    const auto it = fields.find(name);
    return it == fields.end() ? 0 : it->second;
}

std::uint64_t remainder(std::uint64_t total, std::uint64_t used) {
    return used < total ? total - used : 0;
}

// The value of a user-dirs.dirs line, unquoted and unescaped: XDG_DOCUMENTS_DIR="$HOME/Docs".
std::string shellValue(const std::string& raw) {
    std::string value;
    bool quoted = false;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const char c = raw[i];
        if (c == '"') {
            quoted = !quoted;
        } else if (c == '\\' && i + 1 < raw.size()) {
            value += raw[++i];
        } else if (!quoted && std::isspace(static_cast<unsigned char>(c))) {
            break;
        } else {
            value += c;
        }
    }
    return value;
}

std::string withoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

bool isOctalDigit(char c) {
    return c >= '0' && c <= '7';
}

// A mounts field with its octal escapes (\040 for a space) turned back into characters.
std::string unescapeMountField(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 3 < text.size() && isOctalDigit(text[i + 1]) &&
            isOctalDigit(text[i + 2]) && isOctalDigit(text[i + 3])) {
            out += static_cast<char>(((text[i + 1] - '0') << 6) | ((text[i + 2] - '0') << 3) |
                                     (text[i + 3] - '0'));
            i += 3;
        } else {
            out += text[i];
        }
    }
    return out;
}

bool isBlockDevice(const std::string& device) {
    return device.rfind("/dev/", 0) == 0;
}

struct Mount {
    std::string device;
    std::string mountPoint;
    std::string fileSystem;
};

DriveKind classify(const Mount& mount, const std::function<bool(const std::string&)>& isRemovable) {
    static const std::set<std::string> kNetwork = {
        "nfs",  "nfs4",      "cifs", "smb3",  "smbfs",      "ncpfs", "afs",
        "ceph", "glusterfs", "9p",   "sshfs", "fuse.sshfs", "davfs"};
    static const std::set<std::string> kRam = {"tmpfs", "ramfs"};
    static const std::set<std::string> kCd = {"iso9660", "udf"};
    if (kNetwork.count(mount.fileSystem))
        return DriveKind::Network;
    if (kRam.count(mount.fileSystem))
        return DriveKind::RamDisk;
    if (!isBlockDevice(mount.device) || mount.device.rfind("/dev/loop", 0) == 0) {
        return DriveKind::Unknown;
    }
    if (kCd.count(mount.fileSystem))
        return DriveKind::CdRom;
    return isRemovable(mount.device) ? DriveKind::Removable : DriveKind::Fixed;
}

}  // namespace

MemoryStatus memoryStatusFrom(const std::string& meminfo, const std::string& selfStatus,
                              std::uint64_t addressSpaceLimit) {
    const auto memory = kilobyteFields(meminfo);
    const auto process = kilobyteFields(selfStatus);
    MemoryStatus status;
    status.totalPhys = field(memory, "MemTotal");
    status.availPhys = std::min(field(memory, "MemAvailable"), status.totalPhys);
    if (status.totalPhys > 0) {
        const std::uint64_t used = status.totalPhys - status.availPhys;
        status.memoryLoad =
            static_cast<std::uint32_t>((used * 100 + status.totalPhys / 2) / status.totalPhys);
    }
    status.totalPageFile = field(memory, "CommitLimit");
    status.availPageFile = remainder(status.totalPageFile, field(memory, "Committed_AS"));
    const std::uint64_t whole = sizeof(void*) == 8 ? kUserAddressSpace64 : kUserAddressSpace32;
    status.totalVirtual = std::min(whole, addressSpaceLimit);
    status.availVirtual = remainder(status.totalVirtual, field(process, "VmSize"));
    return status;
}

std::string documentsFolderFrom(const std::string& userDirs, const std::string& home) {
    static const std::string kKey = "XDG_DOCUMENTS_DIR=";
    static const std::string kHome = "$HOME";
    std::istringstream lines(userDirs);
    std::string line;
    std::string folder;
    while (std::getline(lines, line)) {
        const std::size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line.compare(start, kKey.size(), kKey) != 0)
            continue;
        const std::string value = shellValue(line.substr(start + kKey.size()));
        if (value.compare(0, kHome.size(), kHome) == 0 &&
            (value.size() == kHome.size() || value[kHome.size()] == '/')) {
            folder = home + value.substr(kHome.size());
        } else if (!value.empty() && value.front() == '/') {
            folder = value;
        }
    }
    return withoutTrailingSlashes(folder.empty() ? home + "/Documents" : folder);
}

std::vector<DriveEntry> drivesFromMounts(
    const std::string& mounts, const std::function<bool(const std::string&)>& isRemovable) {
    std::vector<Mount> table;
    std::istringstream lines(mounts);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        Mount mount;
        if (!(fields >> mount.device >> mount.mountPoint >> mount.fileSystem))
            continue;
        mount.device = unescapeMountField(mount.device);
        mount.mountPoint = unescapeMountField(mount.mountPoint);
        table.push_back(mount);
    }
    std::stable_sort(table.begin(), table.end(),
                     [](const Mount& a, const Mount& b) { return a.mountPoint < b.mountPoint; });
    std::vector<DriveEntry> drives;
    std::set<std::string> seenDevices;
    for (const Mount& mount : table) {
        const DriveKind type = classify(mount, isRemovable);
        if (type == DriveKind::Unknown)
            continue;
        // A block device mounted at several places (bind mounts, subvolumes) counts once.
        if (isBlockDevice(mount.device) && !seenDevices.insert(mount.device).second)
            continue;
        drives.push_back({mount.mountPoint, type});
    }
    return drives;
}

std::string unregisteredTypeName(const std::string& fileName, bool isFolder) {
    if (isFolder)
        return "File folder";
    const std::string name = fileName.substr(fileName.find_last_of('/') + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot == std::string::npos || dot + 1 == name.size())
        return "File";
    std::string extension = name.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return extension + " File";
}
