#include "toolkit/format_value.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <limits>
#include <string>
#include <tuple>

#include "toolkit/date_time.h"
#include "toolkit/local_clock.h"

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
        {{2005, 13, 1, 0, 0, 0}, "(MMM)", "()"},  // a month out of range has no name
        {{2005, 0, 1, 0, 0, 0}, "(MMM)", "()"},
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

// 1 March 2000 begins one of the calendar's 400-year cycles.
TEST(DateTimeTest, CalendarArithmeticCrossesLeapDaysMonthsYearsAndEpochs) {
    const DateTime dates[] = {
        {1899, 12, 30, 0, 0, 0}, {1969, 12, 31, 23, 59, 59}, {2000, 2, 29, 12, 0, 0},
        {2000, 3, 1, 0, 0, 0},   {2005, 7, 1, 0, 0, 0},      {2099, 12, 12, 6, 7, 8},
        {-400, 3, 1, 0, 0, 0},   {0, 2, 29, 0, 0, 0},        {2100, 3, 1, 0, 0, 0},
        {2300, 6, 15, 0, 0, 0},  // a cycle's first century that is no leap year, and its third
    };
    for (const DateTime& date : dates)
        EXPECT_EQ(DateTime::fromCalendarSeconds(date.toCalendarSeconds()), date) << date.year;
    EXPECT_EQ((DateTime{1970, 1, 2, 0, 0, 0}.toCalendarSeconds()), 86400);
    EXPECT_EQ((DateTime{2004, 2, 28, 23, 59, 59}.plusSeconds(1)), (DateTime{2004, 2, 29, 0, 0, 0}));
    EXPECT_EQ((DateTime{2005, 12, 31, 23, 59, 58}.plusSeconds(5)), (DateTime{2006, 1, 1, 0, 0, 3}));
    EXPECT_EQ((DateTime{2005, 3, 1, 0, 0, 0}.plusSeconds(-1)), (DateTime{2005, 2, 28, 23, 59, 59}));
    EXPECT_EQ((DateTime{2005, 5, 22, 14, 5, 9}.dateOnly()), (DateTime{2005, 5, 22, 0, 0, 0}));
}

// The report's date line comes from this clock, which every report test replaces. The Linux
// test presets run the suite three hours east of UTC (TZ=XST-3), so that a clock giving UTC for
// local time fails here even on a machine kept at UTC.
TEST(DateTimeTest, MachineClockGivesTheLocalTimeOfTheCLibrary) {
    const std::time_t moment = 1116770709;  // 22 May 2005, 14:05:09 UTC
    const std::tm local = *std::localtime(&moment);
    EXPECT_EQ(localTimeOf(moment), (DateTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                                             local.tm_hour, local.tm_min, local.tm_sec}));
    const DateTime now = localTimeOf(std::time(nullptr));
    EXPECT_LE(std::abs(machineNowLocal().toCalendarSeconds() - now.toCalendarSeconds()), 2);
}

}  // namespace
