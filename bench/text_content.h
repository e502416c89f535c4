#pragma once

#include <cstdint>
#include <ostream>
#include <string>

#include "bench/seeded_random.h"

// Texts of the kinds a product folder holds, made from a seeded generator.
enum class TextKind { Config, Log, Data, Other };
enum class LineEnd { CrLf, Lf, None };

struct TextShape {
    TextKind kind = TextKind::Config;
    std::int64_t lines = 0;
    // Stop early once this many bytes are written (0: no limit); used for the large files.
    std::int64_t maxBytes = 0;
    LineEnd lineEnd = LineEnd::CrLf;
    // Whether the last line has its line end too; many editors leave it off.
    bool finalLineEnd = true;
};

// Writes the text to `out` and answers the number of bytes written.
std::int64_t writeText(std::ostream& out, SeededRandom& random, const TextShape& shape);

// `size` bytes of binary content.
std::string binaryContent(SeededRandom& random, std::int64_t size);
