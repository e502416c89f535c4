// Runs every saved fuzz input through its target: the crashers found so far, kept so that
// their faults stay fixed, and the seed inputs that start a fuzzing run.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "fuzz/fuzz_targets.h"

namespace stdfs = std::filesystem;

namespace {

class FuzzReplay : public testing::TestWithParam<FuzzTarget> {};

TEST_P(FuzzReplay, SavedInputsKeepTheirRules) {
    const stdfs::path folder = stdfs::path(CR_FUZZ_INPUTS) / GetParam().name;
    ASSERT_TRUE(stdfs::is_directory(folder)) << folder;
    int replayed = 0;
    for (const auto& entry : stdfs::directory_iterator(folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>()};
        SCOPED_TRACE(entry.path().string());
        GetParam().run(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        ++replayed;
    }
    EXPECT_GT(replayed, 0);
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzReplay, testing::ValuesIn(kFuzzTargets),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
