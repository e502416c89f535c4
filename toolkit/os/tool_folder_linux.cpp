#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "toolkit/os/errno_failure_linux.h"
#include "toolkit/os/tool_folder.h"

namespace os {

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : std::string();
}

bool isAbsolute(const std::string& path) {
    return !path.empty() && path[0] == '/';
}

// A package installs the programs under /usr, which belongs to the package manager: even a
// user who may write there (root) must not leave reports and logs among the system's files.
bool isSystemFolder(const std::string& folder) {
    return folder == "/usr" || folder.rfind("/usr/", 0) == 0;
}

bool isEffectiveUsersFolder(const std::string& folder) {
    struct stat info {};
    return stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == geteuid();
}

// The effective user's state folder for the tool; empty when the user has no home. The
// environment names it only when HOME is the effective user's own folder: root running with a
// user's environment (sudo -E, or a sudo that keeps HOME) would otherwise make folders private
// to root in that user's home. Otherwise the password database gives the home, and
// XDG_STATE_HOME, from the same environment, does not count either.
std::string userStateFolder() {
    const std::string home = environment("HOME");
    if (isAbsolute(home) && isEffectiveUsersFolder(home)) {
        // XDG_STATE_HOME counts only when it is absolute, as the XDG base directories define it.
        const std::string state = environment("XDG_STATE_HOME");
        return (isAbsolute(state) ? state : home + "/.local/state") + "/configreport";
    }
    const passwd* user = getpwuid(geteuid());
    if (user == nullptr || user->pw_dir == nullptr || !isAbsolute(user->pw_dir))
        return std::string();
    return std::string(user->pw_dir) + "/.local/state/configreport";
}

FolderRefusal unusable(std::string& failure) {
    failure = osfs::detail::describe(osfs::detail::failureOf(errno));
    return FolderRefusal::Unusable;
}

// Creates the folder and the missing folders above it, private to the user as the base
// directory rules ask, and takes it only when it is the effective user's own and no other user
// may write to it: another user could otherwise plant files in it or take it away.
FolderRefusal takeStateFolder(const std::string& folder, std::string& failure) {
    for (std::size_t cut = folder.find('/', 1);; cut = folder.find('/', cut + 1)) {
        const std::string level = folder.substr(0, cut);
        if (mkdir(level.c_str(), 0700) != 0 && errno != EEXIST)
            return unusable(failure);
        if (cut == std::string::npos)
            break;
    }
    struct stat info {};
    if (stat(folder.c_str(), &info) != 0)
        return unusable(failure);
    if (!S_ISDIR(info.st_mode)) {
        errno = EEXIST;
        return unusable(failure);
    }
    if (info.st_uid != geteuid())
        return FolderRefusal::NotTheUsers;
    if ((info.st_mode & (S_IWGRP | S_IWOTH)) != 0)
        return FolderRefusal::OpenToOthers;
    if (access(folder.c_str(), W_OK | X_OK) != 0)
        return unusable(failure);
    return FolderRefusal::None;
}

// A new folder of the user's alone, under a name no one else had (mkdtemp, mode 0700), in /tmp,
// whose sticky bit keeps other users from taking it away; empty when none can be made.
std::string freshPrivateFolder() {
    char name[] = "/tmp/configreport-XXXXXX";
    return mkdtemp(name) != nullptr ? std::string(name) : std::string();
}

}  // namespace

ToolFolder toolFolderFor(const std::string& programFolder) {
    ToolFolder answer;
    if (!isSystemFolder(programFolder) && access(programFolder.c_str(), W_OK | X_OK) == 0) {
        answer.path = programFolder;
        return answer;
    }
    const std::string state = userStateFolder();
    answer.refusal = state.empty() ? FolderRefusal::NoHome : takeStateFolder(state, answer.failure);
    if (answer.refusal == FolderRefusal::None) {
        answer.path = state;
        return answer;
    }
    answer.refusedFolder = state;
    answer.path = freshPrivateFolder();
    if (answer.path.empty())
        answer.path = programFolder;
    return answer;
}

}  // namespace os
