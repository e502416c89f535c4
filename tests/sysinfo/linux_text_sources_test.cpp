#include "sysinfo/linux_text_sources.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

TEST(LinuxMemoryStatus, ComesFromMeminfoAndTheProcessSize) {
    const std::string meminfo =
        "MemTotal:       16000000 kB\n"
        "MemFree:         1000000 kB\n"
        "MemAvailable:    3904000 kB\n"
        "CommitLimit:    10000000 kB\n"
        "Committed_AS:   12000000 kB\n";
    const std::string status = "Name:\tunit\nVmPeak:\t  9000 kB\nVmSize:\t    8000 kB\n";
    const MemoryStatus memory = memoryStatusFrom(meminfo, status, 1ull << 40);
    EXPECT_EQ(memory.memoryLoad, 76u);  // 75.6% used, to the nearest
    EXPECT_EQ(memory.totalPhys, 16000000ull * 1024);
    EXPECT_EQ(memory.availPhys, 3904000ull * 1024);
    EXPECT_EQ(memory.totalPageFile, 10000000ull * 1024);
    EXPECT_EQ(memory.availPageFile, 0u) << "overcommitted: nothing left, not a negative count";
    EXPECT_EQ(memory.totalVirtual, 1ull << 40);
    EXPECT_EQ(memory.availVirtual, (1ull << 40) - 8000ull * 1024);

    EXPECT_EQ(memoryStatusFrom("MemTotal: 1000 kB\nMemAvailable: 246 kB\n", "", 0).memoryLoad, 75u)
        << "75.4% used, to the nearest";

    const MemoryStatus unreadable = memoryStatusFrom("", "", UINT64_MAX);  // and no limit
    EXPECT_EQ(unreadable.memoryLoad, 0u);
    EXPECT_EQ(unreadable.totalPhys, 0u);
    EXPECT_EQ(unreadable.totalVirtual, 0x7FFFFFFFF000u);
}

TEST(LinuxDrives, LocalBlockDevicesAreFixedOncePerDeviceInMountPointOrder) {
    const std::string mounts =
        "proc /proc proc rw 0 0\n"
        "/dev/sda2 /home ext4 rw 0 0\n"
        "/dev/sda1 / ext4 rw 0 0\n"
        "/dev/sda2 /srv/bind ext4 rw 0 0\n"
        "/dev/sdb1 /media/usb vfat rw 0 0\n"
        "/dev/disk/by-label/my\\040stick /media/stick vfat rw 0 0\n"
        "/dev/sr0 /media/cd iso9660 ro 0 0\n"
        "/dev/loop3 /snap/core squashfs ro 0 0\n"
        "tmpfs /run tmpfs rw 0 0\n"
        "tmpfs /tmp tmpfs rw 0 0\n"
        "overlay /var/lib/docker/x overlay rw 0 0\n"
        "/dev/sdc1 /mnt/with\\040space\\134tab\\011 xfs rw 0 0\n"
        "/dev/sdd1 /mnt/odd\\x12\\0a1\\04 xfs rw 0 0\n"
        "broken line\n";
    const auto removable = [](const std::string& device) {
        return device == "/dev/sdb1" || device == "/dev/disk/by-label/my stick";
    };
    const std::vector<DriveEntry> drives = drivesFromMounts(mounts, removable);
    std::vector<std::pair<std::string, DriveKind>> seen;
    for (const DriveEntry& drive : drives)
        seen.emplace_back(drive.name, drive.type);
    EXPECT_EQ(seen, (std::vector<std::pair<std::string, DriveKind>>{
                        {"/", DriveKind::Fixed},
                        {"/home", DriveKind::Fixed},
                        {"/media/cd", DriveKind::CdRom},
                        {"/media/stick", DriveKind::Removable},
                        {"/media/usb", DriveKind::Removable},
                        {"/mnt/odd\\x12\\0a1\\04", DriveKind::Fixed},  // not escapes: kept
                        {"/mnt/with space\\tab\t", DriveKind::Fixed},
                        {"/run", DriveKind::RamDisk},
                        {"/tmp", DriveKind::RamDisk},
                    }));
}

TEST(LinuxDrives, FileSystemTypesMakeNetworkRamAndCdDrives) {
    std::vector<std::pair<std::string, DriveKind>> types = {{"tmpfs", DriveKind::RamDisk},
                                                            {"ramfs", DriveKind::RamDisk},
                                                            {"iso9660", DriveKind::CdRom},
                                                            {"udf", DriveKind::CdRom}};
    for (const char* network : {"nfs", "nfs4", "cifs", "smb3", "smbfs", "ncpfs", "afs", "ceph",
                                "glusterfs", "9p", "sshfs", "fuse.sshfs", "davfs"})
        types.emplace_back(network, DriveKind::Network);
    for (const auto& [type, kind] : types) {
        const std::vector<DriveEntry> drives =
            drivesFromMounts("/dev/sde1 /mnt/x " + type + " rw 0 0\n", [](auto&) { return false; });
        ASSERT_EQ(drives.size(), 1u) << type;
        EXPECT_EQ(drives[0].type, kind) << type;
    }
}

// The documents folder as the desktop's user-dirs.dirs names it: under $HOME or absolute; any
// other value names none.
TEST(LinuxDocumentsFolder, IsTheLastValidNameOrTheHomesDocuments) {
    const std::pair<const char*, const char*> kCases[] = {
        {"XDG_DOCUMENTS_DIR=\"$HOME/My Docs\"\n", "/home/ann/My Docs"},
        {"# a comment\n  XDG_DOCUMENTS_DIR=\"/srv/docs//\"\n", "/srv/docs"},
        {"XDG_DOCUMENTS_DIR=\"Docs\"\n", "/home/ann/Documents"},
        {"XDG_DOCUMENTS_DIR=\"\"\n", "/home/ann/Documents"},
        {"XDG_DOCUMENTS_DIR=\"$HOMEWORK/x\"\n", "/home/ann/Documents"},
        {"XDG_DOCUMENTS_DIR=\"/a\"\nXDG_DOCUMENTS_DIR=\"relative\"\n", "/a"},
        {"XDG_DESKTOP_DIR=\"/desk\"\n", "/home/ann/Documents"},
    };
    for (const auto& [userDirs, folder] : kCases)
        EXPECT_EQ(documentsFolderFrom(userDirs, "/home/ann"), folder) << userDirs;
}

}  // namespace

// A type's name as Windows gives it for a file whose extension no program registered.
TEST(LinuxTypeNames, NameTheExtensionAsWindowsDoesForAnUnregisteredType) {
    const struct {
        const char* path;
        bool folder;
        const char* typeName;
    } kTypes[] = {
        {"/home/ann/product", true, "File folder"},    {"/home/ann/notes.txt", false, "TXT File"},
        {"/home/ann/backup.tar.Gz", false, "GZ File"}, {"/home/ann/Makefile", false, "File"},
        {"/home/ann/trailing.", false, "File"},        {"/home/ann/v1.2/README", false, "File"},
    };
    for (const auto& type : kTypes)
        EXPECT_EQ(unregisteredTypeName(type.path, type.folder), type.typeName) << type.path;
}
