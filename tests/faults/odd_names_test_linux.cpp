// Linux names are bytes: they need not be valid UTF-8.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "tests/faults/fault_fixture.h"

namespace {

class OddNamesLinux : public FaultTest {};

TEST_F(OddNamesLinux, NamesThatAreNotUtf8AreListedByteForByte) {
    const std::string product = folder.makeFolder("product");
    const std::string badFolder = product + "/bad\xff\xfe";
    const std::string badFile = badFolder + "/latin1 caf\xe9.ini";
    folder.makeFolder("product/bad\xff\xfe");
    std::ofstream(badFile, std::ios::binary) << "latin1=yes\r\n";

    runReport({product});

    ASSERT_TRUE(reportIsComplete()) << messagesShown();
    const std::string text = reportText();
    EXPECT_TRUE(contains(text, "><H1>" + badFolder + "</H1>"));
    EXPECT_TRUE(contains(text, "<TR><TD>latin1 caf\xe9.ini</td>"));
    EXPECT_TRUE(contains(text, "<H3>" + badFile + "</H3>"));
    EXPECT_TRUE(contains(text, "latin1=yes<BR>"));
}

TEST_F(OddNamesLinux, AngleBracketsInNamesAreWrittenAsTheyAre) {
    const std::string product = folder.makeFolder("product <b>");
    folder.write("product <b>/less<than>.txt", "angles=1\r\n");

    runReport({product});

    ASSERT_TRUE(reportIsComplete()) << messagesShown();
    const std::string text = reportText();
    EXPECT_TRUE(contains(text, "<TR><TD>less<than>.txt</td>"));
    EXPECT_TRUE(contains(text, "<H3>" + product + "/less<than>.txt</H3>"));
    EXPECT_TRUE(contains(text, "angles=1<BR>"));
}

}  // namespace
