#include <windows.h>

#include "toolkit/local_clock.h"

namespace {

// FILETIME counts 100-nanosecond steps from 1 January 1601 UTC.
constexpr std::int64_t kFileTimeUnitsPerSecond = 10000000;
constexpr std::int64_t kSecondsFrom1601To1970 = 11644473600;

DateTime fromSystemTime(const SYSTEMTIME& time) {
    DateTime result;
    result.year = time.wYear;
    result.month = time.wMonth;
    result.day = time.wDay;
    result.hour = time.wHour;
    result.minute = time.wMinute;
    result.second = time.wSecond;
    return result;
}

}  // namespace

DateTime machineNowLocal() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return fromSystemTime(now);
}

DateTime localTimeOf(std::int64_t unixSeconds) {
    const std::uint64_t units =
        static_cast<std::uint64_t>(unixSeconds + kSecondsFrom1601To1970) * kFileTimeUnitsPerSecond;
    FILETIME utcFileTime;
    utcFileTime.dwLowDateTime = static_cast<DWORD>(units & 0xFFFFFFFFu);
    utcFileTime.dwHighDateTime = static_cast<DWORD>(units >> 32);
    SYSTEMTIME utc;
    SYSTEMTIME local;
    // SystemTimeToTzSpecificLocalTime applies the daylight-saving rule of the date itself, as
    // Explorer shows file times, where FileTimeToLocalFileTime would apply today's.
    if (!FileTimeToSystemTime(&utcFileTime, &utc) ||
        !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) {
        return DateTime::fromCalendarSeconds(unixSeconds);
    }
    return fromSystemTime(local);
}
