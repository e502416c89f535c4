// The dates of a report's lines: only days that exist are read, as a damaged report may hold
// any digits in their places.
#include <gtest/gtest.h>

#include "inspect/report_values.h"

namespace {

TEST(ReportValues, DatesAreReadOnlyWhereTheDayExists) {
    const struct {
        const char* row;      // as a file table row states it
        const char* created;  // as the report states its creation
        bool exists;
    } kDates[] = {
        {"2005/05/22 14:05:09", "Sun, 22-May-2005 02:05:09 PM", true},
        {"2024/02/29 00:00:00", "Thu, 29-Feb-2024 12:00:00 AM", true},
        {"2000/02/29 23:59:59", "Tue, 29-Feb-2000 11:59:59 PM", true},
        {"1900/02/29 10:00:00", "Thu, 29-Feb-1900 10:00:00 AM", false},
        {"2023/02/29 10:00:00", "Wed, 29-Feb-2023 10:00:00 AM", false},
        {"2024/02/30 10:00:00", "Fri, 30-Feb-2024 10:00:00 AM", false},
        {"2024/04/31 10:00:00", "Wed, 31-Apr-2024 10:00:00 AM", false},
        {"2024/12/31 10:00:00", "Tue, 31-Dec-2024 10:00:00 AM", true},
        {"2024/13/01 10:00:00", "Wed, 01-Xyz-2024 10:00:00 AM", false},
        {"2024/01/00 10:00:00", "Sun, 00-Jan-2024 10:00:00 AM", false},
        {"2024/01/01 24:00:00", "Mon, 01-Jan-2024 13:00:00 PM", false},
    };
    for (const auto& date : kDates) {
        EXPECT_EQ(rowDate(date.row).has_value(), date.exists) << date.row;
        EXPECT_EQ(createdDate(date.created).has_value(), date.exists) << date.created;
    }
    const std::optional<DateTime> leapDay = rowDate("2024/02/29 13:14:15");
    ASSERT_TRUE(leapDay);
    EXPECT_EQ(isoDateTime(*leapDay), "2024-02-29T13:14:15");
}

}  // namespace
