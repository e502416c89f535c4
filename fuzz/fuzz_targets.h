#pragma once

#include <cstddef>
#include <cstdint>

// Fuzz targets: each feeds arbitrary bytes to one routine and checks what must hold for every
// input. A broken rule prints what broke and aborts, so that libFuzzer keeps the input.
void fuzzFormatValue(const std::uint8_t* data, std::size_t size);
void fuzzLineReader(const std::uint8_t* data, std::size_t size);
void fuzzStringArray(const std::uint8_t* data, std::size_t size);
void fuzzPeVersion(const std::uint8_t* data, std::size_t size);
void fuzzReportReader(const std::uint8_t* data, std::size_t size);
void fuzzSecretMasker(const std::uint8_t* data, std::size_t size);

// Aborts with `what` when `holds` is false.
void fuzzCheck(bool holds, const char* what);
