// Every test program checks at its end that it holds no file descriptor it did not hold at its
// start: a descriptor left open per folder or per file would run out on a large installation.
#include <dirent.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>

namespace {

std::set<int> openDescriptors() {
    std::set<int> found;
    DIR* listing = opendir("/proc/self/fd");
    if (listing == nullptr)
        return found;
    while (const dirent* entry = readdir(listing)) {
        const int descriptor = std::atoi(entry->d_name);
        if (entry->d_name[0] != '.' && descriptor != dirfd(listing))
            found.insert(descriptor);
    }
    closedir(listing);
    return found;
}

class NoDescriptorLeftOpen : public testing::Environment {
public:
    void SetUp() override { atStart_ = openDescriptors(); }
    void TearDown() override {
        for (const int descriptor : openDescriptors()) {
            if (atStart_.count(descriptor) != 0)
                continue;
            char target[4096] = {};
            const std::string link = "/proc/self/fd/" + std::to_string(descriptor);
            ADD_FAILURE() << "descriptor " << descriptor << " left open, on "
                          << (readlink(link.c_str(), target, sizeof target - 1) > 0 ? target : "?");
        }
    }

private:
    std::set<int> atStart_;
};

const testing::Environment* const kRegistered =
    testing::AddGlobalTestEnvironment(new NoDescriptorLeftOpen);

}  // namespace
