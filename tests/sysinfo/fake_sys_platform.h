#pragma once

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "sysinfo/sys_platform.h"
#include "sysinfo/version_block.h"
#include "toolkit/os/os_traits.h"

// A platform that answers what a test sets in its public members and records the questions
// whose arguments matter. Version values are looked up with the portable block reader.
class FakeSysPlatform : public SysPlatform {
public:
    struct Process {
        std::uint32_t id = 0;
        bool opens = true;        // false: refuses query and read access
        bool modulesRead = true;  // false: its modules cannot be read
        std::string executable;
    };

    std::uint32_t folderResult = kFolderFound;
    std::string folderPath;
    std::vector<int> folderIdsAsked;
    MemoryStatus memory;
    FreeSpaceCounts space;
    std::optional<std::string> user, computer;  // none: the query fails
    std::string windowsFolderText;              // empty: the query fails
    std::vector<DriveEntry> driveList;
    std::map<std::string, VersionBlock> versionBlocks;
    std::map<std::string, FindRecord> findRecords;
    std::map<std::string, FileTimeStamps> times;  // files that open; the others cannot
    int family = kFamilyNt;
    std::vector<Process> processes;
    bool enumerates = true;       // false: the id enumeration fails, after filling the buffer
    bool fillsEveryRoom = false;  // true: claims every id buffer full, however large
    std::vector<std::size_t> idRoomsGiven;                  // the room of every id buffer, in ids
    std::optional<std::vector<std::string>> snapshotNames;  // none: no snapshot
    std::map<std::string, std::intptr_t> windows;           // top-level windows by title
    std::map<std::intptr_t, std::string> captions;
    std::vector<std::string> closes;  // "send 7", "post 7": each close request, in order

    std::uint32_t specialFolder(int folderId, std::string& path) override {
        folderIdsAsked.push_back(folderId);
        if (folderResult == kFolderFound)
            path = folderPath;
        return folderResult;
    }
    MemoryStatus memoryStatus() override { return memory; }
    FreeSpaceCounts freeSpace(const std::string&) override { return space; }
    bool userName(std::string& buffer, std::uint32_t& size) override {
        return user && answerNameQuery(*user, buffer, size, true);
    }
    bool computerName(std::string& buffer, std::uint32_t& size) override {
        return computer && answerNameQuery(*computer, buffer, size, false);
    }
    // The text is written over the start of the buffer, as the system writes its answer; one
    // that does not fit answers the room it needs.
    std::uint32_t windowsFolder(std::string& buffer) override {
        const auto length = static_cast<std::uint32_t>(windowsFolderText.size());
        if (length >= buffer.size())
            return length + 1;
        buffer.replace(0, length, windowsFolderText);
        return length;
    }
    std::vector<DriveEntry> drives() override { return driveList; }
    bool versionBlock(const std::string& path, VersionBlock& block) override {
        return answer(versionBlocks, path, block);
    }
    bool queryVersionValue(const VersionBlock& block, const std::string& subBlock,
                           std::string& value) override {
        return queryVersionBlock(block, subBlock, value);
    }
    bool findFile(const std::string& path, FindRecord& record) override {
        return answer(findRecords, path, record);
    }
    FileTimesResult fileTimes(const std::string& path, FileTimeStamps& stamps) override {
        return answer(times, path, stamps) ? FileTimesResult::TimesRead
                                           : FileTimesResult::CannotOpen;
    }
    bool shellFileInfo(const std::string&, bool, std::string& type, int& icon) override {
        type = "Text Document";
        icon = 7;
        return true;
    }
    int platformId() override { return family; }
    bool enumProcesses(std::vector<std::uint32_t>& ids, std::uint32_t& bytesFilled) override {
        idRoomsGiven.push_back(ids.size());
        const std::size_t count = std::min(ids.size(), processes.size());
        for (std::size_t i = 0; i < count; ++i)
            ids[i] = processes[i].id;
        bytesFilled = static_cast<std::uint32_t>((fillsEveryRoom ? ids.size() : count) * 4);
        return enumerates;
    }
    std::unique_ptr<ProcessHandle> openProcess(std::uint32_t processId) override {
        for (const Process& process : processes) {
            if (process.id == processId && process.opens)
                return std::make_unique<FakeProcess>(process);
        }
        return nullptr;
    }
    std::unique_ptr<ProcessSnapshot> processSnapshot() override {
        return snapshotNames ? std::make_unique<FakeSnapshot>(*snapshotNames) : nullptr;
    }
    std::intptr_t findTopLevelWindow(const std::string& title) override { return windows[title]; }
    void sendCloseCommand(std::intptr_t window) override {
        closes.push_back("send " + std::to_string(window));
    }
    void postCloseMessage(std::intptr_t window) override {
        closes.push_back("post " + std::to_string(window));
    }
    std::string windowCaption(std::intptr_t window) override { return captions[window]; }

private:
    struct FakeProcess : ProcessHandle {
        explicit FakeProcess(Process process) : process(std::move(process)) {}
        bool firstModuleFileName(std::string& fileName) override {
            fileName = process.executable;
            return process.modulesRead;
        }
        Process process;
    };
    // Each snapshot is walked once, so its first entry is simply the next one.
    struct FakeSnapshot : ProcessSnapshot {
        explicit FakeSnapshot(std::vector<std::string> names) : names(std::move(names)) {}
        bool first(std::string& exeName) override { return next(exeName); }
        bool next(std::string& exeName) override {
            if (at == names.size())
                return false;
            exeName = names[at++];
            return true;
        }
        std::vector<std::string> names;
        std::size_t at = 0;
    };

    template <typename Value>
    static bool answer(const std::map<std::string, Value>& answers, const std::string& path,
                       Value& value) {
        const auto it = answers.find(path);
        if (it != answers.end())
            value = it->second;
        return it != answers.end();
    }
};

// Installs a fresh fake as the platform for the test and returns it; live tests put the
// machine's own back.
inline FakeSysPlatform& installFakeSysPlatform() {
    auto fake = std::make_unique<FakeSysPlatform>();
    FakeSysPlatform& installed = *fake;
    setSysPlatformForTesting(std::move(fake));
    return installed;
}

// A path with the platform's separator in place of every "|", for answers of the fake.
inline std::string nativePath(std::string path) {
    std::replace(path.begin(), path.end(), '|', os::kPathSeparator);
    return path;
}
