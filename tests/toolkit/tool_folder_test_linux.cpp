#include "toolkit/os/tool_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "tests/support/temp_folder.h"

namespace {

// Sets an environment variable, or unsets it for a null value, and restores it at scope end.
struct ScopedVariable {
    ScopedVariable(const char* name, const char* value) : name(name) {
        if (const char* old = std::getenv(name))
            saved = old;
        set(value);
    }
    ~ScopedVariable() { set(saved ? saved->c_str() : nullptr); }
    void set(const char* value) const { value ? setenv(name, value, 1) : unsetenv(name); }

    const char* name;
    std::optional<std::string> saved;
};

// Where the tool keeps its files, by the program's folder and the user's environment. "@"
// stands for a fresh temporary folder; a null variable is unset.
TEST(ToolFolderTest, ProgramFolderUnlessItIsASystemFolderThenTheUserStateFolder) {
    const struct {
        const char* program;
        const char* stateHome;
        const char* home;
        const char* expected;
    } rows[] = {
        {"@/tool", "@/state", "@/home", "@/tool"},
        {"/usr/bin", "@/state", "@/home", "@/state/configreport"},
        {"/usr/local/bin", nullptr, "@/home", "@/home/.local/state/configreport"},
        {"/usr/bin", "relative/state", "@/home", "@/home/.local/state/configreport"},
        {"/usr/bin", nullptr, nullptr, "/usr/bin"},
        {"/usr/bin", "@/file/below", "@/home", "/usr/bin"},
    };
    for (const auto& row : rows) {
        TempFolder folder;
        folder.makeFolder("tool");
        folder.write("file", "not a folder");
        const auto expand = [&folder](const char* text) {
            const std::string value = text != nullptr ? text : "";
            return value.rfind("@", 0) == 0 ? folder.path() + value.substr(1) : value;
        };
        const std::string stateHome = expand(row.stateHome);
        const std::string home = expand(row.home);
        ScopedVariable state("XDG_STATE_HOME", row.stateHome ? stateHome.c_str() : nullptr);
        ScopedVariable user("HOME", row.home ? home.c_str() : nullptr);
        const std::string program = expand(row.program);

        const std::string answer = os::toolFolderFor(program);

        EXPECT_EQ(answer, expand(row.expected)) << row.program << " " << stateHome;
        struct stat info {};
        EXPECT_TRUE(stat(answer.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) << answer;
        if (answer != program) {
            EXPECT_EQ(info.st_mode & 0777, 0700u) << answer;
        }
    }
}

}  // namespace
