#include "toolkit/date_time.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "toolkit/local_clock.h"

namespace {

// 1 March 2000 begins one of the calendar's 400-year cycles.
TEST(DateTimeTest, CalendarArithmeticCrossesLeapDaysMonthsYearsAndEpochs) {
    const DateTime dates[] = {
        {1899, 12, 30, 0, 0, 0}, {1969, 12, 31, 23, 59, 59}, {2000, 2, 29, 12, 0, 0},
        {2000, 3, 1, 0, 0, 0},   {2005, 7, 1, 0, 0, 0},      {2099, 12, 12, 6, 7, 8},
        {-400, 3, 1, 0, 0, 0},   {0, 2, 29, 0, 0, 0},
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
