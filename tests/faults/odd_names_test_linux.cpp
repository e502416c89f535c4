// Linux names are bytes: they need not be valid UTF-8, and may hold angle brackets.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "tests/faults/fault_fixture.h"

namespace {

class OddNamesLinux : public FaultTest {};

TEST_F(OddNamesLinux, NamesThatAreNotUtf8OrHoldMarkupAreWrittenByteForByte) {
    const std::string product = folder.makeFolder("product <b>");
    const std::string badFolder = product + "/bad\xff\xfe";
    const std::string badFile = badFolder + "/latin1 caf\xe9.ini";
    folder.makeFolder("product <b>/bad\xff\xfe");
    std::ofstream(badFile, std::ios::binary) << "latin1=yes\r\n";
    folder.write("product <b>/less<than>.txt", "angles=1\r\n");

    runReport({product});

    ASSERT_TRUE(reportIsComplete()) << messagesShown();
    const std::string text = reportText();
    for (const std::string& part :
         {"><H1>" + badFolder + "</H1>", std::string("<TR><TD>latin1 caf\xe9.ini</td>"),
          "<H3>" + badFile + "</H3>", std::string("latin1=yes<BR>"),
          std::string("<TR><TD>less<than>.txt</td>"), "<H3>" + product + "/less<than>.txt</H3>",
          std::string("angles=1<BR>")})
        EXPECT_TRUE(contains(text, part)) << part;
}

}  // namespace
