#include "report/mail_link.h"

#include <gtest/gtest.h>

namespace {

// The whole mail link is pinned by the golden report; these are the cases it does not reach.
TEST(TextToHtmlTest, SpacesBecomeNonBreakingLineEndsGoAndNothingIsEscaped) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"one\r\ntwo\rthree\nfour", "onetwothreefour"},
        {"x<y & \"z\"\t\xC3\xA9", "x<y&nbsp;&&nbsp;\"z\"\t\xC3\xA9"},
    };
    for (const auto& [text, html] : cases)
        EXPECT_EQ(TextToHtml(text), html) << text;
}

}  // namespace
