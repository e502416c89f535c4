#include "tests/inspect/export_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "bench/embedded_text.h"
#include "inspect/reader_commands.h"
#include "report/file_classes.h"
#include "sysinfo/file_version.h"
#include "toolkit/format_value.h"
#include "toolkit/os/file_system.h"
#include "toolkit/os/os_traits.h"

namespace {

std::string keptName(const std::string& tag) {
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(test->test_suite_name()) + "." + test->name() + "." + tag;
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '.' && c != '-')
            c = '_';
    }
    return std::string(CR_INSPECT_EXPORTS) + "/" + name + ".json";
}

void expectFilesAgree(const nlohmann::json& folder) {
    const std::string path = folder["path"];
    std::set<std::string> onDisk;
    osfs::DirectorySearch search(path + os::kPathSeparator + "*.*");
    for (osfs::FileFacts entry; search.next(entry);) {
        if (osfs::isOrdinaryFile(entry.attributes))
            onDisk.insert(entry.name);
    }
    std::set<std::string> rows;
    for (const nlohmann::json& row : folder["files"]) {
        const std::string name = row["name"];
        rows.insert(name);
        const std::string full = path + os::kPathSeparator + name;
        osfs::FileFacts facts;
        ASSERT_TRUE(osfs::lookUp(full, facts)) << full;
        EXPECT_EQ(row["size"], facts.size) << full;
        EXPECT_EQ(row["date"], FormatValue(facts.lastWrite, "yyyy-mm-dd") + "T" +
                                   FormatValue(facts.lastWrite, "hh:mm:ss"))
            << full;
        EXPECT_EQ(row["program"], isProgramFile(full)) << full;
        if (row["program"]) {
            EXPECT_EQ(row["version"], getFileVersion(full)) << full;
        }
    }
    EXPECT_EQ(rows, onDisk) << path;
}

void expectEmbeddedAgree(const nlohmann::json& embedded) {
    static const std::map<std::string, int> caps = {
        {"configuration", 400}, {"log", 200}, {"data", 200}};
    const std::string path = embedded["path"];
    bool cut = false;
    const std::string text = embeddedTextOf(path, caps.at(embedded["kind"]), cut);
    EXPECT_EQ(embedded["text"], text) << path;
    EXPECT_EQ(embedded["cut"], cut) << path;
    EXPECT_EQ(embedded["complete"], true) << path;
    EXPECT_EQ(embedded["lines"], std::count(text.begin(), text.end(), '\n')) << path;
}

}  // namespace

Export exportReport(const std::string& report, const std::string& tag,
                    const std::vector<std::string>& options) {
    std::vector<std::string> arguments = {"json"};
    arguments.insert(arguments.end(), options.begin(), options.end());
    arguments.push_back(report);
    std::ostringstream out, err;
    Export made;
    made.status = runReportReader(arguments, out, err);
    made.errors = err.str();
    made.json = nlohmann::json::parse(out.str(), nullptr, false);
    std::filesystem::create_directories(std::filesystem::u8path(CR_INSPECT_EXPORTS));
    std::ofstream(std::filesystem::u8path(keptName(tag)), std::ios::binary) << out.str();
    return made;
}

std::vector<std::string> writersCodePage() {
    if (os::kPathSeparator == '/')
        return {};
    return {"--code-page", "1252"};  // the tests run Wine in code page 1252
}

void expectExportAgreesWithDisk(const nlohmann::json& exported) {
    ASSERT_FALSE(exported.is_discarded());
    for (const nlohmann::json& folder : exported["folders"]) {
        if (!folder.contains("files"))
            continue;
        expectFilesAgree(folder);
        for (const nlohmann::json& embedded : folder["embedded"])
            expectEmbeddedAgree(embedded);
    }
}
