#include "sysinfo/process_list.h"

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <vector>

#include "sysinfo/space_trim.h"
#include "sysinfo/sys_platform.h"
#include "sysinfo/system_facts.h"
#include "toolkit/list_file_helpers.h"
#include "toolkit/program_state.h"
#include "toolkit/ui/controls.h"
#include "toolkit/ui/ui.h"

namespace {

using NameSink = std::function<void(const std::string&)>;

// The id buffer doubles until the system leaves room to spare; the starting values make the
// first call get 16 bytes. A platform that claimed to fill every buffer would make it grow for
// ever, so it stops at the largest size.
constexpr std::uint32_t kStartBufferBytes = 8;
constexpr std::uint32_t kStartFilledBytes = 96;
constexpr std::uint32_t kLargestIdBufferBytes = 1u << 24;
constexpr std::uint32_t kBytesPerId = 4;

void listFromSnapshot(SysPlatform& platform, const NameSink& list) {
    const std::unique_ptr<ProcessSnapshot> snapshot = platform.processSnapshot();
    if (!snapshot)
        return;
    std::string name;
    for (bool more = snapshot->first(name); more; more = snapshot->next(name)) {
        list(name.substr(0, name.find('\0')));
    }
}

std::vector<std::uint32_t> runningProcessIds(SysPlatform& platform) {
    std::vector<std::uint32_t> ids;
    std::uint32_t bufferBytes = kStartBufferBytes;
    std::uint32_t filledBytes = kStartFilledBytes;
    while (bufferBytes <= filledBytes && bufferBytes < kLargestIdBufferBytes) {
        bufferBytes *= 2;
        ids.assign(bufferBytes / kBytesPerId, 0);
        if (!platform.enumProcesses(ids, filledBytes))
            filledBytes = 0;
    }
    ids.resize(std::min<std::size_t>(filledBytes / kBytesPerId, ids.size()));
    return ids;
}

void listFromProcessIds(SysPlatform& platform, const NameSink& list) {
    for (std::uint32_t id : runningProcessIds(platform)) {
        const std::unique_ptr<ProcessHandle> process = platform.openProcess(id);
        std::string fileName;
        if (process && process->firstModuleFileName(fileName))
            list(fileName);
    }
}

// Lists every running program the way the operating-system family allows.
void listRunningPrograms(clsApplication& app, const NameSink& list) {
    SysPlatform& platform = sysPlatform();
    switch (app.getVersion()) {
        case kFamilyWindows9x:
            listFromSnapshot(platform, list);
            break;
        case kFamilyNt:
            listFromProcessIds(platform, list);
            break;
        default:
            break;
    }
}

}  // namespace

void clsApplication::TEST_getAndListApps(ListBox& lst) {
    lst.Clear();
    listRunningPrograms(*this, [&lst](const std::string& name) { lst.AddItem(name); });
}

int clsApplication::getVersion() {
    return sysPlatform().platformId();
}

void clsApplication::init() {
    auto fresh = std::make_unique<clsArray>();
    fresh->init();
    apps = std::move(fresh);
    listRunningPrograms(*this, [this](const std::string& name) { apps->Add(name); });
}

const clsArray& clsApplication::initialisedApps() const {
    if (!apps)
        throw std::logic_error("The list of running programs has not been read (init).");
    return *apps;
}

void clsApplication::listApps(ListBox& lst, bool clearFirst) {
    const clsArray& list = initialisedApps();
    if (clearFirst)
        lst.Clear();
    for (int i = 1; i <= list.Count(); ++i)
        lst.AddItem(list.Item(i));
}

void clsApplication::listAppsToListView(ListView& lv, bool clearFirst) {
    const clsArray& list = initialisedApps();
    if (clearFirst)
        lv.ListItems().Clear();
    const std::string windowsDir = getWindowsDir();
    for (int i = 1; i <= list.Count(); ++i) {
        const std::string entry = list.Item(i);
        const std::string folder = GetPathFromFileName(entry);
        // Programs of the system's own tree are left out; with no Windows folder known, the
        // empty prefix matches every entry and nothing is shown.
        if (folder.compare(0, windowsDir.size(), windowsDir) == 0)
            continue;
        ListItem& item = lv.ListItems().Add(entry);
        item.ListSubItems().Add(GetFileNameFromPath(entry));
        item.ListSubItems().Add(folder);
    }
}

int clsApplication::killAppByName(const std::string& appName) {
    SysPlatform& platform = sysPlatform();
    platform.sendCloseCommand(platform.findTopLevelWindow(appName));
    ui().DoEvents();
    platform.sendCloseCommand(platform.findTopLevelWindow(appName));
    return 0;
}

int clsApplication::killAppByNameAbsolutely(const std::string& appName) {
    SysPlatform& platform = sysPlatform();
    platform.postCloseMessage(platform.findTopLevelWindow(appName));
    return 0;
}

void clsApplication::killApp(std::intptr_t processId) {
    sysPlatform().sendCloseCommand(processId);
}

std::intptr_t clsApplication::getIdByName(const std::string& appName) {
    return sysPlatform().findTopLevelWindow(appName);
}

std::string clsApplication::getCaptionbyId(std::intptr_t processId) {
    return trimSpaces(sysPlatform().windowCaption(processId));
}

clsApplication& gApp() {
    static clsApplication app;
    return app;
}
