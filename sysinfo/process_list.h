#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "toolkit/string_array.h"

class ListBox;
class ListView;

// Answers which operating-system family runs and which programs are running.
class clsApplication {
public:
    // Empties lst, then one line per running program: its executable's full path.
    void TEST_getAndListApps(ListBox& lst);
    // 1 for the Windows 95/98 family, 2 for the NT family (Linux answers 2).
    int getVersion();
    // Replaces `apps` with the running programs.
    void init();
    // Copy `apps` into a list; both throw std::logic_error when init has not run yet.
    void listApps(ListBox& lst, bool clearFirst = false);
    void listAppsToListView(ListView& lv, bool clearFirst = false);
    int killAppByName(const std::string& appName);
    int killAppByNameAbsolutely(const std::string& appName);
    void killApp(std::intptr_t processId);
    std::intptr_t getIdByName(const std::string& appName);
    std::string getCaptionbyId(std::intptr_t processId);

private:
    // `apps`, or std::logic_error when init has not run yet.
    const clsArray& initialisedApps() const;

    std::unique_ptr<clsArray> apps;
};
