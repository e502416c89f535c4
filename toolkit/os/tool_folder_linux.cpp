#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "toolkit/os/tool_folder.h"

namespace os {

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : std::string();
}

// A package installs the programs under /usr, which belongs to the package manager: even a
// user who may write there (root) must not leave reports and logs among the system's files.
bool isSystemFolder(const std::string& folder) {
    return folder == "/usr" || folder.rfind("/usr/", 0) == 0;
}

// XDG_STATE_HOME counts only when it is absolute, as the XDG base directories define it.
std::string userStateFolder() {
    const std::string state = environment("XDG_STATE_HOME");
    if (!state.empty() && state[0] == '/')
        return state + "/configreport";
    const std::string home = environment("HOME");
    if (home.empty() || home[0] != '/')
        return std::string();
    return home + "/.local/state/configreport";
}

// Creates the folder and the missing folders above it, private to the user as the base
// directory rules ask.
bool makeFolders(const std::string& folder) {
    for (std::size_t cut = folder.find('/', 1);; cut = folder.find('/', cut + 1)) {
        const std::string level = folder.substr(0, cut);
        if (mkdir(level.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
        if (cut == std::string::npos)
            break;
    }
    struct stat info {};
    return stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
           access(folder.c_str(), W_OK | X_OK) == 0;
}

}  // namespace

std::string toolFolderFor(const std::string& programFolder) {
    if (!isSystemFolder(programFolder) && access(programFolder.c_str(), W_OK | X_OK) == 0)
        return programFolder;
    const std::string state = userStateFolder();
    return !state.empty() && makeFolders(state) ? state : programFolder;
}

}  // namespace os
