#include "report/page_frame.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/report/support/report_fixture.h"

namespace {

// The header and style block themselves are pinned by the golden report.
using PageFrameTest = ReportTest;

TEST_F(PageFrameTest, MissingStyleSheetIsWrittenOnceAndEmbeddedAsTheFileHoldsIt) {
    const std::string creation =
        "Creating deafult style.css file, because none existed. = " + folder.file("style.css") +
        "\r\n";
    EXPECT_EQ(CreateStyleSheet(), defaultStyleBlock());
    EXPECT_EQ(folder.read("style.css"), defaultStyleBlock() + "\r\n");
    // The saved file's empty last line comes back as one more CR LF.
    EXPECT_EQ(CreateStyleSheet(), defaultStyleBlock() + "\r\n");
    const std::string log = logText();
    EXPECT_NE(log.find(creation), std::string::npos);
    EXPECT_EQ(log.find(creation), log.rfind(creation));
}

}  // namespace
