#include "tests/report/support/program_image.h"

#include "bench/pe_image.h"

std::string programWithVersion(const std::string& fileVersion) {
    VersionStrings strings;
    strings.entries = {{"FileVersion", fileVersion}, {"ProductVersion", fileVersion}};
    const unsigned numbers[4] = {1, 0, 0, 0};
    return buildProgramImage(strings, numbers);
}
