#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

#include "toolkit/date_time.h"

// Formats a number with a pattern of "#", "0", "," and plain characters ("###,###,###",
// "000", "###,###,###,### "), or a date-time with a date pattern ("yyyy-mm-dd, hh:mm:ss",
// "DDD, dd-MMM-yyyy hh:mm:ss AMPM", ...). Outputs are those of English (United States)
// whatever the machine's locale, so that reports read the same everywhere. Never fails.
std::string FormatValue(double value, std::string_view pattern);
std::string FormatValue(std::int64_t value, std::string_view pattern);
std::string FormatValue(const DateTime& value, std::string_view pattern);

// A whole number as a signed decimal with a space in place of a plus sign: " 5", " 0", "-5".
std::string signedDecimal(std::int64_t value);

template <typename T, std::enable_if_t<std::is_integral_v<T>, int> = 0>
std::string FormatValue(T value, std::string_view pattern) {
    return FormatValue(static_cast<std::int64_t>(value), pattern);
}
