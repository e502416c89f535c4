#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// One thing the reader could not make out, at the report line where it stands (0: the file as
// a whole).
struct Problem {
    std::uint64_t line = 0;
    std::string text;
};

// The problems of one reading. A damaged report may have one on every line, so only the first
// kKeptProblems are kept; the rest are counted.
class Problems {
public:
    static constexpr std::size_t kKeptProblems = 100;

    void note(std::uint64_t line, std::string text) {
        if (kept_.size() < kKeptProblems)
            kept_.push_back({line, std::move(text)});
        ++count_;
    }
    const std::vector<Problem>& kept() const { return kept_; }
    std::uint64_t count() const { return count_; }

private:
    std::vector<Problem> kept_;
    std::uint64_t count_ = 0;
};
