#include "tests/support/temp_folder.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "toolkit/os/os_traits.h"

namespace stdfs = std::filesystem;

TempFolder::TempFolder() {
    static std::atomic<int> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    const stdfs::path folder = stdfs::temp_directory_path() / ("cr-test-" + std::to_string(stamp) +
                                                               "-" + std::to_string(counter++));
    stdfs::create_directories(folder);
    path_ = stdfs::canonical(folder).u8string();
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    // Tests may leave read-only entries behind; make them writable so that they can go.
    for (auto it = stdfs::recursive_directory_iterator(stdfs::u8path(path_), ignored);
         it != stdfs::recursive_directory_iterator(); it.increment(ignored)) {
        stdfs::permissions(it->path(), stdfs::perms::owner_all, stdfs::perm_options::add, ignored);
    }
    stdfs::remove_all(stdfs::u8path(path_), ignored);
}

std::string TempFolder::file(const std::string& relative) const {
    std::string converted = relative;
    std::replace(converted.begin(), converted.end(), '/', os::kPathSeparator);
    return path_ + os::kPathSeparator + converted;
}

std::string TempFolder::write(const std::string& relative, const std::string& bytes) const {
    const std::string full = file(relative);
    stdfs::create_directories(stdfs::u8path(full).parent_path());
    std::ofstream(stdfs::u8path(full), std::ios::binary) << bytes;
    return full;
}

std::string TempFolder::makeFolder(const std::string& relative) const {
    const std::string full = file(relative);
    stdfs::create_directories(stdfs::u8path(full));
    return full;
}

std::string TempFolder::read(const std::string& relative) const {
    std::ifstream in(stdfs::u8path(file(relative)), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void setLastWrite(const std::string& path, const DateTime& when) {
    std::tm local{};
    local.tm_year = when.year - 1900;
    local.tm_mon = when.month - 1;
    local.tm_mday = when.day;
    local.tm_hour = when.hour;
    local.tm_min = when.minute;
    local.tm_sec = when.second;
    local.tm_isdst = -1;
    // The file clock's epoch differs between libraries; the distance from now carries over.
    const auto shift = std::chrono::system_clock::from_time_t(std::mktime(&local)) -
                       std::chrono::system_clock::now();
    stdfs::last_write_time(stdfs::u8path(path),
                           stdfs::file_time_type::clock::now() +
                               std::chrono::duration_cast<stdfs::file_time_type::duration>(shift));
}
