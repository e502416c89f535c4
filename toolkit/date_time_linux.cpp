#include <ctime>

#include "toolkit/local_clock.h"

DateTime machineNowLocal() {
    return localTimeOf(static_cast<std::int64_t>(std::time(nullptr)));
}

DateTime localTimeOf(std::int64_t unixSeconds) {
    const std::time_t moment = static_cast<std::time_t>(unixSeconds);
    std::tm local{};
    if (localtime_r(&moment, &local) == nullptr)
        return DateTime::fromCalendarSeconds(unixSeconds);
    DateTime result;
    result.year = local.tm_year + 1900;
    result.month = local.tm_mon + 1;
    result.day = local.tm_mday;
    result.hour = local.tm_hour;
    result.minute = local.tm_min;
    result.second = local.tm_sec;
    return result;
}
