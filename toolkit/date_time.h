#pragma once

#include <cstdint>
#include <functional>

// A calendar date and time of day, as the report and the log print them. Local time unless a
// caller says otherwise. The default value is the zero date of the date-time type the tool
// formats (30 December 1899, midnight).
struct DateTime {
    int year = 1899;
    int month = 12;  // 1..12
    int day = 30;    // 1..31
    int hour = 0;    // 0..23
    int minute = 0;
    int second = 0;

    // 0 = Sunday .. 6 = Saturday.
    int dayOfWeek() const;
    // Seconds since 1 January 1970 counted on the calendar of this value (no time zone).
    std::int64_t toCalendarSeconds() const;
    static DateTime fromCalendarSeconds(std::int64_t seconds);
    DateTime plusSeconds(std::int64_t seconds) const;
    // The same date at midnight.
    DateTime dateOnly() const;

    bool operator==(const DateTime& other) const;
    bool operator!=(const DateTime& other) const { return !(*this == other); }
};

// The days of `month` (1..12) in `year`, on the proleptic Gregorian calendar.
int daysInMonth(int year, int month);

// The machine's current local date and time, or the test clock when one is set.
DateTime nowLocal();

// Replaces the clock for tests; an empty function restores the machine's clock.
void setClockForTesting(std::function<DateTime()> clock);
