#pragma once

#include <cstddef>
#include <cstdint>

// Fuzz targets: each feeds arbitrary bytes to one routine and checks what must hold for every
// input. A broken rule prints what broke and aborts, so that libFuzzer keeps the input and the
// replay test fails on it.
void fuzzFormatValue(const std::uint8_t* data, std::size_t size);
void fuzzLineReader(const std::uint8_t* data, std::size_t size);
void fuzzStringArray(const std::uint8_t* data, std::size_t size);
void fuzzPeVersion(const std::uint8_t* data, std::size_t size);

struct FuzzTarget {
    const char* name;  // also the folder of its saved inputs
    void (*run)(const std::uint8_t* data, std::size_t size);
};

inline constexpr FuzzTarget kFuzzTargets[] = {
    {"format_value", fuzzFormatValue},
    {"line_reader", fuzzLineReader},
    {"string_array", fuzzStringArray},
    {"pe_version", fuzzPeVersion},
};

// Aborts with `what` when `holds` is false.
void fuzzCheck(bool holds, const char* what);
