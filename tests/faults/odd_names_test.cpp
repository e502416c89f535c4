// Names that HTML, URLs or the file system treat specially. The report writes names as they
// are; it must list each file once, embed its text and finish. ("<" and ">" are Linux only:
// Windows does not allow them in names.) On Windows the report is in code page 1252 (Wine under
// a UTF-8 locale): a name stands there in that code page, with "?" for a character it lacks,
// while a file's text keeps its own bytes.
#include <gtest/gtest.h>

#include <string>

#include "tests/faults/fault_fixture.h"
#include "toolkit/os/os_traits.h"

namespace {

class OddNames : public FaultTest {};

struct OddName {
    const char* name;
    const char* listedOnWindows;  // null: as on Linux, the name itself
};

TEST_F(OddNames, SpacesMarkupSignsAndNonAsciiLettersAreListedAndEmbedded) {
    const OddName kNames[] = {
        {"with space.ini", nullptr},        {"a&b.ini", nullptr},
        {"hash#sign.log", nullptr},         {"per%20cent.ini", nullptr},
        {"caf\xc3\xa9.ini", "caf\xe9.ini"}, {"\xe6\x97\xa5\xe6\x9c\xac.log", "??.log"},
    };
    const bool windows = os::kPathSeparator == '\\';
    const std::string product = folder.makeFolder("pr&duct #1 %s");
    for (const OddName& odd : kNames) {
        folder.write(std::string("pr&duct #1 %s/sub &amp; \xc3\xa9t\xc3\xa9/") + odd.name,
                     std::string("text of ") + odd.name + "\r\n");
    }

    runReport({product});

    ASSERT_TRUE(reportIsComplete()) << messagesShown();
    const std::string text = reportText();
    EXPECT_EQ(listedFolders(text).size(), 2u);
    for (const OddName& odd : kNames) {
        const std::string listed = windows && odd.listedOnWindows ? odd.listedOnWindows : odd.name;
        EXPECT_EQ(occurrences(text, "<TR><TD>" + listed + "</td>"), 1) << odd.name;
        EXPECT_EQ(occurrences(text, std::string("text of ") + odd.name + "<BR>"), 1) << odd.name;
    }
}

}  // namespace
