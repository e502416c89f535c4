#include <cmath>
#include <string>

#include "fuzz/fuzz_input.h"
#include "fuzz/fuzz_targets.h"
#include "toolkit/format_value.h"

namespace {

// Every token widens by at most one character ("s" gives two digits) and a number adds at most
// its digits, groups and sign, so the output stays close to the pattern's length.
bool sizeIsBounded(const std::string& out, const std::string& pattern) {
    return out.size() <= 2 * pattern.size() + 32;
}

// Dates as the platform hands them over: any moment from year 1601 (the start of file times)
// to 9999.
DateTime dateFrom(FuzzInput& in) {
    const DateTime first{1601, 1, 1, 0, 0, 0};
    const DateTime last{9999, 12, 31, 23, 59, 59};
    const auto span =
        static_cast<std::uint64_t>(last.toCalendarSeconds() - first.toCalendarSeconds());
    return first.plusSeconds(static_cast<std::int64_t>(in.value<std::uint64_t>() % (span + 1)));
}

}  // namespace

void fuzzFormatValue(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    const std::uint8_t kind = in.byte() % 3;
    const auto whole = in.value<std::int64_t>();
    const auto real = in.value<double>();
    const DateTime date = dateFrom(in);
    const std::string pattern = in.rest();

    std::string first;
    std::string second;
    if (kind == 0) {
        first = FormatValue(whole, pattern);
        second = FormatValue(whole, pattern);
    } else if (kind == 1) {
        // Values a caller could hand over: sizes and free space, never NaN or infinite.
        const double value = std::isfinite(real) ? std::fmod(real, 1e18) : 0.0;
        first = FormatValue(value, pattern);
        second = FormatValue(value, pattern);
    } else {
        first = FormatValue(date, pattern);
        second = FormatValue(date, pattern);
    }
    fuzzCheck(first == second, "FormatValue gives the same text for the same input");
    fuzzCheck(sizeIsBounded(first, pattern), "FormatValue output stays near the pattern's size");
}
