#include "toolkit/format_value.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <tuple>

namespace {

TEST(FormatValueTest, NumbersFollowTheirPattern) {
    const std::tuple<double, const char*, const char*> cases[] = {
        {0, "###,###,###,###", ""},  // "#" shows no digit for zero
        {0, "###,###,###,### ", " "},
        {7, "000", "007"},
        {1234, "000", "1234"},
        {999, "###,###,###", "999"},
        {1000, "###,###,###", "1,000"},
        {1234.5, "###,###", "1,235"},  // halves round away from zero
        {-1234.5, "###,###", "-1,235"},
        {-0.4, "###", ""},  // rounds to zero: neither digit nor sign
        {12345678901234, "###,###", "12,345,678,901,234"},  // grouping beyond the places
        {1234567, "###", "1234567"},
        {5, "(###)", "(5)"},
        {1e300, "###", "9223372036854775807"},                  // clamped, never a failure
        {9223372036854775808.0, "###", "9223372036854775807"},  // 2^63, the first beyond
        {9.2e18, "###", "9200000000000000000"},
        {-1e300, "###", "-9223372036854775808"},
        {std::nan(""), "000", "000"},  // not a number counts as zero
    };
    for (const auto& [value, pattern, expected] : cases)
        EXPECT_EQ(FormatValue(value, pattern), expected) << value << " " << pattern;
    EXPECT_EQ(FormatValue(std::numeric_limits<std::int64_t>::min(), "###,###"),
              "-9,223,372,036,854,775,808");
}

TEST(FormatValueTest, DatesFollowTheirPattern) {
    const DateTime sunday{2005, 5, 22, 14, 5, 9};
    const std::tuple<DateTime, const char*, const char*> cases[] = {
        {sunday, "yyyy-mm-dd hh:mm:ss", "2005-05-22 14:05:09"},  // month first, then minutes
        {sunday, "s", "9"},
        {sunday, "YYYY-MM-DD", "2005-05-22"},  // letters match without regard to case
        {{2005, 5, 22, 0, 0, 0}, "hh:mm:ss AMPM", "12:00:00 AM"},  // midnight and noon are 12
        {{2005, 5, 22, 12, 0, 0}, "hh:mm:ss AMPM", "12:00:00 PM"},
        {{2005, 5, 22, 11, 59, 59}, "hh:mm:ss AMPM", "11:59:59 AM"},
        {{2004, 2, 29, 23, 0, 0}, "DDD, dd-MMM-yyyy hh AMPM", "Sun, 29-Feb-2004 11 PM"},
    };
    for (const auto& [value, pattern, expected] : cases)
        EXPECT_EQ(FormatValue(value, pattern), expected) << pattern;
    std::string months, days;
    for (int month = 1; month <= 12; ++month)
        months += FormatValue(DateTime{2005, month, 1, 0, 0, 0}, "MMM ");
    for (int day = 22; day <= 28; ++day)  // Sunday to Saturday
        days += FormatValue(DateTime{2005, 5, day, 0, 0, 0}, "DDD ");
    EXPECT_EQ(months, "Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec ");
    EXPECT_EQ(days, "Sun Mon Tue Wed Thu Fri Sat ");
}

}  // namespace
