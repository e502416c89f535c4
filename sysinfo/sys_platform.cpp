#include "sysinfo/sys_platform.h"

#include "sysinfo/system_facts.h"

namespace {

std::unique_ptr<SysPlatform>& installedPlatform() {
    static std::unique_ptr<SysPlatform> platform;
    return platform;
}

}  // namespace

SysPlatform& sysPlatform() {
    auto& platform = installedPlatform();
    if (!platform)
        platform = makeNativeSysPlatform();
    return *platform;
}

void setSysPlatformForTesting(std::unique_ptr<SysPlatform> platform) {
    installedPlatform() = std::move(platform);
    resetNameCachesForTesting();
}

bool answerNameQuery(const std::string& name, std::string& buffer, std::uint32_t& size,
                     bool sizeCountsZero) {
    if (name.empty())
        return false;
    buffer = name + '\0';
    size = static_cast<std::uint32_t>(name.size() + (sizeCountsZero ? 1 : 0));
    return true;
}
