#include <pwd.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <climits>

#include "toolkit/os/system_names.h"

namespace os {

std::string userName() {
    const passwd* entry = getpwuid(geteuid());
    return entry != nullptr && entry->pw_name != nullptr ? entry->pw_name : std::string();
}

std::string computerName() {
    utsname names{};
    return uname(&names) == 0 ? names.nodename : std::string();
}

std::string executablePath() {
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path);
    return length > 0 ? std::string(path, static_cast<std::size_t>(length)) : std::string();
}

}  // namespace os
