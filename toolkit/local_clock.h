#pragma once

#include <cstdint>

#include "toolkit/date_time.h"

// The machine's own clock and time zone, answered by each platform (date_time_linux.cpp,
// date_time_win32.cpp). Portable code asks nowLocal() instead, which tests can replace.

// The current local date and time of the machine.
DateTime machineNowLocal();

// The local date and time of a moment given as seconds since 1 January 1970 UTC, with the
// daylight-saving rule in force on that date.
DateTime localTimeOf(std::int64_t unixSeconds);
