#include "toolkit/format_value.h"

#include <array>
#include <cctype>
#include <cmath>
#include <limits>

namespace {

bool isDigitPlace(char c) {
    return c == '#' || c == '0';
}

// The magnitude's decimal digits; "0" for zero. Unsigned so that the lowest int64 has a
// magnitude too.
std::string decimalDigits(std::uint64_t magnitude) {
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + magnitude % 10));
        magnitude /= 10;
    } while (magnitude != 0);
    return digits;
}

// Builds a number's text from its pattern. Digit places are filled from the right; the leftmost
// place takes every digit left over, so the places never limit the digits shown. Plain
// characters keep their place among the digit places.
class NumberLayout {
public:
    NumberLayout(std::string_view pattern) : pattern_(pattern) {
        first_ = pattern.find_first_of("#0");
        last_ = pattern.find_last_of("#0");
        if (first_ == std::string_view::npos)
            return;
        for (std::size_t i = first_; i <= last_; ++i) {
            if (pattern[i] == '0')
                ++zeroPlaces_;
            if (pattern[i] == ',')
                grouping_ = true;
        }
    }

    std::string format(bool negative, std::uint64_t magnitude) const {
        std::string digits = magnitude == 0 ? std::string() : decimalDigits(magnitude);
        if (digits.size() < zeroPlaces_)
            digits.insert(0, zeroPlaces_ - digits.size(), '0');
        // Built backwards, from the pattern's last character to its first.
        std::string reversed;
        std::size_t left = digits.size();
        std::size_t written = 0;
        auto putDigit = [&]() {
            if (grouping_ && written > 0 && written % 3 == 0)
                reversed += ',';
            reversed += digits[--left];
            ++written;
        };
        for (std::size_t i = pattern_.size(); i-- > 0;) {
            const char c = pattern_[i];
            if (isDigitPlace(c)) {
                if (left > 0)
                    putDigit();
                if (i == first_) {
                    while (left > 0)
                        putDigit();
                    if (negative && written > 0)
                        reversed += '-';
                }
            } else if (!(c == ',' && i > first_ && i < last_)) {
                reversed += c;
            }
        }
        return std::string(reversed.rbegin(), reversed.rend());
    }

private:
    std::string_view pattern_;
    std::size_t first_ = std::string_view::npos;
    std::size_t last_ = std::string_view::npos;
    std::size_t zeroPlaces_ = 0;
    bool grouping_ = false;
};

std::string twoDigits(int value) {
    return std::string{static_cast<char>('0' + value / 10 % 10),
                       static_cast<char>('0' + value % 10)};
}

std::string fourDigits(int year) {
    return twoDigits(year / 100) + twoDigits(year % 100);
}

bool startsWithIgnoringCase(std::string_view text, std::size_t at, std::string_view token) {
    if (text.size() - at < token.size())
        return false;
    for (std::size_t i = 0; i < token.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[at + i])) != token[i])
            return false;
    }
    return true;
}

bool containsIgnoringCase(std::string_view text, std::string_view token) {
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (startsWithIgnoringCase(text, at, token))
            return true;
    }
    return false;
}

enum class DateToken {
    None,
    Year,
    MonthName,
    MonthOrMinute,
    DayName,
    Day,
    Hour,
    Seconds,
    Second,
    AmPm
};

struct TokenSpelling {
    std::string_view text;  // lower case
    DateToken token;
};

// Longer spellings first, so that "ddd" is not read as "dd" and "d".
constexpr std::array<TokenSpelling, 9> kTokens{{
    {"yyyy", DateToken::Year},
    {"ampm", DateToken::AmPm},
    {"mmm", DateToken::MonthName},
    {"ddd", DateToken::DayName},
    {"mm", DateToken::MonthOrMinute},
    {"dd", DateToken::Day},
    {"hh", DateToken::Hour},
    {"ss", DateToken::Seconds},
    {"s", DateToken::Second},
}};

constexpr std::array<const char*, 12> kMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                  "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr std::array<const char*, 7> kDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

const char* monthName(int month) {
    return month >= 1 && month <= 12 ? kMonthNames[static_cast<std::size_t>(month - 1)] : "";
}

std::string hourText(int hour, bool twelveHourClock) {
    if (!twelveHourClock)
        return twoDigits(hour);
    const int onClock = hour % 12;
    return twoDigits(onClock == 0 ? 12 : onClock);
}

}  // namespace

std::string FormatValue(std::int64_t value, std::string_view pattern) {
    const bool negative = value < 0;
    const std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    return NumberLayout(pattern).format(negative, magnitude);
}

std::string FormatValue(double value, std::string_view pattern) {
    // std::round rounds halves away from zero. Values beyond the whole-number range are
    // clamped to it and a value that is not a number counts as zero, so the call never fails.
    if (std::isnan(value))
        return FormatValue(std::int64_t{0}, pattern);
    const double rounded = std::round(value);
    constexpr double kLimit = 9223372036854775808.0;  // 2^63
    if (rounded >= kLimit)
        return FormatValue(std::numeric_limits<std::int64_t>::max(), pattern);
    if (rounded < -kLimit)
        return FormatValue(std::numeric_limits<std::int64_t>::min(), pattern);
    return FormatValue(static_cast<std::int64_t>(rounded), pattern);
}

std::string FormatValue(const DateTime& value, std::string_view pattern) {
    const bool twelveHourClock = containsIgnoringCase(pattern, "ampm");
    std::string out;
    DateToken previous = DateToken::None;
    std::size_t at = 0;
    while (at < pattern.size()) {
        DateToken token = DateToken::None;
        for (const TokenSpelling& spelling : kTokens) {
            if (startsWithIgnoringCase(pattern, at, spelling.text)) {
                token = spelling.token;
                at += spelling.text.size();
                break;
            }
        }
        switch (token) {
            case DateToken::None:
                out += pattern[at++];
                break;
            case DateToken::Year:
                out += fourDigits(value.year);
                break;
            case DateToken::MonthName:
                out += monthName(value.month);
                break;
            case DateToken::MonthOrMinute:
                // "mm" right after an hour means minutes, as in "hh:mm" and "hhmm".
                out += twoDigits(previous == DateToken::Hour ? value.minute : value.month);
                break;
            case DateToken::DayName:
                out += kDayNames[static_cast<std::size_t>(value.dayOfWeek())];
                break;
            case DateToken::Day:
                out += twoDigits(value.day);
                break;
            case DateToken::Hour:
                out += hourText(value.hour, twelveHourClock);
                break;
            case DateToken::Seconds:
                out += twoDigits(value.second);
                break;
            case DateToken::Second:
                out += std::to_string(value.second);
                break;
            case DateToken::AmPm:
                out += value.hour < 12 ? "AM" : "PM";
                break;
        }
        if (token != DateToken::None)
            previous = token;
    }
    return out;
}

std::string signedDecimal(std::int64_t value) {
    return FormatValue(value, value < 0 ? "0" : " 0");
}
