// Names that HTML, URLs or the file system treat specially. The report writes names as they
// are; it must list each file once, embed its text and finish. ("<" and ">" are Linux only:
// Windows does not allow them in names.)
#include <gtest/gtest.h>

#include <string>

#include "tests/faults/fault_fixture.h"

namespace {

class OddNames : public FaultTest {};

TEST_F(OddNames, SpacesMarkupSignsAndNonAsciiLettersAreListedAndEmbedded) {
    const char* const kNames[] = {"with space.ini",  "a&b.ini",
                                  "hash#sign.log",   "per%20cent.ini",
                                  "caf\xc3\xa9.ini", "\xe6\x97\xa5\xe6\x9c\xac.log"};
    const std::string product = folder.makeFolder("pr&duct #1 %s");
    for (const char* name : kNames) {
        folder.write(std::string("pr&duct #1 %s/sub &amp; \xc3\xa9t\xc3\xa9/") + name,
                     std::string("text of ") + name + "\r\n");
    }

    runReport({product});

    ASSERT_TRUE(reportIsComplete()) << messagesShown();
    const std::string text = reportText();
    EXPECT_EQ(listedFolders(text).size(), 2u);
    for (const char* name : kNames) {
        EXPECT_EQ(occurrences(text, std::string("<TR><TD>") + name + "</td>"), 1) << name;
        EXPECT_EQ(occurrences(text, std::string("text of ") + name + "<BR>"), 1) << name;
    }
}

}  // namespace
