#include "toolkit/date_time.h"

#include <utility>

#include "toolkit/local_clock.h"

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

// Days from 1 January 1970 to the given proleptic Gregorian date; month 1..12.
std::int64_t daysFromCivil(std::int64_t year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t yearOfEra = year - era * 400;
    const int shiftedMonth = month > 2 ? month - 3 : month + 9;
    const std::int64_t dayOfYear = (153 * shiftedMonth + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void civilFromDays(std::int64_t days, DateTime& date) {
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
    date.day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    date.month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    date.year = static_cast<int>(yearOfEra + era * 400 + (date.month <= 2 ? 1 : 0));
}

// Floor division, so that times before 1970 fall on the right day.
std::int64_t floorDiv(std::int64_t value, std::int64_t divisor) {
    const std::int64_t quotient = value / divisor;
    return (value % divisor != 0 && (value < 0) != (divisor < 0)) ? quotient - 1 : quotient;
}

std::function<DateTime()>& testClock() {
    static std::function<DateTime()> clock;
    return clock;
}

}  // namespace

int DateTime::dayOfWeek() const {
    // 1 January 1970 was a Thursday (4).
    const std::int64_t days = daysFromCivil(year, month, day);
    return static_cast<int>(((days + 4) % 7 + 7) % 7);
}

int daysInMonth(int year, int month) {
    const int nextYear = month == 12 ? year + 1 : year;
    const int nextMonth = month == 12 ? 1 : month + 1;
    return static_cast<int>(daysFromCivil(nextYear, nextMonth, 1) - daysFromCivil(year, month, 1));
}

std::int64_t DateTime::toCalendarSeconds() const {
    return daysFromCivil(year, month, day) * kSecondsPerDay + hour * 3600 + minute * 60 + second;
}

DateTime DateTime::fromCalendarSeconds(std::int64_t seconds) {
    const std::int64_t days = floorDiv(seconds, kSecondsPerDay);
    const std::int64_t rest = seconds - days * kSecondsPerDay;
    DateTime result;
    civilFromDays(days, result);
    result.hour = static_cast<int>(rest / 3600);
    result.minute = static_cast<int>(rest / 60 % 60);
    result.second = static_cast<int>(rest % 60);
    return result;
}

DateTime DateTime::plusSeconds(std::int64_t seconds) const {
    return fromCalendarSeconds(toCalendarSeconds() + seconds);
}

DateTime DateTime::dateOnly() const {
    DateTime result = *this;
    result.hour = 0;
    result.minute = 0;
    result.second = 0;
    return result;
}

bool DateTime::operator==(const DateTime& other) const {
    return year == other.year && month == other.month && day == other.day && hour == other.hour &&
           minute == other.minute && second == other.second;
}

DateTime nowLocal() {
    const auto& clock = testClock();
    return clock ? clock() : machineNowLocal();
}

void setClockForTesting(std::function<DateTime()> clock) {
    testClock() = std::move(clock);
}
