// Upper case by the C.UTF-8 mapping, one character for one: every letter of Unicode, and each
// byte that is not UTF-8 kept as it is, the text after it mapped afresh.
#include <gtest/gtest.h>

#include <string>

#include "toolkit/os/text_case.h"

namespace {

TEST(TextCaseTest, LettersOfEveryScriptAreUpperCasedAndOtherBytesStay) {
    const std::pair<std::string, std::string> kCases[] = {
        {"données été", "DONNÉES ÉTÉ"},
        {"ωmega straße 1", "ΩMEGA STRAßE 1"},
        {std::string("a\0b", 3), std::string("A\0B", 3)},
        {"a\xff"
         "b\xc3",
         "A\xff"
         "B\xc3"},
        // An incomplete character at the end: its first byte is kept alone, and the second
        // does not finish it with the third ("\xe2\x82\x82" would be a subscript two).
        {"x\xe2\x82", "X\xe2\x82"},
    };
    for (const auto& [text, upper] : kCases)
        EXPECT_EQ(os::upperCase(text), upper) << text;
}

}  // namespace
