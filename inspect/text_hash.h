#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

// The hash of an embedded text as a comparison takes it: XXH3 of the text as the report holds
// it, each line followed by "<BR>" and CR LF, so that it comes out the same whether the text
// came line by line or in runs of lines, and two texts with the same lines in another order or
// split otherwise differ.
class TextHash {
public:
    TextHash();
    ~TextHash();
    TextHash(const TextHash&) = delete;
    TextHash& operator=(const TextHash&) = delete;

    void reset();
    // A line of the text, without its "<BR>".
    void addLine(std::string_view line);
    // A run of plain text lines, as ReportSink::embeddedLines receives it.
    void addTextLines(std::string_view run);
    std::uint64_t value() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};
